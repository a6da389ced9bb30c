#include "xmpp/client/XMPPClient.h"

#include "xmpp/Logging.h"
#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/Iq.h"
#include "xmpp/elements/IqBind.h"
#include "xmpp/elements/IqRoster.h"
#include "xmpp/elements/IqSession.h"
#include "xmpp/elements/MessageStanza.h"
#include "xmpp/elements/PresenceStanza.h"
#include "xmpp/elements/SASLAuth.h"
#include "xmpp/elements/SASLFailure.h"
#include "xmpp/elements/StreamError.h"
#include "xmpp/elements/StreamFeatures.h"
#include "xmpp/stream/StreamWriter.h"
#include "xmpp/elements/TLSStart.h"
#include "xmpp/elements/stanza_error.h"
#include "xmpp/elements/stream_error.h"

#include <QDebug>
#include <QHostAddress>
#include <QSslConfiguration>

#include <stdexcept>

namespace {

using Cond = xmpp::StreamErrorCondition;

bool isIq(const xmpp::StreamElement &element)
{
    return dynamic_cast<const xmpp::Iq *>(&element) != nullptr;
}

int stanzaKind(const xmpp::StreamElement &element)
{
    if (dynamic_cast<const xmpp::MessageStanza *>(&element))
        return xmpp::stanza_error::MessageKind;
    if (dynamic_cast<const xmpp::PresenceStanza *>(&element))
        return xmpp::stanza_error::PresenceKind;
    if (isIq(element))
        return xmpp::stanza_error::IqKind;
    return -1;
}

const QString resultText = QStringLiteral("result");
const QString errorText = QStringLiteral("error");

// The login cannot go on without a result to its bind or session request.
void requireLoginResult(const xmpp::Iq &iq, const QString &failure)
{
    if (iq.hasError() || iq.typeText == errorText)
        throw xmpp::stream_error(Cond::UndefinedCondition, failure);
    if (iq.typeText != resultText)
        throw xmpp::stanza_error(xmpp::stanza_error::IqKind, xmpp::StanzaErrorType::Wait,
                                 xmpp::StanzaErrorCondition::UnexpectedRequest, iq.id);
}

} // namespace

XMPPClient::XMPPClient(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<QAbstractSocket::SocketError>("QAbstractSocket::SocketError");
    qRegisterMetaType<XMPPClient::XMPPError>("XMPPClient::XMPPError");
    qRegisterMetaType<XMPPJid>("XMPPJid");
    qRegisterMetaType<XMPPPresence>("XMPPPresence");
    qRegisterMetaType<XMPPMessage>("XMPPMessage");
    qRegisterMetaType<QList<XMPPJid>>("QList<XMPPJid>");

    connect(&m_socket, &QSslSocket::connected, this, &XMPPClient::socketConnected, Qt::QueuedConnection);
    connect(&m_socket, &QSslSocket::readyRead, this, &XMPPClient::socketReadyRead, Qt::QueuedConnection);
    connect(&m_socket, &QSslSocket::disconnected, this, &XMPPClient::socketDisconnected, Qt::QueuedConnection);
    connect(&m_socket, &QSslSocket::errorOccurred, this, &XMPPClient::onSocketError, Qt::QueuedConnection);
    connect(&m_socket, &QSslSocket::encrypted, this, &XMPPClient::socketEncrypted, Qt::QueuedConnection);
    // Direct: the verdict on the certificate is needed inside the handshake.
    connect(&m_socket, &QSslSocket::sslErrors, this, &XMPPClient::socketSslErrors);
    m_socket.setReadBufferSize(socketReadBufferBytes);

    connect(&m_vCard, &xmpp::ClientVCard::vCardReceived, this, &XMPPClient::vCardReceived);
    connect(&m_vCard, &xmpp::ClientVCard::vCardReceivedError, this, &XMPPClient::vCardReceivedError);
    connect(&m_vCard, &xmpp::ClientVCard::uploadVCardOk, this, &XMPPClient::uploadVCardOk);
    connect(&m_vCard, &xmpp::ClientVCard::uploadVCardError, this, &XMPPClient::uploadVCardError);
    connect(&m_roster, &xmpp::ClientRoster::rosterReset, this, &XMPPClient::rosterReset);
    connect(&m_roster, &xmpp::ClientRoster::rosterUpdate, this, &XMPPClient::rosterUpdate);
    connect(&m_search, &xmpp::ClientSearch::requestSearchFormResult, this, &XMPPClient::requestSearchFormResult);
    connect(&m_search, &xmpp::ClientSearch::requestSearchFormError, this, &XMPPClient::requestSearchFormError);
    connect(&m_search, &xmpp::ClientSearch::searchReport, this, &XMPPClient::searchReport);
    connect(&m_search, &xmpp::ClientSearch::searchError, this, &XMPPClient::searchError);
    connect(&m_conference, &xmpp::ClientConference::conferenceJID, this, &XMPPClient::conferenceJID);
    connect(&m_conference, &xmpp::ClientConference::conferenceRooms, this, &XMPPClient::conferenceRooms);
}

