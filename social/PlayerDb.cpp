#include "social/PlayerDb.h"

#include "protocol/ConnectionManager.h"
#include "social/Logging.h"
#include "xmpp/client/XMPPClient.h"

#include <QStringList>
#include <QTimer>

#include <exception>

PlayerDb::PlayerDb(ConnectionManager *session, XMPPClient *client, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_client(client)
{
    connect(session, &ConnectionManager::registerUserOk, this, &PlayerDb::registerUserOk);
    connect(session, &ConnectionManager::registerUserFailed, this, &PlayerDb::registerUserFailed);
    connect(session, &ConnectionManager::setScreennameOk, this, &PlayerDb::onSetScreennameOk);
    connect(session, &ConnectionManager::setScreennameFailed, this, &PlayerDb::onSetScreennameFailed);
    connect(session, &ConnectionManager::changePasswordOk, this, &PlayerDb::changePasswordOk);
    connect(session, &ConnectionManager::changePasswordFailed, this, &PlayerDb::changePasswordFailed);
    connect(session, &ConnectionManager::playerNameUpdate, this, &PlayerDb::onPlayerNameUpdate);
    connect(session, &ConnectionManager::queryScreennameOk, this, &PlayerDb::onQueryScreennameOk);
    connect(session, &ConnectionManager::queryScreennameFailed, this, &PlayerDb::onQueryScreennameFailed);
    connect(client, &XMPPClient::connected, this, &PlayerDb::onXMPPConnected);
    connect(client, &XMPPClient::disconnected, this, &PlayerDb::onXMPPDisconnected);
    connect(client, &XMPPClient::vCardReceived, this, &PlayerDb::onVCardReceived);
    connect(client, &XMPPClient::vCardReceivedError, this, &PlayerDb::onVCardReceivedError);
    connect(client, &XMPPClient::uploadVCardOk, this, &PlayerDb::onUploadVCardOk);
    connect(client, &XMPPClient::uploadVCardError, this, &PlayerDb::onUploadVCardError);
    connect(client, &XMPPClient::presence, this, &PlayerDb::onPresence);
}

void PlayerDb::registerUser(const QString &username, const QString &password, const QString &email,
                            const QString &affiliateCode)
{
    m_session->register_user(username, password, email, affiliateCode);
}

bool PlayerDb::xmppUp() const
{
    return m_client->state() == XMPPClient::ConnectedState;
}

QString PlayerDb::xmppDomain() const
{
    const QString domain = m_client->serverJid().text();
    return domain.isEmpty() ? m_domain : domain;
}

QString PlayerDb::screenname(qint32 pid) const
{
    return m_session->playerName(pid);
}

QString PlayerDb::screennameForJid(const XMPPJid &jid) const
{
    const qint32 pid = pidFromJid(jid);
    // Not a player of ours: nothing to ask the game server about.
    return pid == -1 ? QString() : screenname(pid);
}

void PlayerDb::queryScreennameInfo(const QString &screenname)
{
    m_session->query_screenname_info(screenname);
}

XMPPJid PlayerDb::jidForPid(qint32 pid) const
{
    return XMPPJid(xmppDomain(), QString::number(pid, 10));
}

qint32 PlayerDb::pidFromJid(const XMPPJid &jid) const
{
    // Asked for every row of the friends list as it sorts: read in place.
    const QString domain = xmppDomain();
    const QStringView text(jid.text());
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    const QStringView bare = slash < 0 ? text : text.left(slash);
    const qsizetype at = bare.indexOf(QLatin1Char('@'));
    // A contact elsewhere ("7@other.example") is not our player 7; servers
    // fold the case of domains, so "7@LOCALHOST" is.
    if (domain.isEmpty() || bare.mid(at + 1).compare(domain, Qt::CaseInsensitive) != 0)
        return -1;
    const QStringView node = at < 0 ? bare : bare.left(at);
    // Only the id as jidForPid writes it: "0007" or "+7" is another account.
    if (node.isEmpty() || (node.size() > 1 && node.front() == QLatin1Char('0')))
        return -1;
    for (const QChar c : node) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    }
    bool ok = false;
    const qint32 pid = node.toInt(&ok, 10);
    return ok ? pid : -1;
}

void PlayerDb::setIndex(const QString &screenname, qint32 pid)
{
    m_index[screenname] = pid;
    // A name given up is no longer the player's.
    if (const auto previous = m_names.constFind(pid);
        previous != m_names.constEnd() && *previous != screenname && m_exactNames.value(*previous, -1) == pid)
        m_exactNames.remove(*previous);
    m_exactNames.insert(screenname, pid);
    m_names.insert(pid, screenname);
}

