#include "tournaments/ComingEventsView.h"

#include "core/TextFormat.h"
#include "tournaments/ComingEventPopup.h"
#include "tournaments/ComingEventsModel.h"

#include <QEvent>
#include <QWidget>

ComingEventsView::ComingEventsView(ComingEventsModel *model, QWidget *parentWidget)
    : QObject(parentWidget)
    , m_parentWidget(parentWidget)
    , m_model(model)
{
    if (model) {
        connect(model, &ComingEventsModel::comingEventsChanged, this, &ComingEventsView::onComingEvents);
        onComingEvents(model->events());
    }
}

void ComingEventsView::setPosition(const QPoint &position)
{
    m_position = position;
    if (m_popup && m_popup->kind() != ComingEventsModel::RoundEnd) {
        m_popup->move(position);
        m_popup->keepInsideParent();
    }
}

void ComingEventsView::anchorBelow(QWidget *widget, int gap)
{
    if (m_anchor)
        m_anchor->removeEventFilter(this);
    m_anchor = widget;
    m_gap = gap;
    if (!widget)
        return;
    widget->installEventFilter(this);
    followAnchor();
}

bool ComingEventsView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_anchor
        && (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show))
        followAnchor();
    return QObject::eventFilter(watched, event);
}

void ComingEventsView::followAnchor()
{
    if (m_anchor && (m_anchor == m_parentWidget || m_parentWidget->isAncestorOf(m_anchor)))
        setPosition(m_anchor->mapTo(m_parentWidget, QPoint(0, m_anchor->height() + m_gap)));
}

void ComingEventsView::onComingEvents(const ComingEvents &comingEvents)
{
    // One popup at a time.
    for (ComingEventPopup *old : m_parentWidget->findChildren<ComingEventPopup *>(Qt::FindDirectChildrenOnly)) {
        old->disconnect(this);
        old->hide();
        old->deleteLater();
    }
    m_popup = nullptr;
    const QDateTime now = Utils::serverNow();
    const auto next = std::find_if(comingEvents.begin(), comingEvents.end(),
                                   [&](const ComingEvent &event) { return event.when > now; });
    if (next == comingEvents.end())
        return;
    auto *popup = new ComingEventPopup(m_parentWidget, *next);
    m_popup = popup;
    connect(popup, &ComingEventPopup::expired, this, &ComingEventsView::onPopupExpired);
    // A round end is only counted to, so that the view looks again then.
    if (next->kind == ComingEventsModel::RoundEnd) {
        popup->hide();
        return;
    }
    popup->move(m_position);
    popup->resize(popup->sizeHint());
    popup->keepInsideParent();
    popup->show();
    popup->raise();
}

void ComingEventsView::onPopupExpired()
{
    if (m_model)
        onComingEvents(m_model->events());
}
