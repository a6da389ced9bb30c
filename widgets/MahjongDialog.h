#pragma once

#include <QFrame>
#include <QPoint>

class QLabel;
class QPushButton;
class QVBoxLayout;

// The in-window dialog frame: a frame drawn inside its parent window with a
// title bar (title text and close button) by which it can be dragged within
// the parent. Dialogs of the program are built on it.
class MahjongDialog : public QFrame
{
    Q_OBJECT

public:
    enum Flag {
        ShowCloseButton = 1,
        HideTitleBar = 2,
    };

    explicit MahjongDialog(QWidget *parent = nullptr, int flags = ShowCloseButton);

    // Makes content the dialog's content: its window title becomes the
    // dialog's, and closing or hiding it closes or hides the dialog.
    void setWidget(QWidget *content);
    QWidget *widget() const { return m_content; }

    // Shows and raises the dialog, centred in its parent when center is true.
    void showDialog(bool center = true);

    void centerInParent();

    // Moves any child widget to the centre of its parent (integer halves).
    static void centerWidgetInParent(QWidget *widget);

public slots:
    void onCloseClicked();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleTitleBarMouse(QEvent *event);

    QFrame *m_topBar = nullptr;
    QLabel *m_titleText = nullptr;
    QPushButton *m_closeButton = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QWidget *m_content = nullptr;
    bool m_laidOut = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