XMPPClient::~XMPPClient()
{
    // No end of stream is written: the socket goes down with us.
    m_writer.reset();
    m_socket.disconnect(this);
}

void XMPPClient::authenticate(const QString &user, const QString &password)
{
    m_user = user;
    m_password = password;
    // Only a refused attempt waits for new credentials; sending while the
    // server still judges the last ones would start a second exchange.
    if (m_state == AuthenticatingState && m_authRetryAllowed)
        sendPlainAuth();
}

void XMPPClient::connectToHost(const QString &host, quint16 port, TlsPolicy policy)
{
    if (m_state != UnconnectedState) {
        qCDebug(lcXmpp) << "Ignoring connectToHost call. UnconnectedState !=" << m_state;
        return;
    }
    m_state = ConnectingState;
    m_host = host;
    m_port = port;
    m_tlsPolicy = policy;
    m_jid = XMPPJid();
    m_bindId.clear();
    m_sessionId.clear();
    m_authRetryAllowed = false;
    m_sessionOffered = false;
    m_serverClosed = false;
    // Trust what the program added to the defaults since we were built.
    m_socket.setSslConfiguration(QSslConfiguration::defaultConfiguration());
    m_socket.connectToHost(host, port, QIODevice::ReadWrite);
}

void XMPPClient::disconnectFromHost()
{
    if (m_state == UnconnectedState || m_state == ClosingState)
        return;
    if (m_state >= AuthenticatingState && m_writer)
        m_writer->close();
    m_state = ClosingState;
    m_socket.disconnectFromHost();
}

QString XMPPClient::nextId()
{
    return QStringLiteral("%1").arg(++m_idCounter);
}

void XMPPClient::registerIqHandler(const QString &id, IqHandler handler)
{
    m_pendingIqs.insert(id, std::move(handler));
}

void XMPPClient::send(const xmpp::StreamElement &element)
{
    if (m_state == UnconnectedState || m_state == ClosingState || !m_writer || m_serverClosed) {
        qCDebug(lcXmpp) << "can't write in state " << m_state;
        return;
    }
    if (isIq(element)) {
        const auto &iq = static_cast<const xmpp::Iq &>(element);
        if (iq.typeText == QLatin1String("get") || iq.typeText == QLatin1String("set"))
            m_iqRecipients.insert(iq.id, iq.to);
    }
    try {
        m_writer->writeElement(element);
    } catch (const std::runtime_error &e) {
        const QString message = QStringLiteral("write failed with message: %1").arg(QString::fromLocal8Bit(e.what()));
        qCCritical(lcXmpp).noquote() << message;
        emit xmppError(ConnectionError, message);
        disconnectFromHost();
        return;
    }
    // A server that does not read what it asked for (answers to its requests
    // and probes) would have it pile up here without end.
    const qint64 unsent = m_socket.bytesToWrite() + m_socket.encryptedBytesToWrite();
    if (unsent > maxUnsentBytes) {
        qCWarning(lcXmpp).noquote()
            << QStringLiteral("the XMPP server does not read: %1 bytes unsent, ending the session").arg(unsent);
        // Ended as a lost connection is, from the event loop: the caller may
        // be a handler in the middle of its work.
        m_state = ClosingState;
        m_socket.abort();
        QMetaObject::invokeMethod(this, &XMPPClient::socketClosed, Qt::QueuedConnection);
    }
}

