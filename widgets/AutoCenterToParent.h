#pragma once

#include <QObject>

// Keeps a dialog centred in its parent: re-centres it whenever the parent is
// resized. Lives as a child of the dialog.
class AutoCenterToParent : public QObject
{
    Q_OBJECT

public:
    explicit AutoCenterToParent(QObject *dialog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *dialog() const;
};