qint32 PlayerDb::pidForScreenname(const QString &screenname) const
{
    const auto it = m_index.find(screenname);
    return it == m_index.end() ? -1 : it->second;
}

XMPPJid PlayerDb::jidForScreenname(const QString &screenname) const
{
    return jidForPid(pidForScreenname(screenname));
}

bool PlayerDb::hasScreenname(const QString &screenname) const
{
    return m_index.find(screenname) != m_index.end();
}

qint32 PlayerDb::pidForNick(const QString &nick) const
{
    if (const auto exact = m_exactNames.constFind(nick); exact != m_exactNames.constEnd())
        return *exact;
    const auto idOf = [](QStringView digits) {
        // Written as jidForPid writes ids: no sign, no leading zero.
        if (digits.isEmpty() || digits.size() > 10 || digits.front() == QLatin1Char('0'))
            return -1;
        for (const QChar c : digits)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return -1;
        bool ok = false;
        const qint32 pid = digits.toInt(&ok);
        return ok ? pid : -1;
    };
    const qint32 alone = idOf(nick);
    if (alone != -1 || !nick.endsWith(QLatin1Char(')')))
        return alone;
    const qsizetype open = nick.lastIndexOf(QLatin1String(" ("));
    if (open <= 0)
        return -1;
    const qint32 pid = idOf(QStringView(nick).mid(open + 2, nick.size() - open - 3));
    // Anyone may call himself "Ann (7)": the number names player 7 only
    // when the name beside it could be 7's.
    const auto known = m_names.constFind(pid);
    if (pid != -1 && known != m_names.constEnd() && roomSpelling(*known) != roomSpelling(nick.left(open)))
        return -1;
    return pid;
}

qint32 PlayerDb::pidForRoomSpelling(const QString &nick) const
{
    // Asked once per menu a player opens: a walk over the names is cheap.
    const QString spelled = roomSpelling(nick);
    qint32 found = -1;
    for (auto it = m_names.constBegin(); it != m_names.constEnd(); ++it) {
        if (roomSpelling(it.value()) != spelled)
            continue;
        if (found != -1)
            return -1;
        found = it.key();
    }
    return found;
}

