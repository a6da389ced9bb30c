#include "social/ConferenceWidget.h"

#include "protocol/ServerTime.h"
#include "social/ChatController.h"
#include "social/Logging.h"
#include "social/PlayerDb.h"
#include "ui_ConferenceView.h"
#include "widgets/Utils.h"
#include "xmpp/client/XMPPClient.h"

#include <QEvent>

#include <exception>

namespace {
// A nick or reason from the room inside a notice: it cannot turn the
// notice around.
QString shown(const QString &text)
{
    return Utils::isolated(text).toHtmlEscaped();
}
} // namespace

ConferenceWidget::ConferenceWidget(QWidget *parent, const int &noticeMask)
    : QWidget(nullptr)
    , m_ui(std::make_unique<Ui::ConferenceView>())
    , m_noticeMask(noticeMask)
{
    // The creator puts the pane into a layout, which parents it.
    Q_UNUSED(parent);
    m_ui->setupUi(this);
    m_ui->chatInput->setEnabled(false);

    connect(m_ui->chatInput, &QLineEdit::returnPressed, this, &ConferenceWidget::onReturnPressed);
    connect(m_ui->send, &QAbstractButton::clicked, this, [this] { onReturnPressed(); });
    connect(&m_conference, &XMPPConference::message, this, &ConferenceWidget::onMessage);
    connect(&m_conference, &XMPPConference::userError, this, &ConferenceWidget::onUserError);
    connect(&m_conference, &XMPPConference::userJoined, this, &ConferenceWidget::onUserJoined);
    connect(&m_conference, &XMPPConference::userLeft, this, &ConferenceWidget::onUserLeft);
    connect(&m_conference, &XMPPConference::userKicked, this, &ConferenceWidget::onUserKicked);
    connect(&m_conference, &XMPPConference::userBanned, this, &ConferenceWidget::onUserBanned);
    connect(&m_conference, &XMPPConference::participantJoined, this, &ConferenceWidget::onParticipantJoined);
    connect(&m_conference, &XMPPConference::participantLeft, this, &ConferenceWidget::onParticipantLeft);
    connect(&m_conference, &XMPPConference::participantBanned, this, &ConferenceWidget::onParticipantBanned);
    connect(&m_conference, &XMPPConference::participantKicked, this, &ConferenceWidget::onParticipantKicked);
    connect(&m_conference, &XMPPConference::userNickChanged, this, &ConferenceWidget::onUserNickChanged);
    connect(&m_conference, &XMPPConference::userEntryUnanswered, this,
            [this] { appendNotice(tr("The chat room did not answer").toHtmlEscaped()); });
    connect(m_ui->chatOutput, &ChatOutputWidget::userMenuRequested, this, &ConferenceWidget::onNickMenuRequested);
}

ConferenceWidget::~ConferenceWidget() = default;

void ConferenceWidget::setChatController(ChatController *controller)
{
    if (m_controller && m_controller->client())
        disconnect(m_controller->client(), nullptr, this, nullptr);
    m_controller = controller;
    m_conference.setClient(controller ? controller->client() : nullptr);
    if (controller && controller->client())
        connect(controller->client(), &XMPPClient::disconnected, this, &ConferenceWidget::onConnectionLost);
}

void ConferenceWidget::onConnectionLost()
{
    // What is typed now would go nowhere; the next join enables it again.
    if (!m_ui->chatInput->isEnabled())
        return;
    m_ui->chatInput->setEnabled(false);
    appendNotice(tr("The chat connection was lost").toHtmlEscaped());
}

bool ConferenceWidget::clientUp() const
{
    return m_controller && m_controller->client() && m_controller->client()->state() == XMPPClient::ConnectedState;
}

void ConferenceWidget::enterRoom(const XMPPJid &room, int mode)
{
    try {
        m_conference.setRoomJid(room);
    } catch (const std::exception &e) {
        // Still in the previous room: leave it first.
        qCWarning(lcSocial) << "cannot enter" << room.text() << ":" << e.what();
        return;
    }
    m_mode = mode;
    join();
}

void ConferenceWidget::joinLobbyChat()
{
    if (m_controller)
        enterRoom(m_controller->lobbyRoom(), LobbyMode);
}

