#pragma once

#include "widgets/MahjongDialog.h"

namespace Ui {
class WaitingForPlayersWidget;
}

// Shown to a seated player while the table fills.
class WaitingForPlayersWindow : public MahjongDialog
{
    Q_OBJECT

public:
    explicit WaitingForPlayersWindow(QWidget *parent = nullptr);
    ~WaitingForPlayersWindow() override;

    void setLeaveEnabled(bool enabled);
    int seats() const { return m_seats; }

signals:
    void leaveButtonClicked();
    void inviteButtonClicked();

public slots:
    void onSeatsRemaining(int seats);

protected:
    void changeEvent(QEvent *event) override;

private:
    void applyText();

    Ui::WaitingForPlayersWidget *m_ui;
    int m_seats = 0;
};
