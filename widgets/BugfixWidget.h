#pragma once

#include <QWidget>

// A plain widget that draws its style-sheet background, which QWidget
// subclasses do not do by themselves.
class BugfixWidget : public QWidget
{
    Q_OBJECT

public:
    explicit BugfixWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

protected:
    void paintEvent(QPaintEvent *event) override;
};