void XMPPClient::openStream()
{
    m_writer = std::make_unique<xmpp::StreamWriter>(XMPPJid(m_socket.peerName()), QStringLiteral("en"));
    m_writer->open(&m_socket);
    m_reader.reset();
}

void XMPPClient::socketConnected()
{
    if (m_state != ConnectingState)
        return;
    openStream();
    qCDebug(lcXmpp) << "Socket connected to host" << m_socket.peerName() << " on port" << m_socket.peerPort();
}

void XMPPClient::socketEncrypted()
{
    if (m_state != TlsState)
        return;
    qCDebug(lcXmpp) << "Socket Encrypted!!";
    openStream();
}

void XMPPClient::socketReadyRead()
{
    m_readTurns.schedule();
}

bool XMPPClient::readTurn()
{
    if (readSlice())
        return true;
    if (m_serverClosed) {
        m_serverClosed = false;
        connectionLost();
    }
    return false;
}

bool XMPPClient::readSlice()
{
    for (;;) {
        if (m_state == UnconnectedState || m_state == ClosingState || !m_writer) {
            const qint64 unread = m_socket.bytesAvailable();
            if (unread > 0) {
                qCDebug(lcXmpp) << "dropping" << unread << "bytes received in state" << m_state;
                m_socket.skip(unread);
            }
            return false;
        }
        switch (readElement()) {
        case ReadStep::Stop:
            return false;
        case ReadStep::NeedMoreData:
            // In pieces: an element is bounded, a read of many of them is not.
            if (m_socket.bytesAvailable() == 0)
                return false;
            m_reader.addData(m_socket.read(readChunkBytes));
            break;
        case ReadStep::Handled:
            break;
        }
        if (m_readTurns.spent())
            return true;
    }
}

XMPPClient::ReadStep XMPPClient::readElement()
{
    std::unique_ptr<xmpp::StreamElement> element;
    m_replyTo = XMPPJid();
    try {
        const int result = m_reader.next();
        if (result == xmpp::StreamReader::NeedMoreData) {
            qCDebug(lcXmpp) << "NeedMoreData";
            return ReadStep::NeedMoreData;
        }
        if (result == xmpp::StreamReader::EndOfStream) {
            qCDebug(lcXmpp) << "EndOfStream";
            disconnectFromHost();
            return ReadStep::Stop;
        }
        element = m_reader.takeElement();
        if (!element)
            return ReadStep::Handled;
        const auto *stanza = dynamic_cast<const xmpp::Stanza *>(element.get());
        m_replyTo = stanza ? stanza->from : XMPPJid();
        handleElement(*element);
    } catch (const xmpp::stream_error &e) {
        if (dropRefusedStanza(e))
            return ReadStep::Handled;
        failStream(e);
        return ReadStep::Stop;
    } catch (const xmpp::stanza_error &e) {
        qCDebug(lcXmpp) << e.what();
        if (!element)
            m_replyTo = refusedSender();
        replyStanzaError(e.kind(), e.errorType(), e.errorCondition(), e.id());
        if (!element)
            failRefusedRequest();
    } catch (const std::invalid_argument &e) {
        // An address part over its length limit in received data.
        failStream(xmpp::stream_error(Cond::BadFormat, QString::fromLocal8Bit(e.what())));
        return ReadStep::Stop;
    }
    return ReadStep::Handled;
}

XMPPJid XMPPClient::refusedSender() const
{
    try {
        return XMPPJid(m_reader.refusedStanza().from);
    } catch (const std::invalid_argument &) {
        return XMPPJid();
    }
}

bool XMPPClient::dropRefusedStanza(const xmpp::stream_error &error)
{
    // Another user can send a stanza with a broken error part or type through
    // the server; that must cost the stanza, not the session. Addresses are
    // the server's to check, so a bad one still ends the stream, as does
    // anything refused during login.
    const xmpp::StreamReader::RefusedStanza &refused = m_reader.refusedStanza();
    if (m_state != ConnectedState || refused.kind < 0 || error.condition() == Cond::ImproperAddressing)
        return false;
    qCWarning(lcXmpp) << "xmpp: stanza dropped:" << error.what();
    if (refused.kind != xmpp::stanza_error::IqKind)
        return true;
    if (refused.type == QLatin1String("get") || refused.type == QLatin1String("set")) {
        // A request still gets its answer.
        m_replyTo = refusedSender();
        replyStanzaError(xmpp::stanza_error::IqKind, xmpp::StanzaErrorType::Modify,
                         xmpp::StanzaErrorCondition::BadRequest, refused.id);
        return true;
    }
    failRefusedRequest();
    return true;
}

