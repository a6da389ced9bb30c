// What the application's style sheet does to the windows a newcomer meets
// first: the find-friend form, the account menu and the tournament standings.
#include "app/MahjongApplication.h"
#include "app/ResourcePaths.h"
#include "mainwindow/EmbeddedWebPage.h"
#include "mainwindow/MainView.h"
#include "mainwindow/MainWindow.h"
#include "social/FriendSearchWindow.h"
#include "tournaments/TournamentDetailDialog.h"
#include "widgets/MahjongDialog.h"
#include "widgets/UPushButton.h"
#include "widgets/UTabWidget.h"
#include "xmpp/client/XMPPClient.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStyleFactory>
#include <QTest>
#include <QTreeView>
#include <QWebEngineView>

namespace {
QPushButton *button(QWidget *parent, const char *name, QWidget *under)
{
    for (QPushButton *b : parent->findChildren<QPushButton *>(QLatin1String(name))) {
        if (under->isAncestorOf(b))
            return b;
    }
    return nullptr;
}
} // namespace

class TestMainwindowLooks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_mainwindow_looks"));
        QSettings().clear();
        ResourcePaths::install({});
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        qobject_cast<MahjongApplication *>(qApp)->loadStyleSheet();
    }

    // The title bar's round close button and the form's own "Close" share
    // an object name; only the first is drawn as the small red circle.
    void formCloseIsARowButton()
    {
        XMPPClient client;
        MahjongDialog dialog(nullptr, MahjongDialog::ShowCloseButton);
        auto *search = new FriendSearchWindow(&client, QStringLiteral("search.localhost"), &dialog);
        dialog.setWidget(search);
        dialog.resize(320, 320);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QPushButton *titleClose = button(&dialog, "closeButton", dialog.findChild<QWidget *>(QStringLiteral("topBar")));
        QPushButton *formClose = button(&dialog, "closeButton", search);
        QVERIFY(titleClose && formClose);
        // 16 px inside a 1 px frame.
        QCOMPARE(titleClose->size(), QSize(18, 18));
        const int textWidth = formClose->fontMetrics().horizontalAdvance(formClose->text());
        QVERIFY2(formClose->width() >= textWidth + 2 * 14,
                 qPrintable(QStringLiteral("%1 px for a %2 px text").arg(formClose->width()).arg(textWidth)));
        QVERIFY(formClose->height() > 16);
        // The same look as its neighbour on the row.
        QPushButton *searchButton = button(&dialog, "searchButton", search);
        QCOMPARE(formClose->height(), searchButton->height());
    }

    // A menu is a window of its own: no page rule reaches it, so the account
    // menu needs a rule of its own to be drawn on the house colours.
    void accountMenuIsDark()
    {
        MainWindow window(QStringLiteral("127.0.0.1"), 1, QStringLiteral("ann"), QStringLiteral("pw"), false,
                          QStringLiteral("web.example"), nullptr);
        window.displayLobby();
        QMenu *menu = window.view().accountButton->menu();
        QVERIFY(menu);
        QVERIFY(!menu->actions().isEmpty());
        menu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QImage image = menu->grab().toImage();
        // Below the last item's text, inside the frame: the menu's background.
        const QColor background = image.pixelColor(image.width() - 4, image.height() - 4);
        menu->hide();
        QVERIFY2(background.lightness() < 100, qPrintable(background.name()));
    }

    // The start and guide tabs are their pages: the header picture and line
    // keep their own height, the page takes the rest of the tab.
    void startAndGuidePagesFillTheirTabs()
    {
        MainWindow window(QStringLiteral("127.0.0.1"), 1, QStringLiteral("ann"), QStringLiteral("pw"), false,
                          QStringLiteral("web.example"), nullptr);
        window.displayLobby();
        window.resize(1024, 768);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const char *tab : {"welcome", "howto"}) {
            window.onDisplayTab(QLatin1String(tab));
            auto *page = qobject_cast<EmbeddedWebPage *>(
                window.view().mainTabs->widget(window.view().mainTabs->currentIndex()));
            QVERIFY(page);
            QTRY_VERIFY(page->webView()->isVisible());
            const int header = page->titleLabel()->sizeHint().height() + page->subTitleLabel()->sizeHint().height();
            QVERIFY2(page->webView()->height() >= page->height() - header - 12,
                     qPrintable(QStringLiteral("%1: the page has %2 of %3 px")
                                    .arg(QLatin1String(tab))
                                    .arg(page->webView()->height())
                                    .arg(page->height())));
        }
    }

    // The standings say what their columns hold ("24/1.5/$500" alone says nothing).
    void standingsHaveColumnTitles()
    {
        TournamentDetailDialog dialog;
        TournamentInfo info;
        info.id = 3;
        info.name = QStringLiteral("Three");
        info.status = TournamentInfo::Playing;
        dialog.setTournamentInfo(info);
        dialog.resize(500, 430);
        dialog.show();
        auto *list = dialog.findChild<QTreeView *>(QStringLiteral("playerList"));
        QVERIFY(list);

        const struct
        {
            qint64 payout;
            const char *points;
            const char *title;
        } cases[] = {{50000, "24/1.5/$500", "Points/Comp./Prize"}, {0, "24/1.5", "Points/Comp."}};
        for (const auto &c : cases) {
            dialog.onTournamentRankings(3, {{1001, QStringLiteral("Lucky"), 48, 3, c.payout, false},
                                            {1002, QStringLiteral("Bamboo"), 31, 2, 0, false}});
            QVERIFY(list->isVisibleTo(&dialog));
            QVERIFY(!list->isHeaderHidden());
            QAbstractItemModel *model = list->model();
            QCOMPARE(model->index(0, 2).data().toString(), QString::fromLatin1(c.points));
            QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Player"));
            QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QString::fromLatin1(c.title));
            // Neither the points nor their title are cut.
            QCoreApplication::processEvents();
            const QFontMetrics metrics(list->header()->font());
            QVERIFY(list->columnWidth(2) >= metrics.horizontalAdvance(QString::fromLatin1(c.title)));
        }
    }
};

int main(int argc, char **argv)
{
    MahjongApplication app(argc, argv);
    TestMainwindowLooks test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow_looks.moc"
