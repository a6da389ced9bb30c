// The client's end of the pages' "client" object. Runs in every frame in a
// script world of the client's own, which no page script can reach: the
// channel to the client, the tokens, the watch over the page's frames and
// everything built here stay out of the pages' hands, whatever they change
// in their own world. Run inside a function that is given the view's token
// (with which a trusted document announces a token of its own) and the
// trusted origins; frames get neither.
//
// The page's "client" (client.js) hands each call here as a DOM event. It
// goes on to the client only while no document that could have taken
// "client" from the page may have passed it to another origin: with
// document.domain a document of the page's origin can widen its domain to
// the site's and share what it holds with a frame of a sibling subdomain.
// So the main frame watches every document of its origin in the page: its
// domain while it is shown, and a last look as it leaves, after which no
// listener of the page runs in it. A frame it cannot see into counts as
// widened, unless the frame's own document says it is of another origin.
'use strict';
var watchName = 'mahjongBridgeWatch';
var frameMessage = 'mahjong-bridge-frame';

if (window !== top) {
    // A document of the page's origin puts itself under watch before any
    // script of its own runs. Any other tells the main frame where it is
    // from: a message's origin is the engine's word, not the page's.
    var reached = false;
    try {
        var watchFrame = top[watchName];
        reached = true;
        if (typeof watchFrame === 'function')
            watchFrame(document, window);
    } catch (e) {}
    if (!reached) {
        try {
            top.postMessage(frameMessage, '*');
        } catch (e) {}
    }
    return;
}

// (The frames' copy runs in the main frame too, with nothing to do there.)
if (!token)
    return;
var ownWindow = window;
var ownDocument = document;
var ownOrigin = location.origin;
var ownDomain = ownDocument.domain;

// Frames' word on where they are from goes to no listener of the page.
var foreign = new WeakMap();
var onFrameMessage = null;
ownWindow.addEventListener('message', function (event) {
    // A page can make a message with any origin and source: only the
    // engine's own say where a frame is from.
    if (!event.isTrusted || event.data !== frameMessage)
        return;
    event.stopImmediatePropagation();
    if (onFrameMessage)
        onFrameMessage(event);
}, true);

var pageOrigin = location.protocol === 'localwww:' ? 'localwww:' : ownOrigin;
if (pageOrigin !== 'localwww:' && trustedOrigins.indexOf(pageOrigin) < 0)
    return;
trustedOrigins = null;
if (!window.qt || !qt.webChannelTransport)
    return;
var transport = qt.webChannelTransport;

// Once a document may have passed "client" on, what it passed stays out.
var refusedForGood = false;
var kept = function (doc) {
    return doc.domain === ownDomain;
};

var hex = '0123456789abcdef';
var randomText = function () {
    var words = new Uint32Array(4);
    crypto.getRandomValues(words);
    var text = '';
    for (var w = 0; w < 4; ++w) {
        for (var shift = 28; shift >= 0; shift -= 4)
            text += hex[(words[w] >>> shift) & 15];
    }
    return text;
};
// An event that only the bridge's own listeners answer: whether they are
// still there (document.open() drops every listener on a document).
var aliveEvent = 'mahjong-bridge-' + randomText();

// Documents of the page's origin under watch: {doc, win, alive}.
var records = [];
// Frames that could not be told while they were there.
var untold = [];
// Documents that had their last look: still shown while they leave.
var leaving = new WeakSet();
// Frames that showed a document of the page's origin.
var seenOurs = new WeakSet();

var lastLook = null;
var frameLeaving = null;
var watchChildren = null;
var listenTo = function (record) {
    var doc = record.doc;
    var win = record.win;
    record.alive = true;
    win.addEventListener(aliveEvent, function () {
        record.alive = true;
    }, true);
    // Registered before any listener of the page's (or after those a page
    // added before the bridge could see the document): none of the page's
    // runs after this one, so its look is the last.
    win.addEventListener('unload', function (event) {
        // A window may outlive its first document (the frame's initial
        // blank one): its listener stays, but has nothing to say. An
        // unload that a page dispatched is no leaving.
        if (!event.isTrusted || records.indexOf(record) < 0)
            return;
        event.stopImmediatePropagation();
        lastLook(record);
    }, true);
    doc.addEventListener('DOMNodeInserted', function () {
        watchChildren(win);
    }, true);
    doc.addEventListener('DOMNodeRemoved', function (event) {
        frameLeaving(event.target);
    }, true);
};
var watchDocument = function (doc, win) {
    if (leaving.has(doc))
        return;
    for (var i = 0; i < records.length; ++i) {
        if (records[i].doc === doc)
            return;
    }
    var record = {doc: doc, win: win, alive: false};
    records.push(record);
    seenOurs.add(win);
    listenTo(record);
    // Seen late (a frame that ran no script of the bridge's before its own):
    // it may have widened already.
    if (!kept(doc))
        refusedForGood = true;
};
ownWindow[watchName] = watchDocument;