void XMPPClient::failRefusedRequest()
{
    // An unreadable answer ends its request as failed instead of leaving it
    // waiting for the rest of the session.
    const xmpp::StreamReader::RefusedStanza &refused = m_reader.refusedStanza();
    if (m_state != ConnectedState || refused.kind != xmpp::stanza_error::IqKind
        || (refused.type != resultText && refused.type != errorText)) {
        return;
    }
    const auto handler = m_pendingIqs.find(refused.id);
    if (handler == m_pendingIqs.end() || !answersRequest(refused.id, refusedSender()))
        return;
    m_iqRecipients.remove(refused.id);
    failPendingIq(handler, "a refused answer");
}

void XMPPClient::failPendingIq(QMap<QString, IqHandler>::iterator pending, const char *cause)
{
    // Taken out first: the handler may register new requests.
    const IqHandler call = std::move(pending.value());
    m_pendingIqs.erase(pending);
    try {
        call(nullptr);
    } catch (const std::exception &e) {
        qCWarning(lcXmpp).noquote() << QStringLiteral("iq handler failed on %1:").arg(QLatin1String(cause)) << e.what();
    }
}

bool XMPPClient::answersRequest(const QString &id, const XMPPJid &from) const
{
    const XMPPJid asked = m_iqRecipients.value(id);
    const XMPPJid ownBare = m_jid.isEmpty() ? XMPPJid() : m_jid.bare();
    // A request to the own account (no address, the bare or the full own
    // address) is answered by the server on its behalf: with no sender, the
    // own bare or full address, or the server's domain.
    if (asked.isEmpty() || asked == ownBare || asked == m_jid) {
        return from.isEmpty() || from == ownBare || from == m_jid
               || (!m_jid.isEmpty() && from == XMPPJid(m_jid.domain()));
    }
    return from == asked;
}

void XMPPClient::failStream(const xmpp::stream_error &error)
{
    qCDebug(lcXmpp) << error.what();
    send(xmpp::StreamError(error.condition(), error.text()));
    disconnectFromHost();
    emit xmppError(ConnectionError, QString::fromLocal8Bit(error.what()));
}

void XMPPClient::replyStanzaError(int kind, int errorType, int errorCondition, const QString &id)
{
    auto reply = [&](auto stanza) {
        stanza.to = m_replyTo;
        stanza.id = id;
        stanza.typeText = errorText;
        stanza.errorType = errorType;
        stanza.errorCondition = errorCondition;
        send(stanza);
    };
    switch (kind) {
    case xmpp::stanza_error::MessageKind:
        reply(xmpp::MessageStanza());
        break;
    case xmpp::stanza_error::PresenceKind:
        reply(xmpp::PresenceStanza());
        break;
    default:
        reply(xmpp::Iq());
        break;
    }
}

void XMPPClient::handleElement(xmpp::StreamElement &element)
{
    if (m_state == ConnectedState)
        handleSessionElement(element);
    else
        handleLoginElement(element);
}

