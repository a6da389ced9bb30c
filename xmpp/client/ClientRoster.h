#pragma once

#include "xmpp/client/ClientExtension.h"
#include "xmpp/elements/XMPPJid.h"

#include <QObject>
#include <QString>

namespace xmpp {

class IqRoster;
class StreamElement;

// The contact list: fetches it, changes single entries and answers the
// server's pushes. Every entry learnt of becomes one rosterUpdate.
class ClientRoster : public QObject, public ClientExtension
{
    Q_OBJECT

public:
    explicit ClientRoster(XMPPClient *client, QObject *parent = nullptr);

    void requestRoster();
    void updateRosterItem(const XMPPJid &jid, bool remove, const QString &name, const QString &group);
    // For a roster iq that arrives unasked while connected. Throws
    // stanza_error for a refused push and stream_error for a bad type.
    void handleRosterPush(const IqRoster &iq);

signals:
    void rosterReset();
    void rosterUpdate(XMPPJid jid, int subscribeFlags, bool remove, QString name, QString group);

private:
    void requestRosterResult(StreamElement *element);
    void updateRosterItemResult(StreamElement *element);
};

} // namespace xmpp
