#pragma once

#include <QStackedWidget>

// A stack of pages whose size hints are those of the page shown, so that a
// small page does not inherit the size of the largest one.
class UStackedWidget : public QStackedWidget
{
    Q_OBJECT

public:
    explicit UStackedWidget(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};
