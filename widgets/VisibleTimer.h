#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

// The repeating timer of something a widget shows (a clock, a countdown).
// It runs only while its widget is on screen: a hidden widget (on another
// page, in a hidden tab, in a minimized window) costs nothing, and when it
// shows again the timer fires at once, so that it never shows a stale value.
// start() and stop() say whether it should run at all; without a widget it
// is a plain repeating timer.
class VisibleTimer : public QObject
{
    Q_OBJECT

public:
    explicit VisibleTimer(QObject *parent = nullptr);
    ~VisibleTimer() override;

    void setWidget(QWidget *widget);
    void setInterval(int msec) { m_timer.setInterval(msec); }
    int interval() const { return m_timer.interval(); }

    void start();
    void stop();
    // Started and not stopped, shown or not.
    bool isActive() const { return m_active; }
    // Counting now: started, and the widget is on screen.
    bool isTicking() const { return m_timer.isActive(); }

signals:
    void timeout();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool widgetShown() const;
    void follow(bool shown, bool catchUp);

    QPointer<QWidget> m_widget;
    QTimer m_timer;
    bool m_active = false;
};
