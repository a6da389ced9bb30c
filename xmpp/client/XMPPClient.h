#pragma once

#include "core/ReadTurns.h"
#include "xmpp/client/ClientConference.h"
#include "xmpp/client/ClientRoster.h"
#include "xmpp/client/ClientSearch.h"
#include "xmpp/client/ClientVCard.h"
#include "xmpp/stream/StreamReader.h"
#include "xmpp/elements/XMPPDataForm.h"
#include "xmpp/elements/XMPPDataReport.h"
#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XMPPMessage.h"
#include "xmpp/elements/XMPPPresence.h"
#include "xmpp/elements/XMPPVCard.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QHostAddress>
#include <QImage>
#include <QList>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QSslError>
#include <QSslSocket>
#include <QString>

#include <functional>
#include <memory>

namespace xmpp {
class Iq;
class PresenceStanza;
class Stanza;
class StreamElement;
class StreamFeatures;
class StreamWriter;
class stream_error;
} // namespace xmpp

// The client's one XMPP session: connects, negotiates STARTTLS, logs in with
// SASL PLAIN, binds a resource, opens the session, publishes the own
// presence and turns every received stanza into a signal. It never
// reconnects by itself.
class XMPPClient : public QObject
{
    Q_OBJECT

public:
    enum TlsPolicy { TlsRequired = 0, TlsWhenOffered = 1, TlsNever = 2 };
    Q_ENUM(TlsPolicy)

    enum XMPPError { SslError = 0, ConnectionError = 1, RetryAuth = 3 };
    Q_ENUM(XMPPError)

    enum State {
        UnconnectedState = 0,
        ConnectingState = 1,
        TlsState = 2,
        AuthenticatingState = 3,
        BindingState = 4,
        ConnectedState = 5,
        ClosingState = 6
    };
    Q_ENUM(State)

    using IqHandler = std::function<void(xmpp::StreamElement *)>;

    // Received bytes held at most by the socket (the server's sending waits
    // beyond that), and read from it at a time for the stream reader (a
    // piece full of small elements costs the XML reader about 2 ms).
    static constexpr qint64 socketReadBufferBytes = 1024 * 1024;
    static constexpr qint64 readChunkBytes = 16 * 1024;
    // Unsent bytes beyond which a server that does not read is dropped.
    static constexpr qint64 maxUnsentBytes = 1024 * 1024;

    explicit XMPPClient(QObject *parent = nullptr);
    ~XMPPClient() override;

    // Stores the credentials; when the server refused the last ones in a way
    // that allows another try, sends them at once on the same stream.
    void authenticate(const QString &user, const QString &password);
    void connectToHost(const QString &host, quint16 port, TlsPolicy policy);
    void disconnectFromHost();

    int state() const { return m_state; }
    // The full address the server bound for this session.
    XMPPJid jid() const { return m_jid; }
    // From the server's stream header.
    XMPPJid serverJid() const { return m_reader.server(); }
    QString streamLanguage() const { return m_reader.streamLanguage(); }

    // Writes one element in states 1 to 5; logs and drops it otherwise.
    void send(const xmpp::StreamElement &element);
    QString nextId();
    // The handler gets the answer to the iq with that id, or nullptr when the
    // connection ends first or the answer could not be read; it is called once.
    void registerIqHandler(const QString &id, IqHandler handler);

    // PLAIN sends the password in the clear unless the stream is encrypted;
    // it is allowed without TLS only to a loopback peer or with this set.
    void setAllowPlainWithoutTls(bool allow) { m_allowPlainWithoutTls = allow; }
    static bool plainAllowedWithoutTls(const QHostAddress &peer, bool allowedByOption);

    // Own presence.
    void sendPresence();
    void addTablePath(const QString &path);
    void removeTablePath(const QString &path);
    QSet<QString> tablePaths() const { return m_tablePaths; }
    void setPhotoHash(const QByteArray &hash);
    QByteArray photoHash() const { return m_photoHash; }

    // Subscriptions.
    void requestSubscription(const XMPPJid &jid, bool cancel);
    void answerSubscription(const XMPPJid &jid, bool accept);

    // Rooms: finds the server's conference service (conferenceJID) and lists
    // its rooms (conferenceRooms). Both throw std::runtime_error
    // "not connected" unless the session is up.
    void discoverConference() { m_conference.discoverConference(); }
    void requestConferenceRooms(const XMPPJid &service) { m_conference.requestConferenceRooms(service); }
    void joinRoom(const XMPPJid &room, const QString &nick) { m_conference.joinRoom(room, nick); }
    void leaveRoom(const XMPPJid &room, const QString &nick) { m_conference.leaveRoom(room, nick); }
    void createInstantRoom(const XMPPJid &room) { m_conference.createInstantRoom(room); }
    void sendMessage(const XMPPMessage &message) { m_conference.sendMessage(message); }

