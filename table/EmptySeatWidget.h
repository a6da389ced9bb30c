#pragma once

#include <QFrame>

namespace Ui {
class EmptySeatWidget;
}

// A free seat in the side bar's column of seats.
class EmptySeatWidget : public QFrame
{
    Q_OBJECT

public:
    explicit EmptySeatWidget(QWidget *parent = nullptr);
    ~EmptySeatWidget() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::EmptySeatWidget *m_ui;
};
