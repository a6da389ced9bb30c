#pragma once

#include "widgets/MahjongDialog.h"

class QLabel;
class QPushButton;

// The in-window panel of a player who watches a table: an information line
// and the buttons to take a seat or to leave.
class WatchingWindow : public MahjongDialog
{
    Q_OBJECT

public:
    explicit WatchingWindow(QWidget *parent);

    void setJoinEnabled(bool enabled);
    void setInfoHidden(bool hidden);

signals:
    void joinButtonClicked();
    void leaveButtonClicked();

public slots:
    void onJoinableChanged(bool joinable);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *m_infoLabel = nullptr;
    QPushButton *m_joinButton = nullptr;
    QPushButton *m_leaveButton = nullptr;
};