    // Extensions; their answers come back as this client's signals.
    void requestRoster() { m_roster.requestRoster(); }
    void updateRosterItem(const XMPPJid &jid, bool remove, const QString &name, const QString &group)
    {
        m_roster.updateRosterItem(jid, remove, name, group);
    }
    void requestVCard(const XMPPJid &jid) { m_vCard.requestVCard(jid); }
    void uploadVCard(const QImage &photo) { m_vCard.uploadVCard(photo); }
    void requestSearchForm(const XMPPJid &service, const QString &requestTag)
    {
        m_search.requestSearchForm(service, requestTag);
    }
    void search(const XMPPJid &service, const XMPPDataForm &form, const QString &requestTag)
    {
        m_search.search(service, form, requestTag);
    }

signals:
    void connected();
    void disconnected();
    void socketError(QAbstractSocket::SocketError se);
    void xmppError(XMPPClient::XMPPError se, QString msg);
    void vCardReceived(XMPPJid jid, XMPPVCard vCard);
    void vCardReceivedError(XMPPJid jid);
    void uploadVCardOk();
    void uploadVCardError();
    void messageReceived(XMPPMessage message);
    void rosterReset();
    void rosterUpdate(XMPPJid jid, int subscribeFlags, bool remove, QString name, QString group);
    void authorizationRequestReceived(XMPPJid from);
    void conferenceJID(XMPPJid jid);
    void conferenceRooms(QList<XMPPJid> jids);
    void presence(XMPPPresence presence);
    void requestSearchFormResult(XMPPDataForm searchFields, QString);
    void requestSearchFormError(QString);
    void searchReport(XMPPDataReport searchReport, QString);
    void searchError(QString);

private slots:
    void socketConnected();
    void socketReadyRead();
    void socketDisconnected();
    void onSocketError(QAbstractSocket::SocketError error);
    void socketEncrypted();
    void socketSslErrors(const QList<QSslError> &errors);

private:
    void openStream();
    // One turn of reading: true when more may wait for the next.
    bool readTurn();
    bool readSlice();
    enum class ReadStep { Handled, NeedMoreData, Stop };
    // Reads and handles the next element.
    ReadStep readElement();
    void socketClosed();
    void connectionLost();
    void handleElement(xmpp::StreamElement &element);
    void handleLoginElement(xmpp::StreamElement &element);
    void handleSessionElement(xmpp::StreamElement &element);
    void handleFeatures(const xmpp::StreamFeatures &features);
    void handleBindAnswer(const xmpp::Iq &iq);
    void handleSessionAnswer(const xmpp::Iq &iq);
    void handlePresence(const xmpp::PresenceStanza &stanza);
    void sendPlainAuth();
    void startTls();
    void sessionUp();
    void replyStanzaError(int kind, int errorType, int errorCondition, const QString &id);
    void failStream(const xmpp::stream_error &error);
    bool dropRefusedStanza(const xmpp::stream_error &error);
    XMPPJid refusedSender() const;
    void failRefusedRequest();
    // Removes the request and calls its handler with nullptr.
    void failPendingIq(QMap<QString, IqHandler>::iterator pending, const char *cause);
    bool answersRequest(const QString &id, const XMPPJid &from) const;

    QString m_user;
    QString m_password;
    QString m_resource;
    XMPPJid m_jid;
    QString m_host;
    quint16 m_port = 0;
    TlsPolicy m_tlsPolicy = TlsRequired;
    QSslSocket m_socket;
    std::unique_ptr<xmpp::StreamWriter> m_writer;
    xmpp::StreamReader m_reader;
    ReadTurns m_readTurns{this, [this] { return readTurn(); }};
    // The socket went down with received data still to handle; the loss is
    // reported after it.
    bool m_serverClosed = false;
    int m_state = UnconnectedState;
    int m_idCounter = 0;
    QMap<QString, IqHandler> m_pendingIqs;
    // Whom each request under way was sent to: only that entity may answer it.
    QHash<QString, XMPPJid> m_iqRecipients;
    bool m_sessionOffered = false;
    xmpp::ClientVCard m_vCard{this};
    xmpp::ClientRoster m_roster{this};
    xmpp::ClientSearch m_search{this};
    xmpp::ClientConference m_conference{this};

    // Login bookkeeping: answers are matched by the id of their request.
    QString m_bindId;
    QString m_sessionId;
    bool m_authRetryAllowed = false;
    bool m_allowPlainWithoutTls = false;
    // Sender of the stanza being handled, the address of an error reply.
    XMPPJid m_replyTo;

    int m_availability = XMPPPresence::Available;
    QString m_statusText;
    QSet<QString> m_tablePaths;
    QByteArray m_photoHash;
};
