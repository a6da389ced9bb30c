// Defines "client" for the page before its own scripts run and speaks the
// web channel protocol with the client. Calls made before the channel is up
// are queued. Run inside a function that is given mahjongHost, the token
// that makes the client accept a call, and the trusted origins: a document
// of any other origin gets neither "client" nor the token.
'use strict';
var ownOrigin = location.protocol === 'localwww:' ? 'localwww:' : location.origin;
if (trustedOrigins.indexOf(ownOrigin) >= 0 || ownOrigin === 'localwww:') {
    trustedOrigins = null;
} else {
    token = null;
}
if (token && window.client === undefined && window.qt && qt.webChannelTransport) {
    // With document.domain a frame of any sibling subdomain could reach this
    // document and call "client" as it: the domain stays the document's own.
    // Should the page still change it (through another realm's setter), the
    // calls go out without the token and are refused.
    var apply = Reflect.apply;
    var domainProperty = Object.getOwnPropertyDescriptor(Document.prototype, 'domain');
    var readDomain = domainProperty && domainProperty.get;
    var ownDomain = readDomain ? apply(readDomain, document, []) : '';
    if (readDomain) {
        Object.defineProperty(Document.prototype, 'domain', {
            configurable: false,
            enumerable: domainProperty.enumerable,
            get: function () { return apply(readDomain, this, []); },
            set: function () {}
        });
    }
    var callToken = function () {
        return !readDomain || apply(readDomain, document, []) === ownDomain ? token : '';
    };
    var transport = qt.webChannelTransport;
    var sendText = transport.send.bind(transport);
    var stringify = JSON.stringify;
    var calls = ['displayTab', 'joinTable', 'launchBrowser', 'displayTournament', 'close'];
    var signalNames = ['onDisplayTab', 'onJoinTable', 'onLaunchBrowser', 'onDisplayTournament', 'onClose',
                       'closeEvent'];
    // Message types of the channel protocol.
    var SIGNAL = 1, INIT = 3, IDLE = 4, INVOKE = 6, CONNECT = 7, RESPONSE = 10;
    var methods = {};
    var signalByIndex = {};
    var listeners = {};
    var queue = [];
    var ready = false;
    var nextId = 1;
    var client = {};

    var send = function (message) {
        sendText(stringify(message));
    };
    var invoke = function (name, args) {
        if (methods.call !== undefined)
            send({type: INVOKE, object: 'client', method: methods.call, args: [callToken(), name, args], id: nextId++});
    };

    Object.defineProperty(client, 'isDebug', {value: false, enumerable: true});
    Object.defineProperty(client, 'mahjongHost', {value: mahjongHost, enumerable: true});
    calls.forEach(function (name) {
        Object.defineProperty(client, name, {enumerable: true, value: function () {
            var args = Array.prototype.slice.call(arguments);
            if (ready)
                invoke(name, args);
            else
                queue.push([name, args]);
        }});
    });
    signalNames.forEach(function (name) {
        listeners[name] = [];
        Object.defineProperty(client, name, {enumerable: true, value: Object.freeze({
            connect: function (callback) {
                if (typeof callback === 'function')
                    listeners[name].push(callback);
            },
            disconnect: function (callback) {
                var index = listeners[name].indexOf(callback);
                if (index >= 0)
                    listeners[name].splice(index, 1);
            }
        })});
    });
    Object.freeze(client);

    transport.onmessage = function (event) {
        var message = typeof event.data === 'string' ? JSON.parse(event.data) : event.data;
        if (message.type === RESPONSE && message.id === 0) {
            var info = message.data && message.data.client;
            if (!info)
                return;
            info.methods.forEach(function (method) {
                // Plain names are resolved by the client; "name(args)" by index.
                if (method[0].indexOf('(') < 0)
                    methods[method[0]] = method[0];
            });
            info.signals.forEach(function (signal) {
                if (listeners[signal[0]] !== undefined) {
                    signalByIndex[signal[1]] = signal[0];
                    send({type: CONNECT, object: 'client', signal: signal[1]});
                }
            });
            ready = true;
            send({type: IDLE});
            queue.splice(0).forEach(function (call) {
                invoke(call[0], call[1]);
            });
        } else if (message.type === SIGNAL && message.object === 'client') {
            var name = signalByIndex[message.signal];
            if (name !== undefined) {
                listeners[name].slice().forEach(function (callback) {
                    callback.apply(client, message.args || []);
                });
            }
        }
    };
    Object.defineProperty(window, 'client', {value: client, enumerable: true});
    send({type: INIT, id: 0});
}
