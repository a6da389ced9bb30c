// Switching the language on the main window's login page: the client's words,
// Qt's own words (standard buttons), dates and the status line all follow it.
#include "ReservedPort.h"
#include "app/ResourcePaths.h"
#include "mainwindow/LoginWindow.h"
#include "mainwindow/MainView.h"
#include "mainwindow/MainWindow.h"
#include "widgets/TranslationsManager.h"
#include "widgets/UPushButton.h"
#include "widgets/Utils.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>

namespace {
// The open question (Yes and No), if any.
QMessageBox *openQuestion()
{
    for (QWidget *widget : QApplication::allWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible() && box->button(QMessageBox::Yes) && box->button(QMessageBox::No))
            return box;
    }
    return nullptr;
}
} // namespace

class TestMainwindowLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_mainwindow_language"));
        QSettings().clear();
        ResourcePaths::install({});
    }

    void standardButtonsAndDatesFollowTheLanguage()
    {
        TranslationsManager translations(ResourcePaths::roots({}));
        QVERIFY(translations.setLanguage(QStringLiteral("en")));
        // A loopback port on which nobody listens: the login page stays.
        const ReservedPort reserved;
        const quint16 port = reserved.port();
        QVERIFY(port != 0);
        MainWindow window(QStringLiteral("127.0.0.1"), port, QStringLiteral("ann"), QStringLiteral("pw"), false,
                          QStringLiteral("web.example"), &translations);
        window.onStartupFinished(true);
        QVERIFY(window.isVisible());
        auto *languages = window.view().loginWindow->findChild<QComboBox *>(QStringLiteral("languageSelection"));
        QVERIFY(languages);
        const QDateTime when(QDate(2026, 12, 7), QTime(18, 5), Qt::UTC);

        const struct
        {
            const char *language;
            const char *yes;
            const char *no;
            const char *cancel;
            const char *date;
            const char *status;
        } cases[] = {
            {"ja", "はい(&Y)", "いいえ(&N)", "キャンセル", "2026/12/07 18:05", "%1 に接続できません"},
            {"zh_CN", "是(&Y)", "否(&N)", "取消", "2026/12/7 18:05", "无法连接到 %1"},
            {"en", "&Yes", "&No", "Cancel", "12/7/26 6:05 PM", "Cannot connect to %1"},
        };
        const QString server = QStringLiteral("127.0.0.1:%1").arg(port);
        QTRY_COMPARE_WITH_TIMEOUT(window.view().statusLine->text(), QStringLiteral("Cannot connect to %1").arg(server),
                                  15000);
        for (const auto &c : cases) {
            const QString language = QString::fromLatin1(c.language);
            const int index = languages->findData(language);
            QVERIFY2(index >= 0, c.language);
            languages->setCurrentIndex(index);
            QCOMPARE(translations.language(), language);
            // The status said before the switch is said again in the new language.
            QTRY_COMPARE(window.view().statusLine->text(), QString::fromUtf8(c.status).arg(server));

            // The main window's own question: Quit, answered No.
            window.view().quitButton->click();
            QMessageBox *box = openQuestion();
            QVERIFY(box);
            QCOMPARE(box->button(QMessageBox::Yes)->text(), QString::fromUtf8(c.yes));
            QCOMPARE(box->button(QMessageBox::No)->text(), QString::fromUtf8(c.no));
            box->button(QMessageBox::No)->click();
            QTRY_VERIFY(!openQuestion());

            // A standard dialog's buttons, made after the switch.
            QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
            QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(c.cancel));

            // Dates as the lists and the chat show them (tests run in UTC).
            QCOMPARE(Utils::localDateTimeString(when), QString::fromUtf8(c.date));
        }
    }
};

QTEST_MAIN(TestMainwindowLanguage)
#include "tst_mainwindow_language.moc"
