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
    // Keeps the popups below a widget of the parent, gap pixels under its
    // bottom-left corner, wherever the layout moves it.
    void anchorBelow(QWidget *widget, int gap);
    // The popup of the next event; null when none lives.
    ComingEventPopup *popup() const { return m_popup; }

public slots:
    void onComingEvents(const ComingEvents &comingEvents);
    void onPopupExpired();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followAnchor();

    QWidget *m_parentWidget;
    QPointer<QWidget> m_anchor;
    int m_gap = 0;
    QPointer<ComingEventsModel> m_model;
    QPoint m_position;
    QPointer<ComingEventPopup> m_popup;
};
