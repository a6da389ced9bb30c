#pragma once

#include "core/TimeSpan.h"
#include "protocol/TableInfo.h"
#include "widgets/MahjongDialog.h"

#include <QDateTime>

class NextHandCountdown;

namespace Ui {
class WashoutWidget;
}

// The notice after a hand that ended without a winner.
class WashoutWindow : public MahjongDialog
{
    Q_OBJECT

public:
    explicit WashoutWindow(QWidget *parent = nullptr);
    ~WashoutWindow() override;

    void setWashoutType(int type);
    void setWatchOnly(bool watchOnly);
    void setEndOfGame(bool endOfGame);
    void setTableInfo(const TableInfo &info);

    // The countdown shows only while its timer has a number to show.
    void startCountdown(const QDateTime &end);
    void stopCountdown();
    // The time window the countdown runs over; empty when stopped.
    const TimeSpan &countdown() const;

    static QString reasonText(int type);

signals:
    void readyButtonClicked();
    void leaveButtonClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateButtons();
    void applyReason();

    Ui::WashoutWidget *m_ui;
    bool m_watchOnly = false;
    int m_washoutType = 4;
    TableInfo m_tableInfo;
    bool m_endOfGame = false;
    NextHandCountdown *m_countdown = nullptr;
};
