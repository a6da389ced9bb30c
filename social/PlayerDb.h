#pragma once

#include "social/PictureEntry.h"
#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XMPPPresence.h"
#include "xmpp/elements/XMPPVCard.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPixmap>
#include <QString>

#include <map>

class ConnectionManager;
class XMPPClient;

// The directory of players: screen names by player id (from the game-server
// session), XMPP addresses, and pictures from the players' vCards, with a
// default avatar for everyone who has none. Also relays the session's
// answers about accounts, screen names and passwords.
class PlayerDb : public QObject
{
    Q_OBJECT

public:
    // Pictures from vCards are scaled down to fit this square.
    static constexpr int PictureSide = 64;
    static constexpr int DefaultAvatarCount = 9;

    PlayerDb(ConnectionManager *session, XMPPClient *client, QObject *parent);

    void registerUser(const QString &username, const QString &password, const QString &email,
                      const QString &affiliateCode);
    QString playerIdString() const { return QString::number(m_ownId); }
    qint32 ownPlayerId() const { return m_ownId; }
    QString ownScreenname() const { return m_ownScreenname; }

    QString screenname(qint32 pid) const;
    // Empty for an address that is not one of our players.
    QString screennameForJid(const XMPPJid &jid) const;
    void queryScreennameInfo(const QString &screenname);
    XMPPJid jidForPid(qint32 pid) const;
    // -1 unless the node is a player id in decimal and the address is in
    // the game's XMPP domain.
    qint32 pidFromJid(const XMPPJid &jid) const;
    qint32 pidForScreenname(const QString &screenname) const;
    XMPPJid jidForScreenname(const QString &screenname) const;
    bool hasScreenname(const QString &screenname) const;
    // The player a chat room's nick names without guessing: the known player
    // of exactly that name, else the number in the nicks the chat panes fall
    // back to ("name (id)", "id"). -1 for neither.
    qint32 pidForNick(const QString &nick) const;
    // The one known player whose name a room spells as the nick; -1 when
    // none or several are.
    qint32 pidForRoomSpelling(const QString &nick) const;
    // A name as rooms prepare nicks: characters that map to nothing dropped,
    // then NFKC ("ｱﾝｼ" is "アンシ", "Ｂｏｂ" is "Bob"); the case stays.
    static QString roomSpelling(const QString &name);

    void requestPicture(qint32 pid);
    QPixmap picture(qint32 pid, bool defaultIfNone);
    // The resource name of the default avatar of a player id.
    static QString defaultAvatarName(qint32 pid);
    static QPixmap defaultAvatar(qint32 pid);

    // Asks the server; the own name changes when it agrees.
    void setScreenname(const QString &screenname);
    void setOwnPlayer(qint32 pid, const QString &screenname);

signals:
    void registerUserOk(bool active);
    void registerUserFailed(QString reason);
    void setScreennameOk();
    void setScreennameFailed(QString reason, bool needsScreenname);
    void changePasswordOk();
    void changePasswordFailed(QString reason);
    void changePictureOk();
    void changePictureFailed();
    void playerNameUpdate(qint32 pid, QString screenname);
    void playerPictureUpdate(qint32 pid);
    void searchJidResult(XMPPJid jid);
    void searchJidError(QString error);

public slots:
    void setPicture(const QImage &photo);
    void onPlayerNameUpdate(qint32 pid, const QString &screenname);
    void onXMPPConnected();
    void onXMPPDisconnected();
    void onVCardReceived(const XMPPJid &jid, const XMPPVCard &vCard);
    void onVCardReceivedError(const XMPPJid &jid);
    void onUploadVCardOk();
    void onUploadVCardError();
    void onPresence(const XMPPPresence &presence);
    void onQueryScreennameOk(const QString &screenname, qint32 pid, bool active);
    void onQueryScreennameFailed(const QString &reason);

private slots:
    void onSetScreennameOk();
    void onSetScreennameFailed(const QString &reason, bool needsScreenname);

private:
    struct CaseInsensitiveLess
    {
        bool operator()(const QString &a, const QString &b) const
        {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        }
    };

    bool xmppUp() const;
    QString xmppDomain() const;
    void setIndex(const QString &screenname, qint32 pid);
    // Fetches the vCard unless a fetch for the player is under way;
    // announcedHash is the photo hash that made us ask, if any.
    void fetchPicture(qint32 pid, const QByteArray &announcedHash = QByteArray());
    // The player a vCard answer or failure is for.

    ConnectionManager *m_session;
    XMPPClient *m_client;
    qint32 m_ownId = -1;
    QString m_ownScreenname;
    // The name sent to the server and not yet answered; null when none.
    QString m_requestedScreenname;
    std::map<QString, qint32, CaseInsensitiveLess> m_index;
    // The same names as they are spelled, and each player's latest name.
    QHash<QString, qint32> m_exactNames;
    QHash<qint32, QString> m_names;
    QMap<qint32, PictureEntry> m_pictures;
    // Players whose vCard is asked for, with the announced hash that made
    // us ask (empty when none did).
    QHash<qint32, QByteArray> m_outstanding;
    // The game's XMPP domain, kept from the last session.
    QString m_domain;
};
