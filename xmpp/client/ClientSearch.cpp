#include "xmpp/client/ClientSearch.h"

#include "xmpp/Logging.h"
#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/IqSearch.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/elements/stream_error.h"

#include <QDebug>

namespace xmpp {

namespace {

// Null when the request failed (connection lost or an error answer);
// throws for a result that is not a search answer.
const IqSearch *searchAnswer(StreamElement *element)
{
    const auto *iq = dynamic_cast<const Iq *>(element);
    if (!iq || iq->typeText != QLatin1String("result"))
        return nullptr;
    if (iq->type() != ElementType::IqSearch)
        throw stream_error(StreamErrorCondition::UndefinedCondition, QStringLiteral("Expected search query"));
    return static_cast<const IqSearch *>(iq);
}

} // namespace

ClientSearch::ClientSearch(XMPPClient *client, QObject *parent)
    : QObject(parent)
    , ClientExtension(client)
{
    qRegisterMetaType<XMPPDataForm>("XMPPDataForm");
    qRegisterMetaType<XMPPDataReport>("XMPPDataReport");
}

void ClientSearch::requestSearchForm(const XMPPJid &service, const QString &requestTag)
{
    const QString id = nextId();
    send(IqSearch(id, service));
    registerIqHandler(
        id, [this, requestTag](StreamElement *element) { requestSearchFormResultHandler(requestTag, element); });
}

void ClientSearch::search(const XMPPJid &service, const XMPPDataForm &form, const QString &requestTag)
{
    const QString id = nextId();
    send(IqSearch(id, service, form));
    registerIqHandler(id, [this, requestTag](StreamElement *element) { searchResultHandler(requestTag, element); });
}

void ClientSearch::requestSearchFormResultHandler(const QString &requestTag, StreamElement *element)
{
    const IqSearch *answer = searchAnswer(element);
    if (!answer || !answer->form) {
        emit requestSearchFormError(requestTag);
        qCWarning(lcXmpp) << "Search form query error";
        return;
    }
    emit requestSearchFormResult(*answer->form, requestTag);
    qCDebug(lcXmpp) << "Search form query ok";
}

void ClientSearch::searchResultHandler(const QString &requestTag, StreamElement *element)
{
    const IqSearch *answer = searchAnswer(element);
    if (!answer) {
        emit searchError(requestTag);
        qCWarning(lcXmpp) << "Search query error";
        return;
    }
    if (answer->report) {
        emit searchReport(*answer->report, requestTag);
    } else {
        // An answer without a report is an empty result list.
        emit searchReport(XMPPDataReport(), requestTag);
        qCWarning(lcXmpp) << "Search query error";
    }
    qCDebug(lcXmpp) << "Search query ok";
}

} // namespace xmpp
