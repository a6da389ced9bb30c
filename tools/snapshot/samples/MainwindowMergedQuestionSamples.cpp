// Questions of one kind in one box (tables to rejoin, invitations from many
// players), and what other players' names and lines look like when they
// carry direction controls: an invitation and the lobby chat.
#include "../Sample.h"

#include "lobby/LobbyController.h"
#include "lobby/TableModel.h"
#include "mainwindow/MainWindow.h"
#include "protocol/Codec.h"
#include "protocol/ConnectionManager.h"
#include "protocol/MessageIds.h"
#include "protocol/TableInfo.h"
#include "protocol/WireValue.h"
#include "social/ConferenceWidget.h"
#include "widgets/QuestionListBox.h"
#include "xmpp/elements/XMPPMessage.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>

namespace {
const QChar override(0x202E);

MainWindow *lobby()
{
    auto *window = new MainWindow(QStringLiteral("localhost"), 443, QStringLiteral("ann"), QString(), true,
                                  QStringLiteral("localhost"), nullptr);
    window->displayLobby();
    window->setPlayerName(QStringLiteral("Ann"));
    window->onCurrentAccountBalance(123456);
    window->onDisplayTab(QStringLiteral("lobby"));
    window->resize(1024, 768);
    window->show();
    return window;
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// The window with its boxes over it, as the player sees them.
QWidget *withBoxes(MainWindow *window)
{
    settle();
    QPixmap picture = window->grab();
    QPainter painter(&picture);
    for (QDialog *box : window->findChildren<QDialog *>()) {
        if (box->isVisible() && box->windowTitle() != QLatin1String("Resolution too low!"))
            painter.drawPixmap(box->frameGeometry().topLeft() - window->geometry().topLeft(), box->grab());
    }
    painter.end();
    delete window;
    auto *label = new QLabel;
    label->setPixmap(picture);
    return label;
}

TableInfo practiceTable(qint32 id)
{
    TableInfo info(id, QStringLiteral("101/Practice"));
    info.setCapacity(4);
    return info;
}

// Three tables the player still sat at when the connection went, and one
// the server says the player sits at while joining another.
QWidget *rejoinMerged()
{
    MainWindow *window = lobby();
    for (qint32 table : {1001, 1002, 1003}) {
        window->previouslySeated(table, -1, 0);
        window->onTableInfoUpdate(practiceTable(table));
    }
    window->onAlreadySeated(2001);
    return withBoxes(window);
}

// Invitations from six players at once, one of them with a name that
// would turn the sentence around.
QWidget *invitations(bool many)
{
    MainWindow *window = lobby();
    TableModel *tables = window->lobbyController()->tableModel();
    tables->onTableInfoUpdate(practiceTable(1001));
    // The names as the server tells them.
    ConnectionManager &session = window->connectionManager();
    const Codec &codec = Codec::instance();
    session.handleMessage(codec.encode(msg::HELLO_OK, WireValue::List{1}));
    const QStringList names{QStringLiteral("Mal") + override + QStringLiteral("elbat"),
                            QStringLiteral("Mei"),
                            QStringLiteral("美咲"),
                            QStringLiteral("\u0639\u0644\u064a 7"),
                            QStringLiteral("Kenji"),
                            QStringLiteral("Bob")};
    for (int i = 0; i < (many ? names.size() : 1); ++i) {
        session.handleMessage(codec.encode(
            msg::SERVICE_RESPONSE,
            WireValue::List{qint64(1), 0, WireValue(WireValue::List{3001 + i, names.at(i)}, svc_msg::PLAYER_NAME)}));
        window->onInvited(1001, 3001 + i);
    }
    return withBoxes(window);
}

XMPPMessage roomMessage(const QString &nick, const QString &text)
{
    const XMPPJid room(QStringLiteral("conference.localhost"), QStringLiteral("lobby"));
    XMPPMessage message(XMPPJid(), XMPPMessage::GroupChat);
    message.setFrom(XMPPJid(room.domain(), room.node(), nick));
    message.setBody(text);
    return message;
}

// A line that would pass for Carol's, a nick that would turn its line
// around, an Arabic nick before a number, and notices with such nicks.
QWidget *chatOverride()
{
    auto *pane = new ConferenceWidget(nullptr, 0);
    pane->ensurePolished();
    pane->onMessage(roomMessage(QStringLiteral("Mei"), QStringLiteral("Good game everyone!")));
    pane->onMessage(roomMessage(QStringLiteral("Mal"), override + QStringLiteral("ereht olleh :loraC")));
    pane->onMessage(roomMessage(QStringLiteral("Mal") + override + QStringLiteral("eve"), QStringLiteral("hi all")));
    pane->onMessage(roomMessage(QStringLiteral("\u0639\u0644\u064a"), QStringLiteral("5 apples")));
    pane->onParticipantJoined(nullptr, QStringLiteral("Mal") + override + QStringLiteral("eve"));
    pane->onMessage(roomMessage(QStringLiteral("美咲"), QStringLiteral("よろしくお願いします")));
    return pane;
}
} // namespace

MAHJONG_SAMPLE(mainWindowRejoinMerged,
               {QStringLiteral("main-window-rejoin-merged"), {1024, 768}, [] { return rejoinMerged(); }});
MAHJONG_SAMPLE(mainWindowInvitationsMerged,
               {QStringLiteral("main-window-invitations-merged"), {1024, 768}, [] { return invitations(true); }});
MAHJONG_SAMPLE(mainWindowInvitationOverride,
               {QStringLiteral("main-window-invitation-override"), {1024, 768}, [] { return invitations(false); }});
MAHJONG_SAMPLE(lobbyChatOverride, {QStringLiteral("lobby-chat-override"), {591, 300}, [] { return chatOverride(); }});
