#include "../Sample.h"

#include "social/ConferenceWidget.h"
#include "xmpp/elements/DelayedDeliveryInfo.h"
#include "xmpp/elements/XMPPMessage.h"

#include <QDateTime>

namespace
{
const XMPPJid lobbyRoom(QStringLiteral("conference.localhost"), QStringLiteral("lobby"));

XMPPMessage roomMessage(const QString &nick, const QString &text, const QDateTime &delayedFrom = QDateTime())
{
    XMPPMessage message(XMPPJid(), XMPPMessage::GroupChat);
    message.setFrom(XMPPJid(lobbyRoom.domain(), lobbyRoom.node(), nick));
    message.setBody(text);
    if (delayedFrom.isValid())
        message.stanza().delay = xmpp::DelayedDeliveryInfo{lobbyRoom, delayedFrom};
    return message;
}

// The lobby chat as a player finds it: yesterday's history, the own join,
// others coming and going and talking, one with markup in the nick.
QWidget *lobbyChat()
{
    auto *pane = new ConferenceWidget(nullptr, 0);
    // The style sheet's colours apply to lines added after this.
    pane->ensurePolished();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    pane->onMessage(roomMessage(QStringLiteral("Mei"), QStringLiteral("Good game everyone!"), now.addDays(-1)));
    pane->onMessage(roomMessage(QStringLiteral("Kenji"), QStringLiteral("See you tomorrow"), now.addDays(-1).addSecs(90)));
    pane->onParticipantJoined(nullptr, QStringLiteral("Alice"));
    pane->onParticipantJoined(nullptr, QStringLiteral("<b>Bob</b>"));
    pane->onMessage(roomMessage(QStringLiteral("Alice"), QStringLiteral("Anyone for a game of riichi? <img src=x> & more")));
    pane->onMessage(roomMessage(QStringLiteral("<b>Bob</b>"), QStringLiteral("Table 1001 has a free seat")));
    pane->onMessage(roomMessage(QStringLiteral("美咲"), QStringLiteral("よろしくお願いします")));
    pane->onParticipantLeft(nullptr, QStringLiteral("Kenji"));
    pane->onParticipantKicked(nullptr, QStringLiteral("Spammer"), XMPPJid(), QString());
    return pane;
}

// A table's chat: others at the table join, the own kick shows its reason.
QWidget *tableChat()
{
    auto *pane = new ConferenceWidget(nullptr, 0);
    // The style sheet's colours apply to lines added after this.
    pane->ensurePolished();
    pane->onParticipantJoined(nullptr, QStringLiteral("East"));
    pane->onParticipantJoined(nullptr, QStringLiteral("South"));
    pane->onParticipantJoined(nullptr, QStringLiteral("West"));
    pane->onMessage(roomMessage(QStringLiteral("East"), QStringLiteral("Good luck!")));
    pane->onMessage(roomMessage(QStringLiteral("West"), QStringLiteral("Thanks, you too")));
    pane->appendNotice(ConferenceWidget::tr("%1 has been kicked from the chat by %2 due to %3")
                           .arg(QStringLiteral("North"), QStringLiteral("admin@localhost"), QStringLiteral("flooding")));
    return pane;
}
} // namespace

MAHJONG_SAMPLE(lobbyChat, {QStringLiteral("lobby-chat"), {591, 400}, [] { return lobbyChat(); }});
MAHJONG_SAMPLE(tableChat, {QStringLiteral("table-chat"), {320, 300}, [] { return tableChat(); }});
