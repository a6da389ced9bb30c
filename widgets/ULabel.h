#pragma once

#include <QLabel>

// A label that keeps its full text, shows it elided to its width and offers
// the full text as tool tip. text() returns what is shown.
class ULabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(Qt::TextElideMode elideMode READ elideMode WRITE setElideMode)

public:
    explicit ULabel(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    explicit ULabel(const QString &text, QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    Qt::TextElideMode elideMode() const { return m_elideMode; }
    void setElideMode(Qt::TextElideMode mode);

    const QString &fullText() const { return m_fullText; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

public slots:
    void setText(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updateElided();

    QString m_fullText;
    Qt::TextElideMode m_elideMode = Qt::ElideRight;
};
