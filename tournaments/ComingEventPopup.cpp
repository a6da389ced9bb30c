#include "tournaments/ComingEventPopup.h"

#include "core/TextFormat.h"

#include <algorithm>

ComingEventPopup::ComingEventPopup(QWidget *parent, const ComingEvent &event)
    : QLabel(parent)
    , m_kind(event.kind)
    , m_when(event.when)
{
    setObjectName(QStringLiteral("comingEventPopup"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setTextFormat(Qt::PlainText);
    m_timer.setObjectName(QStringLiteral("countdownTimer"));
    m_timer.setParent(this);
    m_timer.setWidget(this);
    m_timer.setInterval(1000);
    connect(&m_timer, &VisibleTimer::timeout, this, &ComingEventPopup::onTimeout);
    m_expiry.setSingleShot(true);
    connect(&m_expiry, &QTimer::timeout, this, &ComingEventPopup::onTimeout);
    QTimer::singleShot(0, this, &ComingEventPopup::onTimeout);
    m_timer.start();
}

void ComingEventPopup::armExpiry()
{
    // At most a minute ahead: the server clock's estimate may move meanwhile.
    const qint64 msecs = Utils::serverNow().msecsTo(m_when);
    m_expiry.start(int(std::clamp<qint64>(msecs, 0, 60000)));
}

QString ComingEventPopup::kindText(int kind)
{
    switch (kind) {
    case 0:
        return tr("Server will go down for maintenance in %1");
    case 1:
        return tr("You are registered for tournament starting in %1");
    case 2:
        return tr("Next tournament round starts in %1");
    case 3:
        return tr("Current tournament round ends in %1");
    default:
        return QString();
    }
}

void ComingEventPopup::keepInsideParent()
{
    // A long text near the right edge would be cut off: it moves left as
    // far as it must, never past the left edge.
    const QWidget *parent = parentWidget();
    if (!parent)
        return;
    const int overflow = x() + width() - parent->width();
    if (overflow > 0)
        move(std::max(0, x() - overflow), y());
}

void ComingEventPopup::onTimeout()
{
    if (m_expired)
        return;
    const QDateTime now = Utils::serverNow();
    if (now < m_when) {
        const QString format = kindText(m_kind);
        const QString text = format.isEmpty() ? format : format.arg(Utils::durationBetween(now, m_when));
        // The same text needs no new size or place.
        if (text != this->text()) {
            setText(text);
            if (size() != sizeHint())
                resize(sizeHint());
            keepInsideParent();
        }
        armExpiry();
        return;
    }
    m_expired = true;
    m_timer.stop();
    m_expiry.stop();
    emit expired();
    deleteLater();
}
