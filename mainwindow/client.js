// Runs in the page's own script world of every frame, before the page's
// scripts. Keeps each document's domain its own, and in the main frame of a
// trusted document defines "client". Holds nothing a page may not know: each
// call goes as a DOM event to the client's own script world (bridge.js),
// which alone decides whether it reaches the client, and the client's
// signals come back the same way. Run inside a function that is given
// mahjongHost and the trusted origins (frames: none).
//
// Page scripts may replace any built-in function after this has run: what
// is needed is taken now, and the objects built here have no prototype a
// page can write to (a getter "get" on Object.prototype would otherwise be
// read as part of every descriptor).
'use strict';
var apply = Reflect.apply;
var create = Object.create;
var defineProperty = Object.defineProperty;
var defineProperties = Object.defineProperties;
var freeze = Object.freeze;
var getDescriptor = Object.getOwnPropertyDescriptor;
var toText = String;
var toNumber = Number;

// A descriptor of a read-only, enumerable value.
var field = function (value) {
    var descriptor = create(null);
    descriptor.value = value;
    descriptor.enumerable = true;
    return descriptor;
};

// With document.domain a frame of any sibling subdomain could reach a
// document of the service's and whatever "client" it holds: no document
// changes its domain through this world's setter. Should one still do so
// (through a realm this did not run in), the bridge sees it and refuses.
var domainProperty = getDescriptor(Document.prototype, 'domain');
var readDomain = domainProperty && domainProperty.get;
if (readDomain && domainProperty.configurable) {
    var domain = create(null);
    domain.configurable = false;
    domain.enumerable = domainProperty.enumerable;
    domain.get = function () {
        return apply(readDomain, this, []);
    };
    domain.set = function () {};
    defineProperty(Document.prototype, 'domain', domain);
}

if (window !== window.top || !trustedOrigins)
    return;
var ownOrigin = location.protocol === 'localwww:' ? 'localwww:' : location.origin;
if (ownOrigin !== 'localwww:' && trustedOrigins.indexOf(ownOrigin) < 0)
    return;
if (window.client !== undefined)
    return;

var ownDocument = document;
var dispatch = EventTarget.prototype.dispatchEvent;
var listen = EventTarget.prototype.addEventListener;
var NewCustomEvent = CustomEvent;
var readDetail = getDescriptor(CustomEvent.prototype, 'detail').get;
// The names bridge.js listens to.
var callEvent = 'mahjong-client-call';
var signalEvent = 'mahjong-client-signal';

var send = function (name, argument) {
    var detail = create(null);
    detail.name = name;
    detail.argument = argument;
    var init = create(null);
    init.detail = detail;
    apply(dispatch, ownDocument, [new NewCustomEvent(callEvent, init)]);
};
var textArgument = function (value) {
    return value === undefined || value === null ? null : toText(value);
};
var numberArgument = function (value) {
    return toNumber(value);
};
var noArgument = function () {
    return null;
};

var client = {};
defineProperty(client, 'isDebug', field(false));
defineProperty(client, 'mahjongHost', field(mahjongHost));
var callNames = ['displayTab', 'joinTable', 'launchBrowser', 'displayTournament', 'close'];
var callArguments = [textArgument, textArgument, textArgument, numberArgument, noArgument];
for (var c = 0; c < callNames.length; ++c) {
    (function (name, convert) {
        defineProperty(client, name, field(function (value) {
            send(name, convert(value));
        }));
    })(callNames[c], callArguments[c]);
}

// Lists of listeners, without a prototype: stores and reads never reach a
// setter or getter a page put on Array.prototype.
var listeners = create(null);
var signalNames = ['onDisplayTab', 'onJoinTable', 'onLaunchBrowser', 'onDisplayTournament', 'onClose', 'closeEvent'];
for (var s = 0; s < signalNames.length; ++s) {
    (function (name) {
        var list = create(null);
        list.length = 0;
        listeners[name] = list;
        var signal = create(null);
        signal.connect = field(function (callback) {
            if (typeof callback === 'function') {
                list[list.length] = callback;
                list.length += 1;
            }
        });
        signal.disconnect = field(function (callback) {
            for (var i = 0; i < list.length; ++i) {
                if (list[i] === callback) {
                    for (var j = i + 1; j < list.length; ++j)
                        list[j - 1] = list[j];
                    list.length -= 1;
                    delete list[list.length];
                    return;
                }
            }
        });
        defineProperty(client, name, field(freeze(defineProperties({}, signal))));
    })(signalNames[s]);
}
freeze(client);

apply(listen, ownDocument, [signalEvent, function (event) {
    var detail = apply(readDetail, event, []);
    if (!detail || typeof detail.name !== 'string')
        return;
    var list = listeners[detail.name];
    if (list === undefined)
        return;
    var args = detail.args || [];
    // Listeners that connect or disconnect while being told change only the
    // next signal.
    var copy = create(null);
    var count = list.length;
    for (var i = 0; i < count; ++i)
        copy[i] = list[i];
    for (var k = 0; k < count; ++k)
        apply(copy[k], client, args);
}, true]);
defineProperty(window, 'client', field(client));
