// The avatar choice: the grid from the "avatars" search path, pictures from
// files (unreadable and invalid ones refused), and the wait cursor while an
// upload is under way.
#include "social/Avatar.h"
#include "social/AvatarDialog.h"

#include <QApplication>
#include <QDir>
#include <QListView>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <array>

class TestAvatarDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void grid();
    void builtInAvatars();
    void files_data();
    void files();
    void waitCursor();

private:
    QString image(const QString &name, int w, int h) const;
    static QString lastWarning();

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestAvatarDialog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QDir::setSearchPaths(QStringLiteral("avatars"), {m_dir->path()});
}

void TestAvatarDialog::cleanup()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox *>(w))
            delete w;
    }
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

QString TestAvatarDialog::image(const QString &name, int w, int h) const
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::darkGreen);
    const QString path = m_dir->filePath(name);
    img.save(path);
    return path;
}

QString TestAvatarDialog::lastWarning()
{
    QString text;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(w))
            text = box->text();
    }
    return text;
}

void TestAvatarDialog::grid()
{
    {
        AvatarDialog empty;
        QSignalSpy chosen(&empty, &AvatarDialog::changeAvatar);
        QCOMPARE(empty.avatarCount(), 0);
        empty.on_okButton_clicked();
        QCOMPARE(chosen.size(), 0);
    }
    image(QStringLiteral("b-small.png"), 16, 16);
    image(QStringLiteral("a-wide.png"), 200, 100);
    QFile broken(m_dir->filePath(QStringLiteral("c-broken.png")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("failed to load default avatar from.*c-broken")));

    AvatarDialog dialog;
    QSignalSpy chosen(&dialog, &AvatarDialog::changeAvatar);
    QCOMPARE(dialog.avatarCount(), 2);
    auto *view = dialog.findChild<QListView *>(QStringLiteral("avatarView"));
    QCOMPARE(view->currentIndex().row(), 0);
    QCOMPARE(view->model()->index(1, 0).data().value<Avatar>().image.size(), QSize(64, 64));
    dialog.on_okButton_clicked();
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.at(0).at(0).value<QImage>().size(), QSize(64, 32));
    // Return in the grid acts as Ok.
    view->setCurrentIndex(view->model()->index(1, 0));
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(chosen.size(), 2);
    QCOMPARE(chosen.at(1).at(0).value<QImage>().size(), QSize(64, 64));
}

// The avatars the client brings: 32, the default pictures of players without
// one (less the yellow) last; those defaults stay where the player
// directory finds them.
void TestAvatarDialog::builtInAvatars()
{
    QDir::setSearchPaths(QStringLiteral("avatars"), {QStringLiteral(":/default/avatars")});
    const QStringList expected{"butterfly.png",
                               "coolcat.png",
                               "cow.png",
                               "dog.png",
                               "dragon.png",
                               "eagle.png",
                               "eagle2.png",
                               "femaleplayer1.png",
                               "fish.png",
                               "hare.png",
                               "horse.png",
                               "kitten.png",
                               "maleplayer1.png",
                               "mandarinduck.png",
                               "new-monkey.png",
                               "ox.png",
                               "panda.png",
                               "pig.png",
                               "rat.png",
                               "rooster.png",
                               "shark.png",
                               "sheep.png",
                               "snake.png",
                               "tiger.png",
                               "z_default_avatar_1.png",
                               "z_default_avatar_2.png",
                               "z_default_avatar_blue.png",
                               "z_default_avatar_brown.png",
                               "z_default_avatar_brown2.png",
                               "z_default_avatar_green.png",
                               "z_default_avatar_purple.png",
                               "z_default_avatar_red.png"};
    QCOMPARE(QDir(QStringLiteral(":/default/avatars")).entryList(QDir::Files, QDir::Name), expected);
    AvatarDialog dialog;
    QCOMPARE(dialog.avatarCount(), 32);
    auto *view = dialog.findChild<QListView *>(QStringLiteral("avatarView"));
    const QImage last = view->model()->index(31, 0).data().value<Avatar>().image;
    QCOMPARE(last, QImage(QStringLiteral(":/default/avatar-default-red.png"))
                       .scaled(64, 64, Qt::KeepAspectRatio, Qt::FastTransformation));
    for (const char *name : {"1", "2", "blue", "brown", "brown2", "green", "purple", "red", "yellow"})
        QVERIFY(!QImage(QStringLiteral(":/default/avatar-default-%1.png").arg(QLatin1String(name))).isNull());

    // No figure is offered twice: the player figures and the default
    // pictures share one drawing, so every two of them differ clearly in
    // colour, by more than 12 of the 255 steps in one channel of the mean.
    const auto meanColour = [](const QImage &image) {
        const QImage x = image.convertToFormat(QImage::Format_RGB32);
        qint64 sum[3] = {0, 0, 0};
        for (int row = 0; row < x.height(); ++row) {
            for (int column = 0; column < x.width(); ++column) {
                const QRgb p = x.pixel(column, row);
                sum[0] += qRed(p);
                sum[1] += qGreen(p);
                sum[2] += qBlue(p);
            }
        }
        const qint64 n = qint64(x.width()) * x.height();
        return std::array<double, 3>{double(sum[0]) / n, double(sum[1]) / n, double(sum[2]) / n};
    };
    const auto figure = [&expected](int row) {
        return expected[row].contains(QLatin1String("player")) || expected[row].startsWith(QLatin1String("z_"));
    };
    for (int i = 0; i < dialog.avatarCount(); ++i) {
        if (!figure(i))
            continue;
        const auto a = meanColour(view->model()->index(i, 0).data().value<Avatar>().image);
        for (int j = i + 1; j < dialog.avatarCount(); ++j) {
            if (!figure(j))
                continue;
            const auto b = meanColour(view->model()->index(j, 0).data().value<Avatar>().image);
            const double most = std::max({qAbs(a[0] - b[0]), qAbs(a[1] - b[1]), qAbs(a[2] - b[2])});
            QVERIFY2(most > 12, qPrintable(expected[i] + " " + expected[j]));
        }
    }
}