// The record of the document a frame shows now.
var recordOf = function (frame) {
    for (var i = 0; i < records.length; ++i) {
        if (records[i].win === frame && records[i].doc.defaultView === frame)
            return records[i];
    }
    return null;
};
// Whether the bridge can tell what a frame shows: a document it watches
// (and reads the domain of), or one that said it is of another origin.
var told = function (frame) {
    var doc = null;
    try {
        doc = frame.document;
    } catch (e) {}
    if (doc) {
        watchDocument(doc, frame);
        return true;
    }
    return recordOf(frame) !== null || foreignFrame(frame);
};
// A frame whose document said it is of another origin; or one that such a
// document made (its first document is of that origin too) and that never
// showed one of the page's.
var foreignFrame = function (frame) {
    var where = null;
    try {
        where = frame.location;
    } catch (e) {}
    if (where !== null && foreign.get(frame) === where)
        return true;
    var parent = frame.parent;
    if (!parent || parent === ownWindow || parent === frame || seenOurs.has(frame))
        return false;
    var doc = null;
    try {
        doc = parent.document;
    } catch (e) {}
    return doc === null && recordOf(parent) === null && foreignFrame(parent);
};
watchChildren = function (win) {
    for (var i = 0; i < win.length; ++i) {
        var doc = null;
        try {
            doc = win[i].document;
        } catch (e) {}
        if (doc)
            watchDocument(doc, win[i]);
    }
};
// A node leaves a watched document: the frames inside go with it.
frameLeaving = function (node) {
    if (!node || node.nodeType !== 1)
        return;
    var owners = Array.from(node.querySelectorAll('iframe, frame, object'));
    owners.push(node);
    for (var i = 0; i < owners.length; ++i) {
        var frame = null;
        try {
            frame = owners[i].contentWindow;
        } catch (e) {}
        if (frame && !told(frame))
            refusedForGood = true;
    }
};

// Looks at the whole page; returns how many frames it cannot tell yet.
var sweep = function () {
    if (!kept(ownDocument))
        refusedForGood = true;
    for (var i = records.length - 1; i >= 0; --i) {
        var record = records[i];
        if (record.doc.defaultView === null) {
            // Gone without the bridge's last look.
            refusedForGood = true;
            records.splice(i, 1);
        } else if (!kept(record.doc)) {
            refusedForGood = true;
        } else {
            record.alive = false;
            try {
                record.win.dispatchEvent(new Event(aliveEvent));
            } catch (e) {}
            if (!record.alive) {
                try {
                    listenTo(record);
                } catch (e) {}
            }
        }
    }
    var unknown = 0;
    var visit = function (win) {
        for (var k = 0; k < win.length; ++k) {
            var frame = win[k];
            if (!told(frame)) {
                ++unknown;
                if (untold.indexOf(frame) < 0)
                    untold.push(frame);
            }
            visit(frame);
        }
    };
    visit(ownWindow);
    for (var u = untold.length - 1; u >= 0; --u) {
        if (untold[u].closed) {
            // Left before anyone could tell what it showed.
            refusedForGood = true;
            untold.splice(u, 1);
        } else if (told(untold[u])) {
            untold.splice(u, 1);
        }
    }
    return unknown;
};
lastLook = function (record) {
    var index = records.indexOf(record);
    if (index < 0)
        return;
    leaving.add(record.doc);
    // Frames inside go after this one: watch them before they do.
    var visit = function (win) {
        watchChildren(win);
        for (var k = 0; k < win.length; ++k) {
            try {
                visit(win[k]);
            } catch (e) {}
        }
    };
    visit(record.win);
    if (!kept(record.doc))
        refusedForGood = true;
    records.splice(index, 1);
    sweep();
};
// The main frame itself is not a record: its leaving ends this world.
ownDocument.addEventListener('DOMNodeInserted', function () {
    watchChildren(ownWindow);
}, true);
ownDocument.addEventListener('DOMNodeRemoved', function (event) {
    frameLeaving(event.target);
}, true);
// Frames of the page that the HTML parser added come before its next script.
new MutationObserver(function () {
    watchChildren(ownWindow);
}).observe(ownDocument, {childList: true, subtree: true});

