#pragma once

#include "protocol/ConnectionManager.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <optional>

class QLabel;

// The window of the hidden "debug" option: traffic of the game-server
// connection, sampled every five seconds.
class DebugDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int sampleInterval = 5000;

    explicit DebugDialog(QWidget *parent = nullptr);

    void setConnection(ConnectionManager *connection);
    ConnectionManager *connection() const { return m_connection; }

    // The last sampled totals, if any.
    std::optional<qint64> lastReceived() const { return m_received; }
    std::optional<qint64> lastSent() const { return m_sent; }

public slots:
    void sample();

private:
    QPointer<ConnectionManager> m_connection;
    QTimer m_timer;
    QElapsedTimer m_sinceLast;
    std::optional<qint64> m_received;
    std::optional<qint64> m_sent;
    QLabel *m_receivedLabel = nullptr;
    QLabel *m_sentLabel = nullptr;
    QLabel *m_rateLabel = nullptr;
};
