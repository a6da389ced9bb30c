#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <optional>

class QLabel;

// The window of the hidden "debug" option: traffic of the game-server
// connection, sampled every five seconds. The connection is read through its
// meta-object (bytesReceived/bytesSent as properties or invokable methods),
// so this window does not depend on the session's code.
class DebugDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int sampleInterval = 5000;

    explicit DebugDialog(QWidget *parent = nullptr);

    void setConnection(QObject *connection);
    QObject *connection() const { return m_connection; }

    // The last sampled totals, if any.
    std::optional<qint64> lastReceived() const { return m_received; }
    std::optional<qint64> lastSent() const { return m_sent; }

public slots:
    void sample();

private:
    static std::optional<qint64> readCounter(QObject *object, const char *name);

    QPointer<QObject> m_connection;
    QTimer m_timer;
    QElapsedTimer m_sinceLast;
    std::optional<qint64> m_received;
    std::optional<qint64> m_sent;
    QLabel *m_receivedLabel = nullptr;
    QLabel *m_sentLabel = nullptr;
    QLabel *m_rateLabel = nullptr;
};
