// Runs in every frame before the page's own scripts. Keeps each document's
// domain its own, and in the main frame of a trusted document defines
// "client" and speaks the web channel protocol with the client. Calls made
// before the channel is up are queued. Run inside a function that is given
// mahjongHost, the token that lets a document announce itself, and the
// trusted origins (in frames: no token): a document of any other origin gets
// neither "client" nor the token.
//
// Page scripts may replace any built-in function after this has run, so the
// token and the calls never pass through one: what is needed is taken now,
// and the messages are written by hand.
'use strict';
var apply = Reflect.apply;
var defineProperty = Object.defineProperty;
var freeze = Object.freeze;
var parse = JSON.parse;
var charCodeAt = String.prototype.charCodeAt;
var toText = String;
var toNumber = Number;
var Words = Uint32Array;
var getRandomValues = Crypto.prototype.getRandomValues;
var randomSource = window.crypto;
var domainProperty = Object.getOwnPropertyDescriptor(Document.prototype, 'domain');
var readDomain = domainProperty && domainProperty.get;
var ownDocument = document;
var ownDomain = readDomain ? apply(readDomain, ownDocument, []) : '';
var registryName = 'mahjongClientFrames';

// Whether this document still has the domain it started with.
var domainKept = function () {
    return !readDomain || apply(readDomain, ownDocument, []) === ownDomain;
};

// With document.domain a frame of any sibling subdomain could reach a
// document of the service's and whatever "client" it holds: no document
// changes its domain. Should one still do so (through a realm this did not
// run in), the page refuses every call.
// (In the main frame this runs twice: once with the token, once without.)
if (readDomain && domainProperty.configurable) {
    defineProperty(Document.prototype, 'domain', {
        configurable: false,
        enumerable: domainProperty.enumerable,
        get: function () { return apply(readDomain, this, []); },
        set: function () {}
    });
}

if (window !== window.top) {
    // A frame of the page's own origin can take "client" from the page and
    // hand it on: the page asks each such frame, at every call, whether it
    // kept its domain. Frames of other origins cannot reach the page.
    try {
        var register = window.top[registryName];
        if (typeof register === 'function')
            register(domainKept);
    } catch (e) {}
    return;
}

if (!token)
    return;
var ownOrigin = location.protocol === 'localwww:' ? 'localwww:' : location.origin;
if (trustedOrigins.indexOf(ownOrigin) < 0 && ownOrigin !== 'localwww:')
    token = null;
trustedOrigins = null;

