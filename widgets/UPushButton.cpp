#include "widgets/UPushButton.h"

UPushButton::UPushButton(QWidget *parent)
    : QPushButton(parent)
{
    connectClick();
}

UPushButton::UPushButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    connectClick();
}

void UPushButton::connectClick()
{
    connect(this, &QAbstractButton::clicked, this, [this] { emit clicked(m_id); });
}