void XMPPClient::handleLoginElement(xmpp::StreamElement &element)
{
    switch (element.type()) {
    case xmpp::ElementType::StreamFeatures:
        handleFeatures(static_cast<const xmpp::StreamFeatures &>(element));
        return;
    case xmpp::ElementType::TLSProceed:
        if (m_state != TlsState)
            break;
        qCDebug(lcXmpp) << "Proceed with TLS received";
        m_socket.startClientEncryption();
        return;
    case xmpp::ElementType::TLSFailure:
        qCDebug(lcXmpp) << "TLS Failure received";
        disconnectFromHost();
        return;
    case xmpp::ElementType::StreamError: {
        // The server has ended its stream: nothing to answer, but the user
        // should learn why (an unknown host, a policy, ...).
        const auto &error = static_cast<const xmpp::StreamError &>(element);
        const QString message = QString::fromLocal8Bit(xmpp::stream_error(error.condition, error.text).what());
        qCDebug(lcXmpp).noquote() << "stream error during login:" << message;
        disconnectFromHost();
        emit xmppError(ConnectionError, message);
        return;
    }
    case xmpp::ElementType::SASLAbort:
        qCDebug(lcXmpp) << "SASL Authentication aborted";
        disconnectFromHost();
        return;
    case xmpp::ElementType::SASLSuccess:
        if (m_state != AuthenticatingState)
            break;
        qCDebug(lcXmpp) << "SASL Authentication success";
        m_authRetryAllowed = false;
        openStream();
        return;
    case xmpp::ElementType::SASLFailure: {
        if (m_state != AuthenticatingState)
            break;
        qCDebug(lcXmpp) << "SASL Authentication failure";
        const int condition = static_cast<const xmpp::SASLFailure &>(element).condition;
        if (condition == xmpp::SASLFailureCondition::InvalidAuthzid
            || condition == xmpp::SASLFailureCondition::NotAuthorized
            || condition == xmpp::SASLFailureCondition::TemporaryAuthFailure) {
            m_authRetryAllowed = true;
            emit xmppError(RetryAuth, QStringLiteral("retry auth"));
        } else {
            emit xmppError(ConnectionError, QStringLiteral("PLAIN auth failed"));
            disconnectFromHost();
        }
        return;
    }
    default:
        // Current servers answer the session request with an empty result,
        // so both answers are recognised by the id of their request.
        if (m_state == BindingState && isIq(element)) {
            const auto &iq = static_cast<const xmpp::Iq &>(element);
            if (!m_bindId.isEmpty() && iq.id == m_bindId) {
                handleBindAnswer(iq);
                return;
            }
            if (!m_sessionId.isEmpty() && iq.id == m_sessionId) {
                handleSessionAnswer(iq);
                return;
            }
        }
        break;
    }
    throw xmpp::stream_error(Cond::NotAuthorized, QString());
}

void XMPPClient::handleFeatures(const xmpp::StreamFeatures &features)
{
    qCDebug(lcXmpp) << "Features received";
    qCDebug(lcXmpp).nospace() << "\ttls_available: " << features.startTlsOffered
                              << "\n\ttls_required: " << features.startTlsRequired;
    for (const QString &mechanism : features.mechanisms)
        qCDebug(lcXmpp).noquote() << "\tmechanism: " + mechanism;

    if (!m_socket.isEncrypted()) {
        switch (m_tlsPolicy) {
        case TlsRequired:
            if (!features.startTlsOffered)
                throw xmpp::stream_error(Cond::PolicyViolation, QStringLiteral("TLS required"));
            startTls();
            return;
        case TlsWhenOffered:
            if (features.startTlsOffered) {
                startTls();
                return;
            }
            break;
        case TlsNever:
            if (features.startTlsRequired)
                throw xmpp::stream_error(Cond::PolicyViolation, QStringLiteral("won't use TLS"));
            break;
        }
    }

    if (m_state == ConnectingState || m_state == TlsState) {
        if (!features.mechanisms.contains(QStringLiteral("PLAIN")))
            throw xmpp::stream_error(Cond::PolicyViolation, QStringLiteral("PLAIN auth required"));
        if (!m_socket.isEncrypted() && !plainAllowedWithoutTls(m_socket.peerAddress(), m_allowPlainWithoutTls))
            throw xmpp::stream_error(Cond::PolicyViolation, QStringLiteral("PLAIN auth requires an encrypted stream"));
        m_state = AuthenticatingState;
        sendPlainAuth();
    } else if (m_state == AuthenticatingState) {
        if (!features.bindOffered)
            throw xmpp::stream_error(Cond::PolicyViolation, QStringLiteral("bind feature required"));
        m_state = BindingState;
        // A session feature marked optional (RFC 6121) need not be requested.
        m_sessionOffered = features.sessionOffered && !features.sessionOptional;
        m_bindId = nextId();
        send(xmpp::IqBind(m_bindId, m_resource));
    }
}

bool XMPPClient::plainAllowedWithoutTls(const QHostAddress &peer, bool allowedByOption)
{
    return allowedByOption || peer.isLoopback();
}

void XMPPClient::startTls()
{
    m_state = TlsState;
    send(xmpp::TLSStart());
}

