// Page functions of the client's own pages. Inside the client the object
// "client" exists; opened in an ordinary browser the page gets a stand-in
// that only says what the client would do.
(function () {
    'use strict';
    // The client shows its own copy of a page when the service's could not
    // be loaded; only that copy says so.
    if (location.protocol === 'localwww:')
        document.documentElement.classList.add('client-copy');
    if (typeof window.client === 'undefined') {
        var tabs = ['welcome', 'quickseat', 'lobby', 'tournament', 'preferences', 'chat'];
        var signal = {connect: function () {}, disconnect: function () {}};
        window.client = {
            isDebug: true,
            mahjongHost: '',
            displayTab: function (tab) {
                alert(tabs.indexOf(tab) >= 0 ? 'The client would show the tab "' + tab + '".'
                                             : 'Unknown tab "' + tab + '".');
            },
            joinTable: function (address) { alert('The client would seat you at ' + address); },
            launchBrowser: function (address) { alert('The client would open ' + address); },
            displayTournament: function (id) { alert('The client would show the tournament ' + id); },
            close: function () {},
            onDisplayTab: signal, onJoinTable: signal, onLaunchBrowser: signal,
            onDisplayTournament: signal, onClose: signal, closeEvent: signal
        };
        window.addEventListener('load', function () { document.body.className = 'browser'; });
    }
    if (!window.client.isDebug)
        document.addEventListener('contextmenu', function (event) { event.preventDefault(); });

    var account = function () { client.launchBrowser('client://my-account'); };
    var faq = 'http://{host}/help.html';

    window.welcome = {
        tournaments: function () { client.displayTab('tournament'); },
        lobby: function () { client.displayTab('lobby'); },
        riichiForFunAndFree: function () { client.joinTable('/Regular/ForFun/Riichi/Express/4/'); },
        practiceRiichi: function () { client.joinTable('/Practice/Riichi/4/'); },
        practiceInternatinal: function () { client.joinTable('/Practice/International/4/'); },
        practiceClassic: function () { client.joinTable('/Practice/Classic/4/'); },
        support: function () { client.displayTab('howto'); },
        cachier: account
    };
    window.support = {
        handHistory: account,
        cachier: account,
        extern: function () { client.launchBrowser('client://externsupport'); },
        faq: function () { client.launchBrowser(faq); },
        faqHowToDeposit: function () { client.launchBrowser(faq + '#deposit'); },
        faqHowToWithdrawel: function () { client.launchBrowser(faq + '#withdraw'); }
    };
    window.howto = {
        cachier: account,
        launchRules: function (rules) { client.launchBrowser('client://rules/' + rules); },
        faq: function () { client.launchBrowser('client://help'); }
    };
})();