QString PlayerDb::roomSpelling(const QString &name)
{
    // Stringprep's "mapped to nothing" (RFC 3454, B.1), as resourceprep
    // drops them from nicks.
    const auto dropped = [](char16_t c) {
        return c == 0x00AD || c == 0x034F || c == 0x1806 || (c >= 0x180B && c <= 0x180D) || (c >= 0x200B && c <= 0x200D)
               || c == 0x2060 || (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF;
    };
    QString kept;
    kept.reserve(name.size());
    for (const QChar c : name)
        if (!dropped(c.unicode()))
            kept += c;
    return kept.normalized(QString::NormalizationForm_KC);
}

void PlayerDb::requestPicture(qint32 pid)
{
    fetchPicture(pid);
}

void PlayerDb::fetchPicture(qint32 pid, const QByteArray &announcedHash)
{
    // Views ask on every repaint; one answer serves them all.
    if (pid < 0 || m_outstanding.contains(pid) || !xmppUp())
        return;
    try {
        m_client->requestVCard(jidForPid(pid));
        m_outstanding.insert(pid, announcedHash);
    } catch (const std::exception &e) {
        qCWarning(lcSocial) << "vCard request for player" << pid << "failed:" << e.what();
    }
}

QString PlayerDb::defaultAvatarName(qint32 pid)
{
    static const QStringList names = {
        QStringLiteral("resources:/avatar-default-1.png"),      QStringLiteral("resources:/avatar-default-2.png"),
        QStringLiteral("resources:/avatar-default-blue.png"),   QStringLiteral("resources:/avatar-default-brown.png"),
        QStringLiteral("resources:/avatar-default-brown2.png"), QStringLiteral("resources:/avatar-default-green.png"),
        QStringLiteral("resources:/avatar-default-purple.png"), QStringLiteral("resources:/avatar-default-red.png"),
        QStringLiteral("resources:/avatar-default-yellow.png"),
    };
    return names.at(int(quint32(pid) % DefaultAvatarCount));
}

QPixmap PlayerDb::defaultAvatar(qint32 pid)
{
    return QPixmap(defaultAvatarName(pid));
}

QPixmap PlayerDb::picture(qint32 pid, bool defaultIfNone)
{
    const auto it = m_pictures.constFind(pid);
    if (it != m_pictures.constEnd() && !it->pixmap.isNull())
        return it->pixmap;
    if (it == m_pictures.constEnd())
        fetchPicture(pid);
    return defaultIfNone ? defaultAvatar(pid) : QPixmap();
}

void PlayerDb::setScreenname(const QString &screenname)
{
    m_requestedScreenname = screenname;
    m_session->set_screenname(screenname);
}

void PlayerDb::onSetScreennameOk()
{
    if (!m_requestedScreenname.isNull()) {
        m_ownScreenname = m_requestedScreenname;
        m_requestedScreenname = QString();
        setIndex(m_ownScreenname, m_ownId);
        emit playerNameUpdate(m_ownId, m_ownScreenname);
    }
    emit setScreennameOk();
}

void PlayerDb::onSetScreennameFailed(const QString &reason, bool needsScreenname)
{
    m_requestedScreenname = QString();
    emit setScreennameFailed(reason, needsScreenname);
}

void PlayerDb::setOwnPlayer(qint32 pid, const QString &screenname)
{
    m_ownScreenname = screenname;
    setIndex(screenname, pid);
    emit playerNameUpdate(pid, screenname);
    if (pid == m_ownId)
        return;
    m_ownId = pid;
    if (xmppUp())
        fetchPicture(pid);
    else
        emit playerPictureUpdate(pid);
}

void PlayerDb::setPicture(const QImage &photo)
{
    if (!xmppUp()) {
        emit changePictureFailed();
        return;
    }
    try {
        m_client->uploadVCard(photo);
    } catch (const std::exception &e) {
        qCWarning(lcSocial) << "vCard upload failed:" << e.what();
        emit changePictureFailed();
    }
}

void PlayerDb::onUploadVCardOk()
{
    if (m_ownId != -1)
        fetchPicture(m_ownId);
    emit changePictureOk();
}

void PlayerDb::onUploadVCardError()
{
    emit changePictureFailed();
}

void PlayerDb::onPlayerNameUpdate(qint32 pid, const QString &screenname)
{
    setIndex(screenname, pid);
    emit playerNameUpdate(pid, screenname);
}

void PlayerDb::onXMPPConnected()
{
    m_domain = m_client->serverJid().text();
    if (m_ownId != -1)
        fetchPicture(m_ownId);
}

void PlayerDb::onXMPPDisconnected()
{
    // The requests died with the session; the pictures stay valid.
    m_outstanding.clear();
}

void PlayerDb::onVCardReceived(const XMPPJid &jid, const XMPPVCard &vCard)
{
    const qint32 pid = pidFromJid(jid);
    if (pid == -1) {
        qCWarning(lcSocial) << "vCard of" << jid.text() << "belongs to no player";
        return;
    }
    const QByteArray announcedHash = m_outstanding.take(pid);
    PictureEntry entry;
    if (vCard.photo().isNull()) {
        // Also an undecodable photo: the announced hash keeps the next
        // presence with it from fetching the same photo again.
        entry.hash = announcedHash;
        entry.pixmap = defaultAvatar(pid);
    } else {
        QImage image = vCard.photo();
        if (image.width() > PictureSide || image.height() > PictureSide)
            image = image.scaled(PictureSide, PictureSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        entry.hash = vCard.hash();
        entry.pixmap = QPixmap::fromImage(image);
        if (pid == m_ownId)
            m_client->setPhotoHash(vCard.hash());
    }
    m_pictures.insert(pid, entry);
    emit playerPictureUpdate(pid);
}

void PlayerDb::onVCardReceivedError(const XMPPJid &jid)
{
    const qint32 pid = pidFromJid(jid);
    if (pid == -1 || !m_outstanding.contains(pid))
        return;
    const QByteArray announcedHash = m_outstanding.take(pid);
    // Pending requests fail just before the client reports a lost session:
    // only a refusal while the session lives caches the default.
    QTimer::singleShot(0, this, [this, pid, announcedHash] {
        if (!xmppUp() || m_outstanding.contains(pid))
            return;
        qCDebug(lcSocial) << "no vCard for player" << pid << "- default avatar until a new photo";
        m_pictures.insert(pid, PictureEntry{announcedHash, defaultAvatar(pid)});
        emit playerPictureUpdate(pid);
    });
}

void PlayerDb::onPresence(const XMPPPresence &presence)
{
    const qint32 pid = pidFromJid(presence.from());
    if (pid == -1 || pid == m_ownId || !presence.hasPhotoHash())
        return;
    const auto it = m_pictures.constFind(pid);
    if (it != m_pictures.constEnd() && it->hash != presence.photoHash())
        fetchPicture(pid, presence.photoHash());
}

void PlayerDb::onQueryScreennameOk(const QString &screenname, qint32 pid, bool active)
{
    Q_UNUSED(active);
    setIndex(screenname, pid);
    emit searchJidResult(jidForPid(pid));
}

void PlayerDb::onQueryScreennameFailed(const QString &reason)
{
    emit searchJidError(reason);
}
