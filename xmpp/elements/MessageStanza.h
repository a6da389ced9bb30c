#pragma once

#include "xmpp/elements/DelayedDeliveryInfo.h"
#include "xmpp/elements/Stanza.h"

#include <QMap>
#include <QString>

#include <any>

namespace xmpp {

class MessageStanza : public Stanza
{
public:
    MessageStanza() = default;
    int type() const override { return ElementType::MessageStanza; }

    bool hasDelay() const { return delay.has_value(); }

    QMap<QString, QString> subjects; // language tag -> text
    QMap<QString, QString> bodies;   // language tag -> text
    QString thread;
    QString defaultLanguage = QStringLiteral("UND");
    std::any delay; // empty or a DelayedDeliveryInfo
};

} // namespace xmpp
