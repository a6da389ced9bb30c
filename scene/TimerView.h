#pragma once

#include "core/TimeSpan.h"

#include <QColor>
#include <QDateTime>
#include <QTimer>
#include <QWidget>

// How much of a server time window is left, as a shrinking pie or as
// seconds, measured against the server's clock. The style sheet picks the
// look through the properties.
class TimerView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(DisplayType displayType READ displayType WRITE setDisplayType)
    Q_PROPERTY(PieType pieType READ pieType WRITE setPieType)
    Q_PROPERTY(QColor solidColor READ solidColor WRITE setSolidColor)
    Q_PROPERTY(int shadowOffset READ shadowOffset WRITE setShadowOffset)
    Q_PROPERTY(QColor backdropColor READ backdropColor WRITE setBackdropColor)

public:
    enum DisplayType { DEC_COUNTER = 0, DEC_PIE = 1 };
    Q_ENUM(DisplayType)
    enum PieType { PIE_GRADIENT = 0, PIE_COLOR = 1 };
    Q_ENUM(PieType)

    explicit TimerView(QWidget *parent = nullptr, Qt::WindowFlags flags = {}, DisplayType displayType = DEC_PIE,
                       PieType pieType = PIE_GRADIENT);

    void setTimeSpan(const TimeSpan &span);
    void setEndTime(const QDateTime &end);

    DisplayType displayType() const { return m_displayType; }
    void setDisplayType(DisplayType type);
    PieType pieType() const { return m_pieType; }
    void setPieType(PieType type);
    QColor solidColor() const { return m_solidColor; }
    void setSolidColor(const QColor &color);
    int shadowOffset() const { return m_shadowOffset; }
    void setShadowOffset(int offset);
    // A counter drawn over the table carries its own backdrop, so that it
    // reads on the cloth and on tiles alike; none (invalid) by default.
    QColor backdropColor() const { return m_backdropColor; }
    void setBackdropColor(const QColor &color);

    qint64 total() const { return m_total; }
    QDateTime deadline() const { return m_deadline; }
    bool isRunning() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }
    // What a paint now shows: ms left, the pie's span in sixteenths of a
    // degree and the counter's text (empty when nothing is drawn).
    qint64 remaining() const;
    int pieSpan() const;
    QString counterText() const;
    // With rest ms left of the window, how much longer a paint shows
    // something (0: nothing now).
    qint64 msecsShown(qint64 rest) const;
    // The counter's text at the last paint.
    QString shownText() const { return m_shownText; }

    // Milliseconds from a to b, both taken in UTC.
    static qint64 msecsBetween(const QDateTime &a, const QDateTime &b);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void tick();
    void startIfLive();
    // Stops the timer once the window has ended or holds nothing.
    void stopWhenDone();

    // Keeps the counter's repaints on the deadline's half seconds, where
    // its number changes.
    void alignCounter();

    QTimer m_timer;
    QTimer m_align;
    QString m_shownText;
    qint64 m_total = 0;
    QDateTime m_deadline;
    DisplayType m_displayType;
    PieType m_pieType;
    QColor m_solidColor = Qt::white;
    int m_shadowOffset = 0;
    QColor m_backdropColor;
};