void ConferenceWidget::joinTableChat(qint32 tableId)
{
    if (!m_controller || m_controller->conferenceService().isEmpty()) {
        qCWarning(lcSocial) << "no conference service for the chat of table" << tableId;
        return;
    }
    enterRoom(XMPPJid(m_controller->conferenceService().text(), tableRoomNode(tableId)), TableMode);
}

QString ConferenceWidget::tableRoomNode(qint32 tableId)
{
    return QStringLiteral("table-%1").arg(tableId);
}

bool ConferenceWidget::isInTableChat(qint32 tableId) const
{
    return m_mode == TableMode && m_conference.roomJid().node() == tableRoomNode(tableId)
           && (m_conference.isJoined() || m_conference.isEntering());
}

QString ConferenceWidget::ownNick() const
{
    return m_conference.nick();
}

void ConferenceWidget::join()
{
    if (!clientUp())
        return;
    QString nick = m_controller->playerDb() ? m_controller->playerDb()->ownScreenname() : QString();
    const QString id = m_controller->client()->jid().node();
    QStringList fallbacks;
    if (nick.isEmpty()) {
        nick = QString(); // the room then uses the player id
    } else {
        // A room that takes the name for another occupant's, or cannot
        // spell it, gets the name with the player's number, and then the
        // number alone, which every room accepts.
        fallbacks << QStringLiteral("%1 (%2)").arg(nick, id) << id;
    }
    m_askedNick = nick.isNull() ? id : nick;
    try {
        m_conference.join(nick, fallbacks);
    } catch (const std::exception &e) {
        qCWarning(lcSocial) << "joining" << m_conference.roomJid().text() << "failed:" << e.what();
    }
}

void ConferenceWidget::leave()
{
    if (!clientUp())
        return;
    try {
        m_conference.leave();
    } catch (const std::exception &e) {
        qCWarning(lcSocial) << "leaving" << m_conference.roomJid().text() << "failed:" << e.what();
    }
}

void ConferenceWidget::appendNotice(const QString &text)
{
    m_ui->chatOutput->appendSystemMessage(ServerTime::instance().now(), text);
}

void ConferenceWidget::onReturnPressed()
{
    const QString text = m_ui->chatInput->text();
    // While the stream closes the room still counts as joined, but nothing
    // can be written any more.
    if (text.isEmpty() || !m_conference.isJoined() || !clientUp())
        return;
    try {
        m_conference.sendMessage(text);
    } catch (const std::exception &e) {
        qCWarning(lcSocial) << "sending to" << m_conference.roomJid().text() << "failed:" << e.what();
        return;
    }
    m_ui->chatInput->clear();
}

void ConferenceWidget::onMessage(const XMPPMessage &message)
{
    const QString body = message.body();
    // Subjects and chat states carry no text to show.
    if (body.isEmpty())
        return;
    const QDateTime now = ServerTime::instance().now();
    QDateTime time = now;
    if (message.hasDelay() && message.delayStamp().isValid() && message.delayStamp() < now)
        time = message.delayStamp();
    const QString sender = message.from().text();
    const int slash = sender.indexOf(QLatin1Char('/'));
    const QString nick = slash < 0 ? QString() : sender.mid(slash + 1);
    m_ui->chatOutput->appendMessage(time, nick, body);
}

QString ConferenceWidget::errorText(int error, int mode)
{
    switch (error) {
    case 0:
        return tr("No error");
    case 1:
        return tr("Undefined error");
    case 2:
        return tr("You've been banned from this room");
    case 3:
        return tr("The room is password protected");
    case 4:
        return tr("This is a members only room");
    case 5:
        return tr("Your nickname is already in use in this room");
    case 6:
        return tr("The room is full");
    case 7:
        return tr("The room is locked");
    case 8:
        if (mode == LobbyMode)
            return tr("Lobby chat unavailable");
        if (mode == TableMode)
            return tr("Table chat only available to players");
        return tr("The room doesn't exist");
    default:
        return QString();
    }
}

void ConferenceWidget::onUserError(XMPPConference *room, XMPPPresence::error_t error)
{
    Q_UNUSED(room);
    appendNotice(errorText(int(error), m_mode).toHtmlEscaped());
}

