#pragma once

#include <QPushButton>

// The application's push button: carries an integer id and reports it with
// every click through clicked(qint32), besides the ordinary clicked().
class UPushButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(qint32 id READ id WRITE setId)

public:
    explicit UPushButton(QWidget *parent = nullptr);
    explicit UPushButton(const QString &text, QWidget *parent = nullptr);

    qint32 id() const { return m_id; }
    void setId(qint32 id) { m_id = id; }

signals:
    void clicked(qint32 id);

private:
    void connectClick();

    qint32 m_id = -1;
};
