#pragma once

#include "widgets/MahjongDialog.h"

namespace Ui {
class PlayerInactiveWidget;
}

// Shown when the server has marked the local player inactive.
class PlayerInactiveWindow : public MahjongDialog
{
    Q_OBJECT

public:
    explicit PlayerInactiveWindow(QWidget *parent = nullptr);
    ~PlayerInactiveWindow() override;

    void setVisible(bool visible) override;

signals:
    void reactivateButtonClicked();
    void leaveButtonClicked();

public slots:
    void onReactivateButtonClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::PlayerInactiveWidget *m_ui;
};