void XMPPClient::sendPlainAuth()
{
    m_authRetryAllowed = false;
    const QString data = QString() + QChar(0) + m_user + QChar(0) + m_password;
    send(xmpp::SASLAuth(QStringLiteral("PLAIN"), data.toUtf8()));
}

void XMPPClient::handleBindAnswer(const xmpp::Iq &iq)
{
    requireLoginResult(iq, QStringLiteral("bind failed"));
    const auto *bind = dynamic_cast<const xmpp::IqBind *>(&iq);
    // Without the bound address the rooms and messages have no sender.
    if (!bind || bind->jid.isEmpty())
        throw xmpp::stream_error(Cond::UndefinedCondition, QStringLiteral("bind failed"));
    m_bindId.clear();
    m_jid = bind->jid;
    if (m_sessionOffered) {
        m_sessionId = nextId();
        send(xmpp::IqSession(m_sessionId));
    } else {
        sessionUp();
    }
}

void XMPPClient::handleSessionAnswer(const xmpp::Iq &iq)
{
    requireLoginResult(iq, QStringLiteral("session failed"));
    m_sessionId.clear();
    sessionUp();
}

void XMPPClient::sessionUp()
{
    if (m_state != ConnectedState) {
        m_state = ConnectedState;
        emit connected();
    }
    // A slot of connected() may have closed the session already.
    if (m_state == ConnectedState)
        sendPresence();
}

void XMPPClient::handleSessionElement(xmpp::StreamElement &element)
{
    if (isIq(element)) {
        const auto &iq = static_cast<const xmpp::Iq &>(element);
        if (iq.typeText == resultText || iq.hasError()) {
            const auto handler = m_pendingIqs.find(iq.id);
            if (handler != m_pendingIqs.end() && !answersRequest(iq.id, iq.from)) {
                // Ids are sequential: anyone could guess one and answer for the server.
                qCWarning(lcXmpp) << "xmpp: dropping an answer to request" << iq.id << "from" << iq.from.text()
                                  << "instead of" << m_iqRecipients.value(iq.id).text();
                return;
            }
            if (handler != m_pendingIqs.end()) {
                const IqHandler call = std::move(handler.value());
                m_pendingIqs.erase(handler);
                m_iqRecipients.remove(iq.id);
                call(&element);
                return;
            }
            // Answering an answer could start an endless exchange of errors.
            qCDebug(lcXmpp) << "dropping unexpected iq answer, id" << iq.id;
            return;
        }
    }

    switch (element.type()) {
    case xmpp::ElementType::StreamError: {
        const auto &error = static_cast<const xmpp::StreamError &>(element);
        emit xmppError(ConnectionError, error.text);
        disconnectFromHost();
        return;
    }
    case xmpp::ElementType::MessageStanza: {
        const auto &message = static_cast<const xmpp::MessageStanza &>(element);
        if (message.hasError() || message.typeText == errorText) {
            qCDebug(lcXmpp) << "dropping error message from" << message.from.text();
            return;
        }
        emit messageReceived(XMPPMessage(message, m_reader.streamLanguage()));
        return;
    }
    case xmpp::ElementType::PresenceStanza:
    case xmpp::ElementType::MucPresenceStanza:
        handlePresence(static_cast<const xmpp::PresenceStanza &>(element));
        return;
    case xmpp::ElementType::IqRoster: {
        const auto &roster = static_cast<const xmpp::IqRoster &>(element);
        if (roster.typeText != errorText && roster.typeText != resultText) {
            m_roster.handleRosterPush(roster);
            return;
        }
        break;
    }
    default:
        break;
    }

    const int kind = stanzaKind(element);
    if (kind < 0) {
        if (dynamic_cast<const xmpp::Stanza *>(&element))
            throw xmpp::stream_error(Cond::UnsupportedStanzaType, QStringLiteral("unexpected stanza element type"));
        throw xmpp::stream_error(Cond::UndefinedCondition, QStringLiteral("unexpected non-stanza stream element"));
    }
    const auto &stanza = static_cast<const xmpp::Stanza &>(element);
    if (stanza.typeText == errorText) {
        qCDebug(lcXmpp) << "dropping unhandled error stanza, id" << stanza.id;
        return;
    }
    throw xmpp::stanza_error(kind, xmpp::StanzaErrorType::Cancel, xmpp::StanzaErrorCondition::FeatureNotImplemented,
                             stanza.id);
}

