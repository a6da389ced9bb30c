#include "app/DebugDialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QMetaMethod>
#include <QVariant>

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
    m_timer.setInterval(sampleInterval);
    connect(&m_timer, &QTimer::timeout, this, &DebugDialog::sample);
}

void DebugDialog::setConnection(QObject *connection)
{
    m_connection = connection;
    m_received.reset();
    m_sent.reset();
    if (connection) {
        sample();
        m_timer.start();
    } else {
        m_timer.stop();
    }
}

std::optional<qint64> DebugDialog::readCounter(QObject *object, const char *name)
{
    const QVariant property = object->property(name);
    if (property.isValid())
        return property.toLongLong();
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfMethod(QByteArray(name) + "()");
    if (index < 0)
        return std::nullopt;
    qint64 value = 0;
    const QMetaMethod method = meta->method(index);
    if (method.returnMetaType() == QMetaType::fromType<qint64>()) {
        if (method.invoke(object, Qt::DirectConnection, Q_RETURN_ARG(qint64, value)))
            return value;
    } else if (method.returnMetaType() == QMetaType::fromType<quint64>()) {
        quint64 unsignedValue = 0;
        if (method.invoke(object, Qt::DirectConnection, Q_RETURN_ARG(quint64, unsignedValue)))
            return qint64(unsignedValue);
    }
    return std::nullopt;
}

void DebugDialog::sample()
{
    if (!m_connection)
        return;
    const std::optional<qint64> received = readCounter(m_connection, "bytesReceived");
    const std::optional<qint64> sent = readCounter(m_connection, "bytesSent");
    const QLocale locale;
    auto show = [&locale](QLabel *label, const std::optional<qint64> &value) {
        label->setText(value ? locale.toString(*value) : tr("not available"));
    };
    show(m_receivedLabel, received);
    show(m_sentLabel, sent);

    const qint64 elapsed = m_sinceLast.isValid() ? m_sinceLast.restart() : 0;
    if (elapsed > 0 && received && sent && m_received && m_sent) {
        const double seconds = double(elapsed) / 1000.0;
        m_rateLabel->setText(tr("%1 B/s / %2 B/s")
                                 .arg(locale.toString(double(*received - *m_received) / seconds, 'f', 0),
                                      locale.toString(double(*sent - *m_sent) / seconds, 'f', 0)));
    }
    if (!m_sinceLast.isValid())
        m_sinceLast.start();
    m_received = received;
    m_sent = sent;
}
