// mahjong-peer: a scripted game server for tests and local runs.
#include "protocol/Codec.h"
#include "tools/peer/ProtocolReference.h"
#include "tools/peer/PeerServer.h"
#include "tools/peer/PeerTournaments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>

#include <cstdio>
#include <iostream>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Binds a TCP socket on a free loopback port without listening; returns the
// socket (kept open for the process's life) and sets *port, or -1.
int reserveLoopbackPort(quint16 *port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        ::close(fd);
        return -1;
    }
    *port = ntohs(address.sin_port);
    return fd;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mahjong-peer"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A scripted game server speaking the client's protocol on loopback.\n"
                       "Prints \"LISTENING <port>\" once it listens, then one line per event\n"
                       "(CONNECTED, RECV <message> <fields>, SENT <message>, SCENARIO_DONE, ...)."));
    parser.addHelpOption();
    const QCommandLineOption portOption({QStringLiteral("p"), QStringLiteral("port")},
                                        QStringLiteral("Port to listen on; 0 picks a free one (default 0)."),
                                        QStringLiteral("port"), QStringLiteral("0"));
    const QCommandLineOption hostOption(QStringLiteral("host"),
                                        QStringLiteral("Loopback address to listen on (default 127.0.0.1)."),
                                        QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption plainOption(QStringLiteral("plain"), QStringLiteral("Plain TCP instead of TLS."));
    const QCommandLineOption demoOption(
        QStringLiteral("demo"),
        QStringLiteral(
            "Any user name and password log in; joining a table plays a demo hand, watching one a hand in progress."));
    const QString certDir = QStringLiteral(MAHJONG_TEST_CERT_DIR);
    const QCommandLineOption certOption(QStringLiteral("cert"),
                                        QStringLiteral("Server certificate (PEM) for TLS (default: the build's test "
                                                       "certificate)."),
                                        QStringLiteral("file"), certDir + QStringLiteral("/server.crt"));
    const QCommandLineOption keyOption(
        QStringLiteral("key"), QStringLiteral("Server private key (PEM) for TLS (default: the build's test key)."),
        QStringLiteral("file"), certDir + QStringLiteral("/server.key"));
    const QCommandLineOption accountsOption(
        QStringLiteral("accounts"), QStringLiteral("Accounts file: lines \"user password playerId [name [status]]\"."),
        QStringLiteral("file"));
    const QCommandLineOption accountOption(
        {QStringLiteral("a"), QStringLiteral("account")},
        QStringLiteral("An account user:password[:playerId[:name[:loginStatus]]]; repeatable."),
        QStringLiteral("account"));
    const QCommandLineOption scenarioOption({QStringLiteral("s"), QStringLiteral("scenario")},
                                            QStringLiteral("Scenario file (JSON) each session plays; repeatable."),
                                            QStringLiteral("file"));
    const QCommandLineOption clockOption(QStringLiteral("clock-offset-ms"),
                                         QStringLiteral("Shift the server clock in ping answers."),
                                         QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption seatOption(QStringLiteral("seat-after-ms"),
                                        QStringLiteral("Seat registered players this long after registering "
                                                       "instead of at the tournament's start."),
                                        QStringLiteral("ms"), QStringLiteral("-1"));
    const QCommandLineOption shortTournamentOption(
        QStringLiteral("short-tournament-secs"),
        QStringLiteral("With --demo: the short tournament kept open starts this long after the peer, and each "
                       "next one this long after the last one started."),
        QStringLiteral("secs"), QStringLiteral("150"));
    const QCommandLineOption questionOption(
        QStringLiteral("question-ms"),
        QStringLiteral("Every question the scenarios ask the player (turn, claim, Ready) gets this long instead of "
                       "the time its scenario gives it; then the peer answers for the player."),
        QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption awayOption(
        QStringLiteral("away-answer-ms"),
        QStringLiteral("A player who is away (two questions in a row ran out) is answered for this long after each "
                       "question (default 1000)."),
        QStringLiteral("ms"), QStringLiteral("1000"));
    const QCommandLineOption namesDirOption(
        QStringLiteral("names-dir"),
        QStringLiteral("Write the players' ids and names to a file in this folder, where the chat server's player "
                       "search (tests/xmpp/server-ext) reads them."),
        QStringLiteral("dir"));
    const QCommandLineOption noLobbyOption(QStringLiteral("no-lobby"),
                                           QStringLiteral("Serve no tables or tournaments."));
    const QCommandLineOption quietOption({QStringLiteral("q"), QStringLiteral("quiet")},
                                         QStringLiteral("Do not print each message."));
    const QCommandLineOption parentOption(QStringLiteral("exit-with-stdin"),
                                          QStringLiteral("Quit when standard input closes (when the parent dies)."));
    const QCommandLineOption randomOption(
        QStringLiteral("random-table"),
        QStringLiteral("Joining a table plays random hands there, dealt from this seed; requests that were not "
                       "offered are reported (SOAK_VIOLATION)."),
        QStringLiteral("seed"));
    const QCommandLineOption handsOption(QStringLiteral("random-hands"),
                                         QStringLiteral("Hands the random table plays (default 10)."),
                                         QStringLiteral("n"), QStringLiteral("10"));
    const QCommandLineOption answerOption(QStringLiteral("random-answer-ms"),
                                          QStringLiteral("Time the client has for each offer (default 1500)."),
                                          QStringLiteral("ms"), QStringLiteral("1500"));
    const QCommandLineOption offOption(
        QStringLiteral("random-off"),
        QStringLiteral("Event kinds the random table leaves out, comma-separated: "
                       "kick, late, replacement, riichi, kong, chow, pong, win, bonus, inactive, "
                       "seats, tournament, watch, resync, furiten."),
        QStringLiteral("kinds"));
    const QCommandLineOption kickTurnOption(
        QStringLiteral("random-kick-turn"),
        QStringLiteral("The random table moves the player to the watchers at this turn of every hand (kick kind)."),
        QStringLiteral("turn"), QStringLiteral("0"));
    const QCommandLineOption seatOnLoginOption(
        QStringLiteral("random-tournament-table"),
        QStringLiteral("The random hands are played at this tournament table: the player is seated there after the "
                       "login, and tournament rounds end every three hands."),
        QStringLiteral("table"));
    const QCommandLineOption noHoldsOption(
        QStringLiteral("no-holds"),
        QStringLiteral("Pass over the scenarios' \"hold\" steps (checkpoints where a test looks at the client): "
                       "the scenarios play on by themselves, as in a local run."));
    const QCommandLineOption xmppPortOption(
        QStringLiteral("xmpp-port"),
        QStringLiteral("Announce this XMPP port on localhost in the client configuration (default: a port "
                       "nothing listens on)."),
        QStringLiteral("port"));
    const QCommandLineOption referenceOption(QStringLiteral("protocol-reference"),
                                             QStringLiteral("Print the message table in Markdown and exit."));
    parser.addOptions(
        {portOption,     hostOption,     plainOption,    demoOption,    certOption,        keyOption,
         accountsOption, accountOption,  scenarioOption, clockOption,   seatOption,        shortTournamentOption,
         questionOption, awayOption,     namesDirOption, noLobbyOption, quietOption,       parentOption,
         randomOption,   handsOption,    answerOption,   offOption,     seatOnLoginOption, noHoldsOption,
         xmppPortOption, referenceOption});
    parser.addOption(kickTurnOption);
    parser.process(app);

    if (parser.isSet(referenceOption)) {
        std::cout << ProtocolReference::markdown();
        return 0;
    }

    PeerConfig config;
    try {
        if (!parser.isSet(noLobbyOption))
            config.addDefaultLobby();
        if (parser.isSet(accountsOption))
            config.loadAccounts(parser.value(accountsOption));
        for (const QString &account : parser.values(accountOption))
            config.addAccount(account);
        if (config.accounts.empty())
            config.addAccount(QStringLiteral("demo:demo:1001:Demo"));
        // A scenario given by name comes before the demo's, so it wins.
        for (const QString &scenario : parser.values(scenarioOption))
            config.loadScenario(scenario);
        if (parser.isSet(demoOption)) {
            bool secsOk = false;
            config.shortTournamentSecs = parser.value(shortTournamentOption).toLongLong(&secsOk);
            if (!secsOk || config.shortTournamentSecs < 1)
                throw std::runtime_error("--short-tournament-secs takes a positive number");
            config.openAccounts = true;
            addDemoLobby(config);
            addDemoTournaments(config);
            // Tournament tables first: the hands by ruleset would fit them too.
            config.loadScenario(QStringLiteral(":/peer/scenarios/demo-tournament-hand.json"));
            config.loadScenario(QStringLiteral(":/peer/scenarios/demo-riichi-hand.json"));
            config.loadScenario(QStringLiteral(":/peer/scenarios/demo-hand.json"));
            config.loadScenario(QStringLiteral(":/peer/scenarios/demo-international-hand.json"));
            config.loadScenario(QStringLiteral(":/peer/scenarios/demo-three-seat-hand.json"));
            config.loadScenario(QStringLiteral(":/peer/scenarios/demo-watch.json"));
            config.loadScenario(QStringLiteral(":/peer/scenarios/demo-watch-classic.json"));
            config.loadScenario(QStringLiteral(":/peer/scenarios/demo-watch-international.json"));
        }
        config.skipHolds = parser.isSet(noHoldsOption);
        config.clockOffsetMs = parser.value(clockOption).toLongLong();
        config.seatAfterMs = parser.value(seatOption).toLongLong();
        config.namesDir = parser.value(namesDirOption);
        config.publishNames();
        bool questionOk = false;
        config.questionMs = parser.value(questionOption).toLongLong(&questionOk);
        if (!questionOk || config.questionMs < 0)
            throw std::runtime_error("--question-ms takes a number of milliseconds");
        bool awayOk = false;
        config.awayAnswerMs = parser.value(awayOption).toLongLong(&awayOk);
        if (!awayOk || config.awayAnswerMs < 0)
            throw std::runtime_error("--away-answer-ms takes a number of milliseconds");
        if (parser.isSet(randomOption)) {
            static const QStringList kinds{"kick",     "watch", "late",       "replacement", "riichi",
                                           "kong",     "chow",  "pong",       "win",         "bonus",
                                           "inactive", "seats", "tournament", "resync",      "furiten"};
            bool seedOk = false, handsOk = false, answerOk = false;
            config.randomTable = true;
            config.random.seed = parser.value(randomOption).toUInt(&seedOk);
            config.random.hands = parser.value(handsOption).toInt(&handsOk);
            config.random.answerMs = parser.value(answerOption).toInt(&answerOk);
            if (!seedOk || !handsOk || config.random.hands < 1 || !answerOk || config.random.answerMs < 1)
                throw std::runtime_error("--random-table, --random-hands and --random-answer-ms take positive numbers");
            config.random.tournamentTable = parser.value(seatOnLoginOption).toInt();
            bool kickOk = false;
            config.random.kickTurn = parser.value(kickTurnOption).toInt(&kickOk);
            if (!kickOk || config.random.kickTurn < 0)
                throw std::runtime_error("--random-kick-turn takes a turn number");
            for (const QString &kind : parser.value(offOption).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                if (!kinds.contains(kind.trimmed()))
                    throw std::runtime_error("--random-off: unknown kind " + kind.toStdString());
                config.random.off.insert(kind.trimmed());
            }
        }
        (void)Codec::instance(); // a broken table fails here, not mid-session
    } catch (const std::exception &e) {
        std::cerr << "mahjong-peer: " << e.what() << std::endl;
        return 2;
    }

    // A port of our own for the announced chat server: bound, never listened
    // on, so connections to it are refused and no other process can have it.
    int xmppReservation = 0;
    if (parser.isSet(xmppPortOption)) {
        bool portOk = false;
        const uint xmppPort = parser.value(xmppPortOption).toUInt(&portOk);
        if (!portOk || xmppPort == 0 || xmppPort > 65535) {
            std::cerr << "mahjong-peer: --xmpp-port takes a port number" << std::endl;
            return 2;
        }
        config.xmppPort = quint16(xmppPort);
    } else {
        xmppReservation = reserveLoopbackPort(&config.xmppPort);
    }
    if (xmppReservation < 0)
        std::cerr << "mahjong-peer: no port to announce for XMPP, announcing " << config.xmppPort << std::endl;

    PeerServer server(config);
    server.setVerbose(!parser.isSet(quietOption));
    if (!parser.isSet(plainOption)) {
        try {
            server.setTls(parser.value(certOption), parser.value(keyOption));
        } catch (const std::exception &e) {
            std::cerr << "mahjong-peer: " << e.what() << std::endl;
            return 2;
        }
    }
    // Loopback only: the peer is for tests and local runs.
    QHostAddress address(parser.value(hostOption));
    if (parser.value(hostOption) == QLatin1String("localhost"))
        address = QHostAddress::LocalHost;
    if (!address.isLoopback()) {
        std::cerr << "mahjong-peer: --host must be a loopback address" << std::endl;
        return 2;
    }
    bool ok = false;
    const uint port = parser.value(portOption).toUInt(&ok);
    if (!ok || port > 65535 || !server.listen(address, quint16(port))) {
        std::cerr << "mahjong-peer: cannot listen on port " << parser.value(portOption).toStdString() << ": "
                  << server.errorString().toStdString() << std::endl;
        return 1;
    }
    if (parser.isSet(parentOption)) {
        // A test that dies must not leave its peer behind.
        std::thread([] {
            char buffer[256];
            while (fread(buffer, 1, sizeof buffer, stdin) > 0) {
            }
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
        }).detach();
    }
    PeerServer::log(QStringLiteral("LISTENING %1").arg(server.serverPort()));
    return app.exec();
}
