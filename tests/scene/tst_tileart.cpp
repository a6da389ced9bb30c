// The shipped tile art: every set has every picture the renderer needs, the
// bitmap sets follow the atlas layout, and every pair of sets renders and can
// be pre-built into the cache.

#include "TileTestSupport.h"

#include "game/Tile.h"
#include "scene/TileAtlas.h"
#include "scene/TileGraphics.h"
#include "scene/TileImages.h"

#include <QDataStream>
#include <QFile>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

class TstTileArt : public QObject
{
    Q_OBJECT

private:
    static QStringList blankElements()
    {
        QStringList ids{QStringLiteral("hand"), QStringLiteral("handHighlight"), QStringLiteral("declaredBottomTurned"),
                        QStringLiteral("declaredTopTurned")};
        for (const char *side : {"Bottom", "Right", "Top", "Left"})
            for (const char *kind : {"declared", "wallSingle", "wallDouble", "wallTriple", "wallDora", "hidden"})
                ids << QLatin1String(kind) + QLatin1String(side);
        return ids;
    }

    static bool hasOpaquePixels(const QImage &img, const QRect &r)
    {
        const QImage part = img.copy(r).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x)
                if (qAlpha(part.pixel(x, y)) > 128)
                    return true;
        return false;
    }

private slots:
    void initTestCase() { tiletest::useEmbeddedResources(); }

    void faceElementNamesFollowTileNames()
    {
        QCOMPARE(TileImages::faceElementName(0), QStringLiteral("bamboo_1"));
        QCOMPARE(TileImages::faceElementName(17), QStringLiteral("character_9"));
        QCOMPARE(TileImages::faceElementName(24), QStringLiteral("circle_7"));
        QCOMPARE(TileImages::faceElementName(27), QStringLiteral("east_wind"));
        QCOMPARE(TileImages::faceElementName(33), QStringLiteral("white_dragon"));
        QCOMPARE(TileImages::faceElementName(34), QStringLiteral("plum_blossom"));
        QCOMPARE(TileImages::faceElementName(37), QStringLiteral("bamboo"));
        QCOMPARE(TileImages::faceElementName(41), QStringLiteral("winter"));
    }

    void svgSetsHaveEveryElement_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("blank");
        for (const auto &c : TileGraphics::blankChoices())
            if (c.second.endsWith(QLatin1String(".svg")))
                QTest::newRow(qPrintable(c.second)) << c.second << true;
        for (const auto &c : TileGraphics::faceChoices())
            if (c.second.endsWith(QLatin1String(".svg")))
                QTest::newRow(qPrintable(c.second)) << c.second << false;
    }

    void svgSetsHaveEveryElement()
    {
        QFETCH(QString, path);
        QFETCH(bool, blank);
        QSvgRenderer renderer(path);
        QVERIFY2(renderer.isValid(), qPrintable(path));
        QStringList ids;
        if (blank)
            ids = blankElements();
        else
            for (int t = 0; t < TileImages::TileCount; ++t)
                ids << TileImages::faceElementName(t);
        for (const QString &id : ids) {
            QVERIFY2(renderer.elementExists(id), qPrintable(path + QLatin1Char(' ') + id));
            QVERIFY2(!renderer.boundsOnElement(id).isEmpty(), qPrintable(path + QLatin1Char(' ') + id));
        }
    }

    void bitmapSetsFollowTheAtlasLayout()
    {
        for (const auto &c : TileGraphics::blankChoices()) {
            if (c.second.endsWith(QLatin1String(".svg")))
                continue;
            const QImage atlas(c.second);
            QVERIFY2(!atlas.isNull(), qPrintable(c.second));
            QCOMPARE(atlas.size(), TileAtlas::blankAtlasSize());
            QVERIFY(hasOpaquePixels(atlas, TileAtlas::handRect(0)));
            QVERIFY(hasOpaquePixels(atlas, TileAtlas::handRect(1)));
            for (const TileImages::Side side : TileImages::Sides)
                for (const TileImages::Use use : TileImages::Uses)
                    if (TileAtlas::storesUse(use))
                        QVERIFY2(hasOpaquePixels(atlas, TileAtlas::blankRect(side, use)),
                                 qPrintable(QStringLiteral("%1 side %2 use %3").arg(c.second).arg(side).arg(use)));
        }
        for (const auto &c : TileGraphics::faceChoices()) {
            if (c.second.endsWith(QLatin1String(".svg")))
                continue;
            const QImage atlas(c.second);
            QVERIFY2(!atlas.isNull(), qPrintable(c.second));
            QCOMPARE(atlas.size(), TileAtlas::faceAtlasSize());
            for (int t = 0; t < TileImages::TileCount; ++t)
                QVERIFY2(hasOpaquePixels(atlas, TileAtlas::faceRect(t)), qPrintable(QString::number(t)));
        }
    }

    void highlightAndMarkerPictures()
    {
        const QImage highlight(QStringLiteral("resources:/tile-highlights-red.png"));
        QVERIFY(!highlight.isNull());
        for (const QRect &r :
             {QRect(43, 1, 29, 43), QRect(1, 1, 40, 34), QRect(74, 1, 29, 43), QRect(105, 1, 40, 34)}) {
            QVERIFY(highlight.rect().contains(r));
            QVERIFY(hasOpaquePixels(highlight, r));
        }
        const QImage marker(QStringLiteral("resources:/last-tile-marker.png"));
        QVERIFY(!marker.isNull());
        QVERIFY(hasOpaquePixels(marker, marker.rect()));
    }

    // Pre-building renders every pair of sets; each written file must read
    // back as a complete set.
    void buildTileSetCachesWritesEveryPair()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // Standalone: no search path set up by the caller.
        QDir::setSearchPaths(QStringLiteral("resources"), {});
        const bool ok = TileGraphics::buildTileSetCaches(dir.filePath(QStringLiteral("tilesets")));
        tiletest::useEmbeddedResources();
        QVERIFY(ok);
        for (const auto &b : TileGraphics::blankChoices()) {
            for (const auto &f : TileGraphics::faceChoices()) {
                QFile file(dir.path() + QStringLiteral("/tilesets/") + tileSetCacheName(b.second, f.second, 1.0));
                QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
                QDataStream in(&file);
                in.setVersion(QDataStream::Qt_4_2);
                in.setByteOrder(QDataStream::BigEndian);
                TileImages images(in);
                QCOMPARE(in.status(), QDataStream::Ok);
                QCOMPARE(images.scale(), 1.0);
                QCOMPARE(images.face(TileImages::Right, 20).size(), QSize(38, 26));
                QVERIFY(!images.handImage(true).isNull());
            }
        }
    }
};

QTEST_MAIN(TstTileArt)
#include "tst_tileart.moc"
