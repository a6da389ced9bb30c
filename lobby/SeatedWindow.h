#pragma once

#include "protocol/TableInfo.h"
#include "widgets/MahjongDialog.h"

#include <QDateTime>
#include <QPointer>

class LocalizationDb;
class QLabel;
class QPushButton;
class VisibleTimer;
class TimeSpan;

// The in-window panel shown while a seat is offered: which table, how long
// the offer stands, and the buttons to play or to leave.
class SeatedWindow : public MahjongDialog
{
    Q_OBJECT

public:
    SeatedWindow(LocalizationDb *localizationDb, QWidget *parent);

    // Counts down to the end of the time window (by the server's clock).
    void startCountdown(const TimeSpan &timeSpan);
    void stopCountdown();
    bool isCountingDown() const;

signals:
    void leaveButtonClicked();
    void playButtonClicked();

public slots:
    void onTableInfo(const TableInfo &info);

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void updateCountdown();
    void updateTexts();

private:
    QPointer<LocalizationDb> m_localizationDb;
    TableInfo m_info;
    bool m_hasInfo = false;
    QDateTime m_end;
    VisibleTimer *m_timer = nullptr;
    QLabel *m_tableLabel = nullptr;
    QLabel *m_descriptionLabel = nullptr;
    QLabel *m_countdownLabel = nullptr;
    QPushButton *m_playButton = nullptr;
    QPushButton *m_leaveButton = nullptr;
};
