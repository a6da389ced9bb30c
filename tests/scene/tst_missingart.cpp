// Table items whose drawings are missing: hidden, one warning each, and
// nothing divided by an empty size. Its own program, because the drawings are
// loaded once per process.

#include "TileTestSupport.h"

#include "scene/HandView.h"
#include "scene/PrevalentWindView.h"
#include "scene/RiichiStickView.h"
#include "scene/TileGraphics.h"
#include "scene/WindView.h"

#include <QGraphicsSvgItem>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

class TstMissingArt : public QObject
{
    Q_OBJECT

private slots:
    void itemsHideWithoutTheirDrawings()
    {
        // The tile sets are there, the table drawings are not.
        QTemporaryDir empty;
        QVERIFY(QFile::copy(tiletest::sourceTileSets() + QStringLiteral("/tile-highlights-red.png"),
                            empty.filePath(QStringLiteral("tile-highlights-red.png"))));
        QDir::setSearchPaths(QStringLiteral("resources"), {empty.path(), tiletest::sourceTileSets()});
        TileGraphics::instance().setTileSet(3, 4);
        // No worker may still render when the test program ends.
        QTRY_VERIFY_WITH_TIMEOUT(!TileGraphics::instance().hasWorker(), 60000);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("\"blank\"; the item is hidden")));
        WindView marker(TileImages::Bottom);
        WindView other(TileImages::Right); // no second warning
        QVERIFY(!marker.isVisible());
        QCOMPARE(WindView::elementSize(), QSizeF(-1, -1));
        QImage img(64, 64, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        marker.paint(&p, nullptr, nullptr); // draws nothing, divides by nothing
        p.end();
        QCOMPARE(img.pixel(31, 31), qRgba(0, 0, 0, 0));

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("\"prevalentEast\"; the item is hidden")));
        PrevalentWindView prevailing;
        QVERIFY(!prevailing.isVisible());

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("\"stick\"; the item is hidden")));
        RiichiStickView sticks(TileImages::Top);
        sticks.setStickCount(2);
        QVERIFY(!sticks.isVisible());

        HandView hand;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("\"frame\"; the item is hidden")));
        hand.setTiles({1, 2, 3});
        QVERIFY(!hand.frameItem().isVisible());
        QCOMPARE(hand.tileItems().size(), std::size_t(3));
    }
};

QTEST_MAIN(TstMissingArt)
#include "tst_missingart.moc"
