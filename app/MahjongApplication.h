#pragma once

#include <QApplication>
#include <QPointer>

#include <exception>

class ConnectionManager;
class DebugDialog;

// The application object: style sheets, the debug window of the game-server
// connection, and the last stop for exceptions escaping event handlers.
class MahjongApplication : public QApplication
{
    Q_OBJECT

public:
    MahjongApplication(int &argc, char **argv);
    ~MahjongApplication() override;

    bool notify(QObject *receiver, QEvent *event) override;

    // The fatal log text for an exception that escaped an event handler.
    static QString exceptionText(std::exception_ptr exception);

    // Takes ownership; the dialog samples the connection once it is given.
    void setDebugDialog(DebugDialog *dialog);
    DebugDialog *debugDialog() const;

public slots:
    // "resources:/defaultui.css" followed by "resources:/customui.css".
    void loadStyleSheet();
    // Hands the open game-server connection to the debug window, if any.
    void setConnectionManager(ConnectionManager *connectionManager);

private:
    QPointer<DebugDialog> m_debugDialog;
};
