#include "app/DebugDialog.h"

#include "protocol/ConnectionManager.h"

#include <QFormLayout>
#include <QLabel>
#include <QLocale>

DebugDialog::DebugDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("debugDialog"));
    setWindowTitle(tr("Debug"));
    auto *layout = new QFormLayout(this);
    m_receivedLabel = new QLabel(tr("not connected"), this);
    m_sentLabel = new QLabel(tr("not connected"), this);
    m_rateLabel = new QLabel(QStringLiteral("-"), this);
    layout->addRow(tr("Bytes received:"), m_receivedLabel);
    layout->addRow(tr("Bytes sent:"), m_sentLabel);
    layout->addRow(tr("Rate (in/out):"), m_rateLabel);
    setMinimumWidth(320);
    m_timer.setInterval(sampleInterval);
    connect(&m_timer, &QTimer::timeout, this, &DebugDialog::sample);
}

void DebugDialog::setConnection(ConnectionManager *connection)
{
    m_connection = connection;
    m_received.reset();
    m_sent.reset();
    m_sinceLast.invalidate();
    m_rateLabel->setText(QStringLiteral("-"));
    if (connection) {
        sample();
        m_timer.start();
    } else {
        m_timer.stop();
    }
}

void DebugDialog::sample()
{
    if (!m_connection)
        return;
    const qint64 received = m_connection->bytesRead();
    const qint64 sent = m_connection->bytesWritten();
    const QLocale locale;
    m_receivedLabel->setText(locale.toString(received));
    m_sentLabel->setText(locale.toString(sent));

    const qint64 elapsed = m_sinceLast.isValid() ? m_sinceLast.restart() : 0;
    if (elapsed > 0 && m_received && m_sent) {
        const double seconds = double(elapsed) / 1000.0;
        m_rateLabel->setText(tr("%1 B/s / %2 B/s")
                                 .arg(locale.toString(double(received - *m_received) / seconds, 'f', 0),
                                      locale.toString(double(sent - *m_sent) / seconds, 'f', 0)));
    }
    if (!m_sinceLast.isValid())
        m_sinceLast.start();
    m_received = received;
    m_sent = sent;
}