if (token && window.client === undefined && window.qt && qt.webChannelTransport) {
    var transport = qt.webChannelTransport;
    var sendText = transport.send.bind(transport);
    var frameChecks = [];
    defineProperty(window, registryName, {value: freeze(function (check) {
        if (typeof check === 'function')
            frameChecks[frameChecks.length] = check;
    })});
    var callAllowed = function () {
        if (!domainKept())
            return false;
        for (var i = 0; i < frameChecks.length; ++i) {
            var kept = false;
            try {
                kept = frameChecks[i]() === true;
            } catch (e) {}
            if (!kept)
                return false;
        }
        return true;
    };

    var hex = '0123456789abcdef';
    // This document's own token: the client takes calls only from the
    // document that announced itself last.
    var documentToken = '';
    var words = new Words(4);
    apply(getRandomValues, randomSource, [words]);
    for (var w = 0; w < 4; ++w) {
        for (var shift = 28; shift >= 0; shift -= 4)
            documentToken += hex[(words[w] >>> shift) & 15];
    }
    // A JSON string, written out by hand.
    var quote = function (text) {
        var out = '"';
        for (var i = 0; i < text.length; ++i) {
            var c = apply(charCodeAt, text, [i]);
            if (c >= 0x20 && c < 0x7f && c !== 0x22 && c !== 0x5c)
                out += text[i];
            else
                out += '\\u' + hex[(c >> 12) & 15] + hex[(c >> 8) & 15] + hex[(c >> 4) & 15] + hex[c & 15];
        }
        return out + '"';
    };
    var textArgument = function (value) {
        return value === undefined || value === null ? 'null' : quote(toText(value));
    };
    var numberArgument = function (value) {
        var number = toNumber(value);
        return number === number && number !== Infinity && number !== -Infinity ? '' + number : '0';
    };
    var calls = {__proto__: null, displayTab: textArgument, joinTable: textArgument, launchBrowser: textArgument,
                 displayTournament: numberArgument, close: null};
    var callNames = ['displayTab', 'joinTable', 'launchBrowser', 'displayTournament', 'close'];
    var signalNames = ['onDisplayTab', 'onJoinTable', 'onLaunchBrowser', 'onDisplayTournament', 'onClose',
                       'closeEvent'];
    // Message types of the channel protocol.
    var SIGNAL = 1, INIT = 3, IDLE = 4, INVOKE = 6, CONNECT = 7, RESPONSE = 10;
    var signalByIndex = Object.create(null);
    var listeners = Object.create(null);
    var queue = [];
    var ready = false;
    var nextId = 1;
    var client = {};

    // name and its arguments, already written as JSON.
    var invoke = function (name, argumentsJson, callToken) {
        sendText('{"type":' + INVOKE + ',"object":"client","method":"call","args":[' + quote(callToken) + ','
                 + quote(name) + ',[' + argumentsJson + ']],"id":' + nextId++ + '}');
    };
    var announce = function () {
        invoke('#document', quote(documentToken), token);
    };

    defineProperty(client, 'isDebug', {value: false, enumerable: true});
    defineProperty(client, 'mahjongHost', {value: mahjongHost, enumerable: true});
    for (var c = 0; c < callNames.length; ++c) {
        (function (name, write) {
            defineProperty(client, name, {enumerable: true, value: function (value) {
                var json = write ? write(value) : '';
                var callToken = callAllowed() ? documentToken : '';
                if (ready)
                    invoke(name, json, callToken);
                else
                    queue[queue.length] = [name, json, callToken];
            }});
        })(callNames[c], calls[callNames[c]]);
    }
    for (var s = 0; s < signalNames.length; ++s) {
        (function (name) {
            var list = listeners[name] = [];
            defineProperty(client, name, {enumerable: true, value: freeze({
                connect: function (callback) {
                    if (typeof callback === 'function')
                        list[list.length] = callback;
                },
                disconnect: function (callback) {
                    for (var i = 0; i < list.length; ++i) {
                        if (list[i] === callback) {
                            for (var j = i + 1; j < list.length; ++j)
                                list[j - 1] = list[j];
                            list.length = list.length - 1;
                            return;
                        }
                    }
                }
            })});
        })(signalNames[s]);
    }
    freeze(client);

    transport.onmessage = function (event) {
        var message = typeof event.data === 'string' ? parse(event.data) : event.data;
        if (message.type === RESPONSE && message.id === 0) {
            var info = message.data && message.data.client;
            if (!info)
                return;
            var signals = info.signals;
            for (var i = 0; i < signals.length; ++i) {
                var signal = signals[i];
                if (listeners[signal[0]] !== undefined) {
                    signalByIndex[signal[1]] = signal[0];
                    sendText('{"type":' + CONNECT + ',"object":"client","signal":' + numberArgument(signal[1]) + '}');
                }
            }
            ready = true;
            sendText('{"type":' + IDLE + '}');
            announce();
            for (var q = 0; q < queue.length; ++q)
                invoke(queue[q][0], queue[q][1], queue[q][2]);
            queue.length = 0;
        } else if (message.type === SIGNAL && message.object === 'client') {
            var name = signalByIndex[message.signal];
            if (name !== undefined) {
                var list = listeners[name];
                var copy = [];
                for (var k = 0; k < list.length; ++k)
                    copy[k] = list[k];
                for (var l = 0; l < copy.length; ++l)
                    apply(copy[l], client, message.args || []);
            }
        }
    };
    defineProperty(window, 'client', {value: client, enumerable: true});
    sendText('{"type":' + INIT + ',"id":0}');
}