void XMPPClient::handlePresence(const xmpp::PresenceStanza &stanza)
{
    switch (stanza.presenceType()) {
    case xmpp::PresenceStanza::Available:
    case xmpp::PresenceStanza::Unavailable:
        qCDebug(lcXmpp) << "Presence";
        emit presence(XMPPPresence(stanza));
        break;
    case xmpp::PresenceStanza::Error:
        qCDebug(lcXmpp) << "Presence error";
        emit presence(XMPPPresence(stanza));
        break;
    case xmpp::PresenceStanza::Subscribe:
        qCDebug(lcXmpp) << "Subscribe" << stanza.from.text();
        emit authorizationRequestReceived(stanza.from);
        break;
    case xmpp::PresenceStanza::Subscribed:
        qCDebug(lcXmpp) << "Subscribed" << stanza.from.text();
        break;
    case xmpp::PresenceStanza::Unsubscribe:
        qCDebug(lcXmpp) << "Unsubscribe" << stanza.from.text();
        break;
    case xmpp::PresenceStanza::Unsubscribed:
        qCDebug(lcXmpp) << "Unsubscribed" << stanza.from.text();
        break;
    case xmpp::PresenceStanza::Probe:
        qCDebug(lcXmpp) << "Presence probe";
        sendPresence();
        break;
    default:
        break;
    }
}

void XMPPClient::connectionLost()
{
    // Every request still waiting ends as failed, before anyone hears of the loss.
    m_iqRecipients.clear();
    while (!m_pendingIqs.isEmpty())
        failPendingIq(m_pendingIqs.begin(), "connection loss");
    m_writer.reset();
    const int previous = m_state;
    m_state = UnconnectedState;
    if (previous == ConnectedState || previous == ClosingState)
        emit disconnected();
}

void XMPPClient::socketDisconnected()
{
    qCDebug(lcXmpp) << "Connection lost to host" << m_socket.peerName();
    socketClosed();
}

void XMPPClient::socketClosed()
{
    // A late signal of an earlier connection must not end a newer one.
    if (m_socket.state() != QAbstractSocket::UnconnectedState || m_state == UnconnectedState)
        return;
    // What the server sent before it closed is still handled, in the same
    // turns as before: its last words may tell why.
    if (m_state != ClosingState && (m_socket.bytesAvailable() > 0 || m_readTurns.isScheduled())) {
        m_serverClosed = true;
        m_readTurns.schedule();
        return;
    }
    connectionLost();
}

void XMPPClient::onSocketError(QAbstractSocket::SocketError error)
{
    socketClosed();
    emit socketError(error);
    qCDebug(lcXmpp) << "Socket error " << error;
}

void XMPPClient::socketSslErrors(const QList<QSslError> &errors)
{
    QStringList texts;
    for (const QSslError &error : errors)
        texts.append(error.errorString());
    emit xmppError(SslError, texts.join(QLatin1Char('\n')));
}

void XMPPClient::sendPresence()
{
    xmpp::PresenceStanza stanza;
    XMPPPresence::setAvailability(m_availability, stanza);
    stanza.statuses.insert(QStringLiteral("UND"), m_statusText);
    stanza.tablePaths = m_tablePaths;
    stanza.photoHash = m_photoHash;
    send(stanza);
}

void XMPPClient::addTablePath(const QString &path)
{
    m_tablePaths.insert(path);
    if (m_state == ConnectedState)
        sendPresence();
}

void XMPPClient::removeTablePath(const QString &path)
{
    if (m_tablePaths.remove(path) && m_state == ConnectedState)
        sendPresence();
}

void XMPPClient::setPhotoHash(const QByteArray &hash)
{
    m_photoHash = hash;
    if (m_state == ConnectedState)
        sendPresence();
}

void XMPPClient::requestSubscription(const XMPPJid &jid, bool cancel)
{
    send(xmpp::PresenceStanza(jid, cancel ? xmpp::PresenceStanza::Unsubscribe : xmpp::PresenceStanza::Subscribe));
}

void XMPPClient::answerSubscription(const XMPPJid &jid, bool accept)
{
    send(xmpp::PresenceStanza(jid, accept ? xmpp::PresenceStanza::Subscribed : xmpp::PresenceStanza::Unsubscribed));
}