void ConferenceWidget::onUserJoined()
{
    m_ui->chatInput->setEnabled(true);
    if (!(m_noticeMask & HideOwnPresence))
        appendNotice(tr("%1 joined the chat").arg(shown(ownNick())));
    // Others see the room's nick, not the player's name: say which.
    if (ownNick() != m_askedNick)
        appendNotice(tr("You chat as %1 in this room").arg(shown(ownNick())));
}

void ConferenceWidget::onUserNickChanged(XMPPConference *room, const QString &nick)
{
    Q_UNUSED(room);
    m_ui->chatInput->setEnabled(true);
    appendNotice(tr("You now chat as %1 in this room").arg(shown(nick)));
}

void ConferenceWidget::onNickMenuRequested(const QString &nick, const QPoint &pos)
{
    // The room's nick need not be anyone's name: it may be normalised,
    // or the number of a player whose name the room refused.
    const XMPPJid jid = m_conference.occupantJid(nick);
    if (jid.isNull())
        emit userMenuRequested(nick, pos);
    else
        emit playerMenuRequested(jid, pos);
}

void ConferenceWidget::onUserLeft()
{
    m_ui->chatInput->setEnabled(false);
    if (!(m_noticeMask & HideOwnPresence))
        appendNotice(tr("%1 left the chat").arg(shown(ownNick())));
}

QString ConferenceWidget::removalText(bool banned, const XMPPJid &actor, const QString &reason) const
{
    const QString nick = shown(ownNick());
    const QString by = shown(actor.text());
    const QString why = shown(reason);
    if (actor.isNull()) {
        if (reason.isEmpty())
            return banned ? tr("%1 has been banned from the chat").arg(nick)
                          : tr("%1 has been kicked from the chat").arg(nick);
        return banned ? tr("%1 has been banned from the chat due to %2").arg(nick, why)
                      : tr("%1 has been kicked from the chat due to %2").arg(nick, why);
    }
    if (reason.isEmpty())
        return banned ? tr("%1 has been banned from the chat by %2").arg(nick, by)
                      : tr("%1 has been kicked from the chat by %2").arg(nick, by);
    return banned ? tr("%1 has been banned from the chat by %2 due to %3").arg(nick, by, why)
                  : tr("%1 has been kicked from the chat by %2 due to %3").arg(nick, by, why);
}

void ConferenceWidget::onUserKicked(XMPPConference *room, const XMPPJid &actor, const QString &reason)
{
    Q_UNUSED(room);
    if (!(m_noticeMask & HideOwnKickBan))
        appendNotice(removalText(false, actor, reason));
}

void ConferenceWidget::onUserBanned(XMPPConference *room, const XMPPJid &actor, const QString &reason)
{
    Q_UNUSED(room);
    if (!(m_noticeMask & HideOwnKickBan))
        appendNotice(removalText(true, actor, reason));
}

void ConferenceWidget::onParticipantJoined(XMPPConference *room, const QString &nick)
{
    Q_UNUSED(room);
    if (!(m_noticeMask & HideOthersPresence))
        appendNotice(tr("%1 joined the chat").arg(shown(nick)));
}

void ConferenceWidget::onParticipantLeft(XMPPConference *room, const QString &nick)
{
    Q_UNUSED(room);
    if (!(m_noticeMask & HideOthersPresence))
        appendNotice(tr("%1 left the chat").arg(shown(nick)));
}

void ConferenceWidget::onParticipantKicked(XMPPConference *room, const QString &nick, const XMPPJid &actor,
                                           const QString &reason)
{
    Q_UNUSED(room);
    Q_UNUSED(actor);
    Q_UNUSED(reason);
    if (!(m_noticeMask & HideOthersKickBan))
        appendNotice(tr("%1 has been kicked from the chat").arg(shown(nick)));
}

void ConferenceWidget::onParticipantBanned(XMPPConference *room, const QString &nick, const XMPPJid &actor,
                                           const QString &reason)
{
    Q_UNUSED(room);
    Q_UNUSED(actor);
    Q_UNUSED(reason);
    if (!(m_noticeMask & HideOthersKickBan))
        appendNotice(tr("%1 has been banned from the chat").arg(shown(nick)));
}

void ConferenceWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QWidget::changeEvent(event);
}
