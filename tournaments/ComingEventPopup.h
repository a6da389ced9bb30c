#pragma once

#include "protocol/ComingEvent.h"
#include "widgets/VisibleTimer.h"

#include <QLabel>
#include <QTimer>

// A small label inside the main window that counts down, once a second by
// the server clock, to one coming event, and reports when it has come. The
// count runs only while the label is on screen; the moment itself is kept
// by a timer of its own, so that a hidden popup (a round's end is never
// shown) still reports it without waking every second.
class ComingEventPopup : public QLabel
{
    Q_OBJECT

public:
    ComingEventPopup(QWidget *parent, const ComingEvent &event);

    int kind() const { return m_kind; }
    const QDateTime &when() const { return m_when; }
    // The kind's text with %1 still in it; empty for an unknown kind.
    static QString kindText(int kind);
    // Moves left as far as needed to show the whole text in the parent.
    void keepInsideParent();

signals:
    void expired();

public slots:
    void onTimeout();

private:
    const int m_kind;
    const QDateTime m_when;
    void armExpiry();

    VisibleTimer m_timer;
    QTimer m_expiry;
    bool m_expired = false;
};
