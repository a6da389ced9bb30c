#pragma once

#include <QMainWindow>
#include <QString>

class TranslationsManager;

// The program's top-level window. For now it only appears when start-up has
// succeeded; login, lobby and tables come later.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(const QString &gameHost, quint16 gamePort, const QString &userName, const QString &password,
               bool useSsl, const QString &webHost, TranslationsManager *translationsManager);

    QString gameHost() const { return m_gameHost; }
    quint16 gamePort() const { return m_gamePort; }
    bool useSsl() const { return m_useSsl; }
    QString webHost() const { return m_webHost; }

public slots:
    void onStartupFinished(bool success);

private:
    QString m_gameHost;
    quint16 m_gamePort;
    QString m_userName;
    QString m_password;
    bool m_useSsl;
    QString m_webHost;
    TranslationsManager *m_translationsManager;
};
