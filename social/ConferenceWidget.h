#pragma once

#include "xmpp/client/XMPPClient.h"
#include "xmpp/client/XMPPConference.h"
#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XMPPMessage.h"
#include "xmpp/elements/XMPPPresence.h"

#include <QPoint>
#include <QWidget>

#include <memory>

class ChatController;

namespace Ui {
class ConferenceView;
}

// One chat pane over one multi-user chat room: the log, the input line and
// the send button. Serves the lobby chat and the chat of a table; the mode
// only changes the text of the "room doesn't exist" error.
class ConferenceWidget : public QWidget
{
    Q_OBJECT

public:
    // Bits of the notice mask: a set bit hides those notices.
    enum NoticeBits { HideOwnPresence = 1, HideOthersPresence = 2, HideOwnKickBan = 4, HideOthersKickBan = 8 };
    enum Mode { NoMode = 0, LobbyMode = 1, TableMode = 2 };

    ConferenceWidget(QWidget *parent, const int &noticeMask);
    ~ConferenceWidget() override;

    void setChatController(ChatController *controller);
    void setNoticeMask(const int &mask) { m_noticeMask = mask; }
    int noticeMask() const { return m_noticeMask; }
    int mode() const { return m_mode; }
    XMPPConference &conference() { return m_conference; }

    void joinLobbyChat();
    void joinTableChat(qint32 tableId);
    // Whether the pane is in the chat room of the table, or on its way in.
    bool isInTableChat(qint32 tableId) const;
    void join();
    void leave();
    // text is rich text; whatever came from others in it must be escaped.
    void appendNotice(const QString &text);

    static QString errorText(int error, int mode);

signals:
    // The menu of a nick whose player the room has not shown.
    void userMenuRequested(QString nick, QPoint pos);
    // The menu of the player behind a nick, as the room showed the address.
    void playerMenuRequested(XMPPJid jid, QPoint pos);

public slots:
    void onMessage(const XMPPMessage &message);
    void onUserError(XMPPConference *room, XMPPPresence::error_t error);
    void onUserJoined();
    void onUserLeft();
    void onUserKicked(XMPPConference *room, const XMPPJid &actor, const QString &reason);
    void onUserBanned(XMPPConference *room, const XMPPJid &actor, const QString &reason);
    void onParticipantJoined(XMPPConference *room, const QString &nick);
    void onParticipantLeft(XMPPConference *room, const QString &nick);
    void onParticipantKicked(XMPPConference *room, const QString &nick, const XMPPJid &actor, const QString &reason);
    void onParticipantBanned(XMPPConference *room, const QString &nick, const XMPPJid &actor, const QString &reason);
    void onUserNickChanged(XMPPConference *room, const QString &nick);
    void onReturnPressed();
    // The XMPP stream ended: the room is gone until the next join.
    void onConnectionLost();

protected:
    void changeEvent(QEvent *event) override;

private:
    void onNickMenuRequested(const QString &nick, const QPoint &pos);
    bool clientUp() const;
    void enterRoom(const XMPPJid &room, int mode);
    static QString tableRoomNode(qint32 tableId);
    QString ownNick() const;
    // The kick or ban text with or without actor and reason, all escaped.
    QString removalText(bool banned, const XMPPJid &actor, const QString &reason) const;

    std::unique_ptr<Ui::ConferenceView> m_ui;
    XMPPConference m_conference;
    int m_noticeMask;
    ChatController *m_controller = nullptr;
    int m_mode = NoMode;
    // The nick asked for at the last join.
    QString m_askedNick;
};