// This document's own token: the client takes calls only from the document
// that announced itself last.
var documentToken = randomText();
// A JSON string, written out by hand.
var quote = function (text) {
    var out = '"';
    for (var i = 0; i < text.length; ++i) {
        var c = text.charCodeAt(i);
        if (c >= 0x20 && c < 0x7f && c !== 0x22 && c !== 0x5c)
            out += text[i];
        else
            out += '\\u' + hex[(c >> 12) & 15] + hex[(c >> 8) & 15] + hex[(c >> 4) & 15] + hex[c & 15];
    }
    return out + '"';
};
var textArgument = function (value) {
    return typeof value === 'string' ? quote(value) : 'null';
};
var numberArgument = function (value) {
    var number = typeof value === 'number' ? value : 0;
    return number === number && number !== Infinity && number !== -Infinity ? '' + number : '0';
};
var calls = Object.create(null);
calls.displayTab = textArgument;
calls.joinTable = textArgument;
calls.launchBrowser = textArgument;
calls.displayTournament = numberArgument;
calls.close = null;
var signalNames = ['onDisplayTab', 'onJoinTable', 'onLaunchBrowser', 'onDisplayTournament', 'onClose', 'closeEvent'];
// Message types of the channel protocol.
var SIGNAL = 1, INIT = 3, IDLE = 4, INVOKE = 6, CONNECT = 7, RESPONSE = 10;
var signalByIndex = Object.create(null);
var queue = [];
var ready = false;
var nextId = 1;
// A call waits this long for the frames it cannot tell yet (a frame of
// another origin says so as soon as its document is there).
var waitLimitMs = 5000;
var retry = null;

var invoke = function (name, argumentsJson, callToken) {
    transport.send('{"type":' + INVOKE + ',"object":"client","method":"call","args":[' + quote(callToken) + ','
                   + quote(name) + ',[' + argumentsJson + ']],"id":' + nextId++ + '}');
};
// Calls in order; refused ones go as well, without the token, so that the
// client counts them.
var process = function () {
    if (!ready)
        return;
    while (queue.length > 0) {
        var unknown = sweep();
        var call = queue[0];
        if (!refusedForGood && unknown > 0 && Date.now() - call.since < waitLimitMs) {
            if (retry === null) {
                retry = setTimeout(function () {
                    retry = null;
                    process();
                }, 50);
            }
            return;
        }
        queue.shift();
        invoke(call.name, call.json, refusedForGood || unknown > 0 ? '' : documentToken);
    }
};
onFrameMessage = function (event) {
    var frame = event.source;
    if (!frame || frame === ownWindow)
        return;
    if (event.origin === ownOrigin) {
        // A document of the page's origin that could not reach the main
        // frame's: widened (or one that is still in reach, then watched).
        var doc = null;
        try {
            doc = frame.document;
        } catch (e) {}
        if (doc)
            watchDocument(doc, frame);
        else
            refusedForGood = true;
    } else {
        var where = null;
        try {
            where = frame.location;
        } catch (e) {}
        if (where !== null)
            foreign.set(frame, where);
    }
    process();
};

ownDocument.addEventListener('mahjong-client-call', function (event) {
    event.stopImmediatePropagation();
    var detail = event.detail;
    if (!detail || typeof detail.name !== 'string' || !(detail.name in calls))
        return;
    var write = calls[detail.name];
    // The frames as they are now, before any can leave.
    sweep();
    queue.push({name: detail.name, json: write ? write(detail.argument) : '', since: Date.now()});
    process();
}, true);

var tell = function (name, args) {
    ownDocument.dispatchEvent(new CustomEvent('mahjong-client-signal', {detail: {name: name, args: args}}));
};

transport.onmessage = function (event) {
    var message = typeof event.data === 'string' ? JSON.parse(event.data) : event.data;
    if (message.type === RESPONSE && message.id === 0) {
        var info = message.data && message.data.client;
        if (!info)
            return;
        var signals = info.signals;
        for (var i = 0; i < signals.length; ++i) {
            var signal = signals[i];
            if (signalNames.indexOf(signal[0]) >= 0) {
                signalByIndex[signal[1]] = signal[0];
                transport.send('{"type":' + CONNECT + ',"object":"client","signal":' + numberArgument(signal[1]) + '}');
            }
        }
        ready = true;
        transport.send('{"type":' + IDLE + '}');
        invoke('#document', quote(documentToken), token);
        process();
    } else if (message.type === SIGNAL && message.object === 'client') {
        var name = signalByIndex[message.signal];
        if (name !== undefined)
            tell(name, message.args || []);
    }
};
transport.send('{"type":' + INIT + ',"id":0}');
