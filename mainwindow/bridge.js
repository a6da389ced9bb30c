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
var viewProperty = Object.getOwnPropertyDescriptor(Document.prototype, 'defaultView');
var readView = viewProperty && viewProperty.get;
var listen = EventTarget.prototype.addEventListener;
var ownDocument = document;
var ownDomain = readDomain ? apply(readDomain, ownDocument, []) : '';
var registryName = 'mahjongClientFrames';

// Whether this document still has the domain it started with.
var domainKept = function () {
    return !readDomain || apply(readDomain, ownDocument, []) === ownDomain;
};

// Lists written through an ordinary store ("list[i] = value") would reach
// setters that a page puts on Array.prototype, and show them what is stored.
var append = function (list, value) {
    defineProperty(list, list.length, {value: value, writable: true, enumerable: true, configurable: true});
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
    // A document that has left its frame (removed, or navigated away) reads
    // an empty domain: its last reading before it went decides whether it
    // stops counting ("gone") or keeps the page refused for good, since
    // whoever it handed "client" to still holds it.
    var widened = false;
    var attached = function () {
        return !readView || apply(readView, ownDocument, []) !== null;
    };
    var lastLook = function () {
        if (attached() && !domainKept())
            widened = true;
    };
    var frameCheck = function () {
        if (widened)
            return 'widened';
        if (!attached())
            return 'gone';
        if (domainKept())
            return 'kept';
        widened = true;
        return 'widened';
    };
    // First of all listeners: no page listener can widen the domain
    // unseen before these run.
    apply(listen, window, ['pagehide', lastLook, true]);
    apply(listen, window, ['unload', lastLook, true]);
    try {
        var register = window.top[registryName];
        if (typeof register === 'function')
            register(frameCheck);
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
    // Once a frame has widened its domain, what it handed on stays out.
    var refusedForGood = false;
    defineProperty(window, registryName, {value: freeze(function (check) {
        if (typeof check === 'function')
            append(frameChecks, check);
    })});
    var callAllowed = function () {
        if (refusedForGood || !domainKept())
            return false;
        var staying = [];
        for (var i = 0; i < frameChecks.length; ++i) {
            var state = '';
            try {
                state = frameChecks[i]();
            } catch (e) {}
            if (state === 'kept') {
                append(staying, frameChecks[i]);
            } else if (state !== 'gone') {
                refusedForGood = true;
                return false;
            }
        }
        frameChecks = staying;
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
                    append(queue, [name, json, callToken]);
            }});
        })(callNames[c], calls[callNames[c]]);
    }
    for (var s = 0; s < signalNames.length; ++s) {
        (function (name) {
            var list = listeners[name] = [];
            defineProperty(client, name, {enumerable: true, value: freeze({
                connect: function (callback) {
                    if (typeof callback === 'function')
                        append(list, callback);
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
                    append(copy, list[k]);
                for (var l = 0; l < copy.length; ++l)
                    apply(copy[l], client, message.args || []);
            }
        }
    };
    defineProperty(window, 'client', {value: client, enumerable: true});
    sendText('{"type":' + INIT + ',"id":0}');
}