void TestAvatarDialog::files_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QFileDevice::Permissions>("permissions");
    QTest::addColumn<QSize>("sent");
    QTest::addColumn<QString>("warning");
    const auto rw = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QTest::newRow("wide") << QStringLiteral("wide.png") << QFileDevice::Permissions(rw) << QSize(64, 32) << QString();
    QTest::newRow("small") << QStringLiteral("small.png") << QFileDevice::Permissions(rw) << QSize(64, 64) << QString();
    QTest::newRow("unreadable") << QStringLiteral("secret.png") << QFileDevice::Permissions(QFileDevice::WriteOwner)
                                << QSize() << QStringLiteral("The file %1 is unreadable");
    QTest::newRow("invalid") << QStringLiteral("text.png") << QFileDevice::Permissions(rw) << QSize()
                             << QStringLiteral("The file %1 is an invalid image");
}

void TestAvatarDialog::files()
{
    QFETCH(QString, file);
    QFETCH(QFileDevice::Permissions, permissions);
    QFETCH(QSize, sent);
    QFETCH(QString, warning);
    QString path;
    if (file == QLatin1String("text.png")) {
        path = m_dir->filePath(file);
        QFile text(path);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("<svg>not really</svg>");
    } else {
        path = image(file, file == QLatin1String("small.png") ? 16 : 200,
                     file == QLatin1String("small.png") ? 16 : 100);
    }
    QVERIFY(QFile::setPermissions(path, permissions));
    AvatarDialog dialog;
    QSignalSpy chosen(&dialog, &AvatarDialog::changeAvatar);
    dialog.chooseFile(QString());
    QCOMPARE(chosen.size(), 0);
    dialog.chooseFile(path);
    QCOMPARE(chosen.size(), sent.isValid() ? 1 : 0);
    if (sent.isValid())
        QCOMPARE(chosen.at(0).at(0).value<QImage>().size(), sent);
    QCOMPARE(lastWarning(), warning.isEmpty() ? QString() : warning.arg(path));
}

void TestAvatarDialog::waitCursor()
{
    image(QStringLiteral("a.png"), 64, 64);
    // Someone else's override cursor is on the stack already.
    QApplication::setOverrideCursor(Qt::BusyCursor);
    {
        AvatarDialog dialog;
        dialog.on_okButton_clicked();
        dialog.on_okButton_clicked();
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        dialog.onChangeAvatarFailed();
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
        QCOMPARE(lastWarning(), QStringLiteral("Failed to change avatar"));
        dialog.on_okButton_clicked();
        dialog.show();
        dialog.onChangeAvatarSucceded();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    }
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    QApplication::restoreOverrideCursor();
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestAvatarDialog)
#include "tst_avatar_dialog.moc"
