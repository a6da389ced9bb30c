#pragma once

#include <QTabWidget>

// The tab control of the main window.
class UTabWidget : public QTabWidget
{
    Q_OBJECT

public:
    explicit UTabWidget(QWidget *parent = nullptr);
};
