// The claim banner: the picture per ruleset and action, found in the
// language's text-image folder first, and where the banner lies for each
// seat and placement.

#include "game/Meld.h"
#include "scene/PlayerActionView.h"

#include <QDir>
#include <QGraphicsScene>
#include <QtTest>

namespace {
void useLanguage(const QString &language)
{
    QStringList paths;
    if (!language.isEmpty())
        paths << QStringLiteral(":/default/textimages/") + language;
    paths << QStringLiteral(":/default/textimages");
    QDir::setSearchPaths(QStringLiteral("textimages"), paths);
}
} // namespace

class TstClaimBanner : public QObject
{
    Q_OBJECT

private slots:
    void init() { useLanguage(QString()); }

    void pictures_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("riichi");
        QTest::addColumn<QString>("other");
        QTest::newRow("chow") << 1 << 0 << "claim-chii"
                              << "claim-chow";
        QTest::newRow("pong") << 2 << 0 << "claim-pon"
                              << "claim-pong";
        QTest::newRow("kong") << 8 << 0 << "claim-kan"
                              << "claim-kong";
        QTest::newRow("ron") << 16 << 2 << "claim-ron"
                             << "claim-ron";
        QTest::newRow("tsumo") << 16 << 3 << "claim-tsumo"
                               << "claim-tsumo";
        QTest::newRow("mahjong") << 16 << 1 << "claim-mahjong-game-view"
                                 << "claim-mahjong-game-view";
        QTest::newRow("riichi") << 128 << 0 << "claim-riichi"
                                << "claim-riichi";
        QTest::newRow("none") << 0 << 0 << ""
                              << "";
        QTest::newRow("pong to kong") << 4 << 0 << ""
                                      << "";
    }
    void pictures()
    {
        QFETCH(int, action);
        QFETCH(int, kind);
        QFETCH(QString, riichi);
        QFETCH(QString, other);
        const auto name = [](const QString &base) {
            return base.isEmpty() ? QString() : QStringLiteral("textimages:") + base + QStringLiteral(".png");
        };
        QCOMPARE(PlayerActionView::imageName(action, kind, 2), name(riichi));
        for (const int ruleset : {0, 1, 5})
            QCOMPARE(PlayerActionView::imageName(action, kind, ruleset), name(other));
        for (const QString &language :
             {QString(), QStringLiteral("ja"), QStringLiteral("zh_CN"), QStringLiteral("zh_TW")}) {
            useLanguage(language);
            PlayerActionView banner(0);
            banner.setRuleset(2);
            banner.showAction(action, kind);
            QCOMPARE(banner.pixmap().isNull(), riichi.isEmpty());
        }
    }

    void languageFolderComesFirst()
    {
        PlayerActionView banner(0);
        banner.showAction(MELD_PONG, 0);
        const QSize english = banner.pixmap().size();
        useLanguage(QStringLiteral("ja"));
        banner.updatePixmap();
        QVERIFY(!banner.pixmap().isNull());
        QVERIFY(banner.pixmap().size() != english);
        QVERIFY(QFileInfo(QStringLiteral("textimages:timeout.png")).exists());
        QVERIFY(QFileInfo(QStringLiteral("textimages:furiten.png")).exists());
    }

    // The corner of the banner at the item's position, per seat: Bottom
    // top-right, Right (turned 270) top-left, Top bottom-left, Left (turned
    // 90) bottom-right; 1.5 x scale times the picture.
    void placement_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("turned");
        QTest::addColumn<QPointF>("corner");
        QTest::newRow("bottom") << 0 << false << QPointF(1, 0);
        QTest::newRow("right") << 1 << true << QPointF(0, 0);
        QTest::newRow("top") << 2 << false << QPointF(0, 1);
        QTest::newRow("left") << 3 << true << QPointF(1, 1);
    }
    void placement()
    {
        QFETCH(int, orientation);
        QFETCH(bool, turned);
        QFETCH(QPointF, corner);
        QGraphicsScene scene;
        auto *banner = new PlayerActionView(orientation);
        scene.addItem(banner);
        banner->setPos(300, 200);
        banner->showAction(MELD_KONG, 0);
        const QSizeF picture = banner->pixmap().size();
        QVERIFY(!picture.isEmpty());
        for (const double scale : {1.0, 0.5}) {
            banner->setScale(scale);
            const QSizeF size = (turned ? picture.transposed() : picture) * 1.5 * scale;
            const QRectF r = banner->sceneBoundingRect();
            QCOMPARE(r.size(), size);
            // The anchor stays put as the scale changes.
            const QPointF anchor(r.left() + corner.x() * r.width(), r.top() + corner.y() * r.height());
            QCOMPARE(anchor, QPointF(300, 200));
        }
        banner->setPlacement(PlayerActionView::CentredPlacement);
        const QSizeF size = (turned ? picture.transposed() : picture) * 0.75;
        QCOMPARE(banner->sceneBoundingRect().size(), size);
        const QPointF centre = banner->sceneBoundingRect().center();
        // Centred up to the half pixel of an odd picture size.
        QVERIFY(qAbs(centre.x() - 300) <= 0.75 && qAbs(centre.y() - 200) <= 0.75);
        banner->showAction(0, 0);
        QVERIFY(banner->pixmap().isNull());
    }
};

QTEST_MAIN(TstClaimBanner)
#include "tst_claimbanner.moc"
