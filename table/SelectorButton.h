#pragma once

#include "core/TimeSpan.h"
#include "scene/TimerView.h"

#include <QPushButton>

class QLabel;

// One open table in the strip: shortened name (the whole name as tool tip),
// kind icon, a small turn timer and the inactive marker.
class SelectorButton : public QPushButton
{
    Q_OBJECT

public:
    enum Kind { Play = 0, Money = 1, Tournament = 2 };

    explicit SelectorButton(QWidget *parent = nullptr);

    // Long enough for a name and a table id, as "Practice 1002".
    static constexpr int MaxNameLength = 16;

    void setTableName(const QString &name);
    void setKind(int kind);
    int kind() const { return m_kind; }
    void setActive(bool active);
    bool isActive() const { return m_active; }
    void setTimeSpan(const TimeSpan &span);

    TimerView *timerWidget() const { return m_timer; }
    QLabel *inactiveMarker() const { return m_inactive; }

    static QString kindIcon(int kind);

public slots:
    void wantsAttention(bool attention);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    TimerView *m_timer;
    QLabel *m_inactive;
    int m_kind = 0;
    bool m_active = true;
};
