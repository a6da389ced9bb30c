#pragma once

#include "xmpp/client/ClientExtension.h"
#include "xmpp/elements/XMPPDataForm.h"
#include "xmpp/elements/XMPPDataReport.h"
#include "xmpp/elements/XMPPJid.h"

#include <QObject>
#include <QString>

namespace xmpp {

class StreamElement;

// User search: asks a search service for its form and sends a filled one.
// The caller's request tag comes back with the answer.
class ClientSearch : public QObject, public ClientExtension
{
    Q_OBJECT

public:
    explicit ClientSearch(XMPPClient *client, QObject *parent = nullptr);

    void requestSearchForm(const XMPPJid &service, const QString &requestTag);
    void search(const XMPPJid &service, const XMPPDataForm &form, const QString &requestTag);

signals:
    void requestSearchFormResult(XMPPDataForm searchFields, QString requestTag);
    void requestSearchFormError(QString requestTag);
    void searchReport(XMPPDataReport searchReport, QString requestTag);
    void searchError(QString requestTag);

private:
    void requestSearchFormResultHandler(const QString &requestTag, StreamElement *element);
    void searchResultHandler(const QString &requestTag, StreamElement *element);
};

} // namespace xmpp
