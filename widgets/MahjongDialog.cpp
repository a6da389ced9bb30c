#include "widgets/MahjongDialog.h"

#include "widgets/UPushButton.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

MahjongDialog::MahjongDialog(QWidget *parent, int flags)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("MahjongDialog"));
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);

    m_topBar = new QFrame(this);
    m_topBar->setObjectName(QStringLiteral("topBar"));
    auto *barLayout = new QHBoxLayout(m_topBar);
    barLayout->setContentsMargins(6, 2, 2, 2);
    m_titleText = new QLabel(m_topBar);
    m_titleText->setObjectName(QStringLiteral("titleText"));
    m_titleText->setTextFormat(Qt::PlainText);
    barLayout->addWidget(m_titleText, 1);
    m_closeButton = new UPushButton(m_topBar);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    barLayout->addWidget(m_closeButton);
    m_layout->addWidget(m_topBar);

    m_closeButton->setVisible(flags & ShowCloseButton);
    m_topBar->setVisible(!(flags & HideTitleBar));
    connect(m_closeButton, &QAbstractButton::clicked, this, &MahjongDialog::onCloseClicked);
    m_topBar->installEventFilter(this);
    m_titleText->installEventFilter(this);
}

void MahjongDialog::setWidget(QWidget *content)
{
    if (m_content == content)
        return;
    if (m_content)
        m_content->removeEventFilter(this);
    m_content = content;
    if (!content)
        return;
    setWindowTitle(content->windowTitle());
    m_layout->addWidget(content);
    content->installEventFilter(this);
}

void MahjongDialog::showDialog(bool center)
{
    if (!m_laidOut) {
        // A first show lays the frame out so that its size is known.
        m_laidOut = true;
        show();
        hide();
    }
    // Content closed earlier comes back with the dialog.
    if (m_content && m_content->isHidden())
        m_content->show();
    // show() sizes a child only when its parent has no layout: a dialog over
    // a laid-out page would keep Qt's default size and clip its content.
    resize(size().expandedTo(sizeHint()));
    show();
    raise();
    if (center)
        centerInParent();
}

void MahjongDialog::centerInParent()
{
    centerWidgetInParent(this);
}

void MahjongDialog::centerWidgetInParent(QWidget *widget)
{
    if (!widget)
        return;
    const QWidget *parent = widget->parentWidget();
    if (!parent)
        return;
    widget->move((parent->width() - widget->width()) / 2, (parent->height() - widget->height()) / 2);
}

void MahjongDialog::onCloseClicked()
{
    // Through the ordinary close event, so that a subclass may refuse.
    close();
}

void MahjongDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange)
        m_titleText->setText(windowTitle());
    QFrame::changeEvent(event);
}

bool MahjongDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_content && m_content) {
        switch (event->type()) {
        case QEvent::Close:
            close();
            break;
        case QEvent::Hide:
            // A hidden page of a hidden dialog is no reason to act.
            if (!m_content->isHidden())
                break;
            hide();
            break;
        case QEvent::WindowTitleChange:
            setWindowTitle(m_content->windowTitle());
            break;
        default:
            break;
        }
        return false;
    }
    if (watched == m_topBar || watched == m_titleText)
        return handleTitleBarMouse(event);
    return QFrame::eventFilter(watched, event);
}

bool MahjongDialog::handleTitleBarMouse(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        m_dragging = true;
        m_dragOffset = mouse->globalPosition().toPoint() - pos();
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_dragging)
            return false;
        auto *mouse = static_cast<QMouseEvent *>(event);
        QPoint target = mouse->globalPosition().toPoint() - m_dragOffset;
        // Keep the frame inside its parent window.
        if (const QWidget *parent = parentWidget()) {
            target.setX(qBound(0, target.x(), qMax(0, parent->width() - width())));
            target.setY(qBound(0, target.y(), qMax(0, parent->height() - height())));
        }
        move(target);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!m_dragging)
            return false;
        m_dragging = false;
        return true;
    default:
        return false;
    }
}
