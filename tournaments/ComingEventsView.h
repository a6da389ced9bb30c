#pragma once

#include "protocol/ComingEvent.h"
#include "tournaments/ComingEventPopup.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

class ComingEventsModel;
class QWidget;

// Shows the next coming event as a popup in the parent widget, one at a
// time; when its moment has come, the one after it.
class ComingEventsView : public QObject
{
    Q_OBJECT

public:
    ComingEventsView(ComingEventsModel *model, QWidget *parentWidget);

    // The popup's top-left corner, in the parent widget.
    void setPosition(const QPoint &position);
    // The popup of the next event; null when none lives.
    ComingEventPopup *popup() const { return m_popup; }

public slots:
    void onComingEvents(const ComingEvents &comingEvents);
    void onPopupExpired();

private:
    QWidget *m_parentWidget;
    QPointer<ComingEventsModel> m_model;
    QPoint m_position;
    QPointer<ComingEventPopup> m_popup;
};
