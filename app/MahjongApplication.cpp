#include "app/MahjongApplication.h"

#include "app/DebugDialog.h"
#include "app/Logging.h"
#include "protocol/ServerError.h"

#include <QFile>

namespace {
QString readText(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcApp).noquote() << "Cannot read style sheet" << name;
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}
} // namespace

MahjongApplication::MahjongApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

MahjongApplication::~MahjongApplication()
{
    delete m_debugDialog;
}

QString MahjongApplication::exceptionText(std::exception_ptr exception)
{
    try {
        std::rethrow_exception(exception);
    } catch (const server_error &error) {
        return QStringLiteral("Invalid server data.\nRefused with message: %1")
            .arg(QString::fromLocal8Bit(error.what()));
    } catch (const std::exception &error) {
        return QStringLiteral("Unhandled Runtime Error.\nError text: %1").arg(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        return QStringLiteral("Unhandled Runtime Error.");
    }
}

bool MahjongApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        // The state behind the failed handler cannot be trusted any more.
        const QByteArray text = exceptionText(std::current_exception()).toLocal8Bit();
        qFatal("%s", text.constData());
    }
}

void MahjongApplication::setDebugDialog(DebugDialog *dialog)
{
    if (m_debugDialog == dialog)
        return;
    delete m_debugDialog;
    m_debugDialog = dialog;
}

DebugDialog *MahjongApplication::debugDialog() const
{
    return m_debugDialog;
}

void MahjongApplication::loadStyleSheet()
{
    setStyleSheet(readText(QStringLiteral("resources:/defaultui.css"))
                  + readText(QStringLiteral("resources:/customui.css")));
}

void MahjongApplication::setConnectionManager(ConnectionManager *connectionManager)
{
    if (m_debugDialog)
        m_debugDialog->setConnection(connectionManager);
}
