// Tile pictures: size records, rendering, scaling, shadows, the dim mask and
// the disk cache (format, freshness, damaged files, file name, location).

#include "TileTestSupport.h"

#include "scene/TileImages.h"

#include <QDataStream>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <memory>

namespace {
const QString Highlight = QStringLiteral("resources:/tile-highlights-red.png");

QImage premultiplied(const QImage &img)
{
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Two renderings of one drawing may differ by a rounding step in a few
// pixels (the raster engine picks code paths by memory alignment).
bool samePicture(const QImage &x, const QImage &y)
{
    if (x.isNull() || y.isNull())
        return x.isNull() == y.isNull();
    const QImage a = premultiplied(x), b = premultiplied(y);
    if (a.size() != b.size())
        return false;
    for (int row = 0; row < a.height(); ++row)
        for (int col = 0; col < a.width(); ++col) {
            const QRgb p = a.pixel(col, row), q = b.pixel(col, row);
            if (qAbs(qRed(p) - qRed(q)) > 2 || qAbs(qGreen(p) - qGreen(q)) > 2 || qAbs(qBlue(p) - qBlue(q)) > 2
                || qAbs(qAlpha(p) - qAlpha(q)) > 2)
                return false;
        }
    return true;
}

// Compares every picture and record of two sets.
bool sameSet(const TileImages &a, const TileImages &b)
{
    if (a.scale() != b.scale())
        return false;
    for (const TileImages::Side side : TileImages::Sides) {
        for (const TileImages::Use use : TileImages::Uses) {
            if (!samePicture(a.blank(side, use), b.blank(side, use)) || a.metrics(side, use) != b.metrics(side, use)
                || a.rect(side, use) != b.rect(side, use) || !(a.shadow(side, use) == b.shadow(side, use)))
                return false;
        }
        for (int t = 0; t < TileImages::TileCount; ++t)
            if (!samePicture(a.face(side, t), b.face(side, t)))
                return false;
        if (!samePicture(a.highlight(side), b.highlight(side)))
            return false;
    }
    for (int t = 0; t < TileImages::TileCount; ++t)
        if (!samePicture(a.handFace(t), b.handFace(t)))
            return false;
    return samePicture(a.handImage(false), b.handImage(false)) && samePicture(a.handImage(true), b.handImage(true));
}

QSize pictureSize(const TileMetrics &m)
{
    return QSize(m.width, m.height + m.depth);
}
} // namespace

class TstTileImages : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_sets;
    QString m_blankA, m_blankB, m_face;
    std::unique_ptr<TileImages> m_base;

    QString cacheFile(const QString &blank, double scale) const
    {
        return tileSetCacheDirectory() + QLatin1Char('/') + tileSetCacheName(blank, m_face, scale);
    }

    static void setTime(const QString &file, const QDateTime &t)
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(t, QFileDevice::FileModificationTime));
    }

    static void writeStream(const QString &file, const std::function<void(QDataStream &)> &write)
    {
        QFile f(file);
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QDataStream out(&f);
        out.setVersion(QDataStream::Qt_4_2);
        out.setByteOrder(QDataStream::BigEndian);
        write(out);
    }

    static qint32 storedVersion(const QString &file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        QDataStream in(&f);
        in.setByteOrder(QDataStream::BigEndian);
        qint32 v = -1;
        in >> v;
        return v;
    }

    void clearCache() { QDir(tileSetCacheDirectory()).removeRecursively(); }

private slots:
    void initTestCase()
    {
        // Working copies on disk so that file times can be set.
        QVERIFY(m_sets.isValid());
        for (const char *name :
             {"tiles-blank-green.svg", "tiles-blank-darkwood.svg", "tiles-fg-simple.svg", "tile-highlights-red.png"})
            QVERIFY(QFile::copy(tiletest::sourceTileSets() + QLatin1Char('/') + QLatin1String(name),
                                m_sets.filePath(QLatin1String(name))));
        // One time for every source, so that cache files can be dated
        // exactly against them.
        const QDateTime sourceTime = QDateTime::currentDateTime().addSecs(-3600);
        for (const QString &name : QDir(m_sets.path()).entryList(QDir::Files))
            setTime(m_sets.filePath(name), sourceTime);
        QDir::setSearchPaths(QStringLiteral("resources"), {m_sets.path()});
        QVERIFY(QDir::setCurrent(m_sets.path()));
        m_blankA = QStringLiteral("resources:/tiles-blank-green.svg");
        m_blankB = QStringLiteral("resources:/tiles-blank-darkwood.svg");
        m_face = QStringLiteral("resources:/tiles-fg-simple.svg");
        m_base = std::make_unique<TileImages>(m_blankA, m_face, Highlight, 1.0);
        QVERIFY2(m_base->isValid(), qPrintable(m_base->errorString()));
    }

    void init() { clearCache(); }

    void baseRecords()
    {
        QCOMPARE(TileImages::baseMetrics(0), TileMetrics(32, 40, 11));
        QCOMPARE(TileImages::baseMetrics(1), TileMetrics(28, 35, 10));
        QCOMPARE(TileImages::baseMetrics(2), TileMetrics(38, 26, 10));
        QCOMPARE(TileImages::baseMetrics(5), TileMetrics(28, 20, 10));
        QCOMPARE(TileImages::baseMetrics(6), TileMetrics(28, 20, 0));
        QCOMPARE(TileImages::baseMetrics(7), TileMetrics(21, 18, 21));
        QCOMPARE(TileMetrics(10, -1, 7) * 1.5, TileMetrics(15, -1, 10));
    }

    void recordsPerSideAndUse()
    {
        using TI = TileImages;
        // Turned tiles take the previous side's lying tile.
        QCOMPARE(TI::renderedMetrics(TI::Bottom, TI::DeclaredTurned, 1.0), TileMetrics(38, 26, 10));
        QCOMPARE(TI::renderedMetrics(TI::Right, TI::DeclaredTurned, 1.0), TileMetrics(28, 35, 10));
        QCOMPARE(TI::renderedMetrics(TI::Right, TI::WallTriple, 1.0), TileMetrics(38, 26, 30));
        QCOMPARE(TI::renderedMetrics(TI::Top, TI::WallDora, 1.0), TileMetrics(28, 35, 20));
        QCOMPARE(TI::renderedMetrics(TI::Left, TI::Hidden, 1.0), TileMetrics(21, 18, 21));
        QVERIFY(TI::renderedMetrics(TI::Top, TI::Unused, 1.0).isNull());
        // Scaled: each field truncated, the stack depth multiplied after.
        QCOMPARE(TI::renderedMetrics(TI::Bottom, TI::Declared, 0.96875), TileMetrics(27, 33, 9));
        QCOMPARE(TI::renderedMetrics(TI::Right, TI::WallTriple, 0.84375), TileMetrics(32, 21, 24));
        QCOMPARE(TI::renderedMetrics(TI::Bottom, TI::Hand, 1.5), TileMetrics(48, 60, 16));
    }

    void renderedPicturesMatchTheirRecords()
    {
        const TileImages &s = *m_base;
        for (const TileImages::Side side : TileImages::Sides) {
            for (const TileImages::Use use : TileImages::Uses) {
                if (use == TileImages::Hand || use == TileImages::Unused) {
                    QVERIFY(s.blank(side, use).isNull());
                    continue;
                }
                QCOMPARE(s.metrics(side, use), TileImages::renderedMetrics(side, use, 1.0));
                QCOMPARE(s.blank(side, use).size(), pictureSize(s.metrics(side, use)));
                QCOMPARE(s.blank(side, use).format(), QImage::Format_ARGB32_Premultiplied);
                QCOMPARE(s.rect(side, use), QRectF(QPointF(0, 0), QSizeF(s.blank(side, use).size())));
            }
            const TileMetrics lying = s.metrics(side, TileImages::Declared);
            QCOMPARE(s.highlight(side).size(), QSize(lying.width, lying.height));
            QCOMPARE(s.face(side, 30).size(), QSize(lying.width, lying.height));
        }
        QVERIFY(s.metrics(TileImages::Top, TileImages::Unused).isNull());
        QCOMPARE(s.rect(TileImages::Bottom, TileImages::Hand), QRectF(0, 0, 32, 51));
        QCOMPARE(s.handImage(false).size(), QSize(32, 51));
        QCOMPARE(s.handFace(5).size(), QSize(32, 40));
        // 28 x 35 and 38 x 26 are not each other's transpose: the Right face
        // is rendered on its own at the turned size.
        QCOMPARE(s.face(TileImages::Right, 0).size(), QSize(38, 26));
        QCOMPARE(s.face(TileImages::Left, 0), s.face(TileImages::Right, 0).transformed(QTransform().rotate(-180)));
        QCOMPARE(s.face(TileImages::Top, 0), s.face(TileImages::Bottom, 0).transformed(QTransform().rotate(-180)));
    }

    void shadowsAndDimMask()
    {
        const TileImages &s = *m_base;
        const ShadowGeometry g = s.shadow(TileImages::Bottom, TileImages::Declared);
        // 28 x 45 picture, face height 35: u = 28 / 30, corners cut by 2u.
        const qreal u = 28.0 / 30;
        QCOMPARE(g.outline.size(), 8);
        QCOMPARE(g.outline.at(0), QPointF(u / 2 + 2 * u, 45 - 35 + u / 2));
        QCOMPARE(g.outline.at(4), QPointF(28 - u / 2 - 2 * u, 45 - u / 2));
        QCOMPARE(g.height, 5);
        QCOMPARE(s.shadow(TileImages::Left, TileImages::Hidden).height, 10);
        QCOMPARE(s.shadow(TileImages::Top, TileImages::WallDouble).height, 10);
        QCOMPARE(s.shadow(TileImages::Top, TileImages::WallDora).height, 10);
        QCOMPARE(s.shadow(TileImages::Right, TileImages::WallTriple).height, 15);

        const QImage hand = s.handImage(false);
        const QImage mask = s.dimMask();
        QCOMPARE(mask.size(), hand.size());
        const QPoint inside(hand.width() / 2, hand.height() / 2);
        QCOMPARE(qAlpha(hand.pixel(inside)), 255);
        QCOMPARE(mask.pixel(inside), qRgba(0, 0, 0, 85));
        QCOMPARE(qAlpha(mask.pixel(0, 0)), qAlpha(hand.pixel(0, 0)) / 3);
    }

    void scaling()
    {
        const TileImages same(*m_base, 1.0);
        for (const TileImages::Side side : TileImages::Sides)
            for (const TileImages::Use use : TileImages::Uses) {
                QCOMPARE(same.blank(side, use).size(), m_base->blank(side, use).size());
                QCOMPARE(same.metrics(side, use), m_base->metrics(side, use));
            }
        const TileImages big(*m_base, 1.5);
        QCOMPARE(big.scale(), 1.5);
        // 28 x 45 -> 42 x 67.5 -> 42 x 68 (halves up)
        QCOMPARE(big.blank(TileImages::Bottom, TileImages::Declared).size(), QSize(42, 68));
        QCOMPARE(big.metrics(TileImages::Bottom, TileImages::Declared), TileMetrics(42, 52, 15));
        QCOMPARE(big.rect(TileImages::Bottom, TileImages::Declared), QRectF(0, 0, 42, 68));
        QCOMPARE(big.rect(TileImages::Bottom, TileImages::Hand), QRectF(big.handImage(false).rect()));
        QCOMPARE(big.face(TileImages::Right, 3).size(), QSize(57, 39));
        QVERIFY(big.blank(TileImages::Left, TileImages::Unused).isNull());
        QCOMPARE(big.shadow(TileImages::Bottom, TileImages::Declared).outline.at(4).y(), 68 - (42.0 / 30) / 2);
    }

    void cacheNames()
    {
        // Values of the stored hash for these inputs, worked out by hand.
        QCOMPARE(tileSetCacheName(QStringLiteral("resources:/tiles-blank-default.png"),
                                  QStringLiteral("resources:/tiles-fg.svg"), 1.0),
                 QStringLiteral("tileset_0x00875d7f.dat"));
        QCOMPARE(tileSetCacheName(QStringLiteral("resources:/tiles-blank-darkwood.svg"),
                                  QStringLiteral("resources:/tiles-fg-simple.svg"), 0.96875),
                 QStringLiteral("tileset_0x0968142f.dat"));
        const QRegularExpression shape(QStringLiteral("^tileset_0x[0-9a-f]{8}\\.dat$"));
        for (double s : {0.03125, 0.5, 1.0, 2.25})
            QVERIFY(shape.match(tileSetCacheName(m_blankA, m_face, s)).hasMatch());
        QCOMPARE(tileSetCacheName(m_blankA, m_face, 0.5), tileSetCacheName(m_blankA, m_face, 0.5));
        QVERIFY(tileSetCacheName(m_blankA, m_face, 0.5) != tileSetCacheName(m_blankB, m_face, 0.5));
    }

    void streamRoundTrip()
    {
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            out.setVersion(QDataStream::Qt_4_2);
            writeTileImages(out, *m_base);
        }
        QDataStream in(bytes);
        in.setVersion(QDataStream::Qt_4_2);
        const TileImages read(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QVERIFY(in.atEnd());
        QVERIFY(sameSet(read, *m_base));
    }

    void wrongVersionOrProportionsThrow()
    {
        for (qint32 version : {5, 7}) {
            QByteArray bytes;
            QDataStream out(&bytes, QIODevice::WriteOnly);
            out << version << 1.0 << 1.15 << 1.0;
            QDataStream in(bytes);
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, TileImages{in});
        }
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << qint32(6) << 1.0 << 1.2 << 1.0;
        QDataStream in(bytes);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, TileImages{in});
    }

    void renderWritesTheUserCacheAndReadsItBack()
    {
        std::unique_ptr<TileImages> first(loadOrRenderTileImages(m_blankA, m_face, 1.0));
        QVERIFY(first->isValid());
        const QString file = cacheFile(m_blankA, 1.0);
        QVERIFY(QFileInfo::exists(file));
        QVERIFY(file.startsWith(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)));
        // Nothing in the shared temporary directory.
        QVERIFY(!QFileInfo::exists(QDir::tempPath() + QLatin1Char('/') + tileSetCacheName(m_blankA, m_face, 1.0)));
        QCOMPARE(storedVersion(file), 6);
        QVERIFY(sameSet(*first, *m_base));
        // The pictures are stored the way QDataStream stores a QImage (a
        // marker, then a PNG any reader takes), only without deflating.
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QDataStream in(&f);
            in.setVersion(QDataStream::Qt_4_2);
            qint32 version = 0;
            double table = 0, hand = 0, scale = 0;
            QImage firstBlank;
            in >> version >> table >> hand >> scale >> firstBlank;
            QCOMPARE(in.status(), QDataStream::Ok);
            QVERIFY(samePicture(firstBlank, m_base->blank(TileImages::Bottom, TileImages::Declared)));
        }

        // Prove the second lookup reads the file: plant set A under B's name.
        QVERIFY(QFile::copy(file, cacheFile(m_blankB, 1.0)));
        std::unique_ptr<TileImages> planted(loadOrRenderTileImages(m_blankB, m_face, 1.0));
        QVERIFY(sameSet(*planted, *m_base));
    }

    void cacheTimes()
    {
        QVERIFY(saveTileImages(*m_base, cacheFile(m_blankB, 1.0)));
        const QDateTime blankTime =
            QFileInfo(m_sets.filePath(QStringLiteral("tiles-blank-darkwood.svg"))).lastModified();
        // Same time as the newest source: used.
        setTime(cacheFile(m_blankB, 1.0), blankTime);
        std::unique_ptr<TileImages> same(loadOrRenderTileImages(m_blankB, m_face, 1.0));
        QVERIFY(sameSet(*same, *m_base));
        // Older than the blank file: stale, rendered again and rewritten.
        setTime(cacheFile(m_blankB, 1.0), blankTime.addSecs(-60));
        std::unique_ptr<TileImages> stale(loadOrRenderTileImages(m_blankB, m_face, 1.0));
        QVERIFY(!sameSet(*stale, *m_base));
        QVERIFY(QFileInfo(cacheFile(m_blankB, 1.0)).lastModified() >= blankTime);
        // A newer highlight picture makes it stale too.
        setTime(m_sets.filePath(QStringLiteral("tile-highlights-red.png")), QDateTime::currentDateTime().addSecs(3600));
        std::unique_ptr<TileImages> rendered(loadOrRenderTileImages(m_blankB, m_face, 1.0));
        QVERIFY(rendered->isValid());
        setTime(m_sets.filePath(QStringLiteral("tile-highlights-red.png")), blankTime);
    }

    void damagedCacheFilesAreRenderedAndRewritten_data()
    {
        QTest::addColumn<int>("damage");
        QTest::newRow("version 5") << 5;
        QTest::newRow("version 7") << 7;
        QTest::newRow("other proportions") << 1;
        QTest::newRow("truncated") << 2;
        QTest::newRow("garbage") << 3;
        QTest::newRow("absurd sizes") << 4;
        // The first picture's PNG (after the 28-byte head and its marker):
        QTest::newRow("huge canvas") << 8;   // its header claims 100000 pixels wide
        QTest::newRow("broken pixels") << 9; // its stored block's length check fails
    }

    void damagedCacheFilesAreRenderedAndRewritten()
    {
        QFETCH(int, damage);
        const QString file = cacheFile(m_blankA, 1.0);
        QByteArray good;
        {
            QDataStream out(&good, QIODevice::WriteOnly);
            out.setVersion(QDataStream::Qt_4_2);
            writeTileImages(out, *m_base);
        }
        writeStream(file, [&](QDataStream &out) {
            if (damage == 5 || damage == 7) {
                out << qint32(damage);
                out.writeRawData(good.constData() + 4, good.size() - 4);
            } else if (damage == 1) {
                out << qint32(6) << 1.0 << 1.2;
                out.writeRawData(good.constData() + 20, good.size() - 20);
            } else if (damage == 2) {
                out.writeRawData(good.constData(), good.size() / 2);
            } else if (damage == 8 || damage == 9) {
                QByteArray bad = good;
                if (damage == 8)
                    qToBigEndian<quint32>(100000, bad.data() + 28 + 4 + 8 + 8);
                else
                    bad[28 + 4 + 8 + 25 + 8 + 2 + 1 + 2] = char(~bad[28 + 4 + 8 + 25 + 8 + 2 + 1 + 2]);
                out.writeRawData(bad.constData(), bad.size());
            } else if (damage == 3) {
                out.writeRawData("\x00\x00\x00\x06 not a tile set", 20);
            } else {
                out << qint32(6) << 1.0 << 1.15 << 1.0 << QImage() << qint32(1000000000) << qint32(35) << qint32(10)
                    << QRectF(0, 0, 28, 45);
                out.writeRawData(good.constData() + 28, good.size() - 28);
            }
        });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Tile cache .* (not used|damaged)")));
        std::unique_ptr<TileImages> images(loadOrRenderTileImages(m_blankA, m_face, 1.0));
        QVERIFY(images->isValid());
        QVERIFY(sameSet(*images, *m_base));
        QCOMPARE(storedVersion(file), 6);
        QCOMPARE(QFileInfo(file).size(), qint64(good.size()));
    }

    void programDirectoryCacheComesFirst()
    {
        const QString installed = bundledTileSetCacheDirectory() + QLatin1Char('/')
                                  + tileSetCacheName(m_blankB, m_face, 1.0);
        QVERIFY(saveTileImages(*m_base, installed));
        std::unique_ptr<TileImages> images(loadOrRenderTileImages(m_blankB, m_face, 1.0));
        QVERIFY(QDir(bundledTileSetCacheDirectory()).removeRecursively());
        QVERIFY(sameSet(*images, *m_base));
        QVERIFY(!QFileInfo::exists(cacheFile(m_blankB, 1.0)));
    }

    // A damaged installed file must not cost a render on every start while
    // the user's copy is good: the lookup goes on to that copy (here set A
    // planted under B's name, so reading it is told apart from rendering B)
    // and leaves both files as they are.
    void damagedInstalledCacheFallsThroughToTheUsersCopy()
    {
        const QString installed = bundledTileSetCacheDirectory() + QLatin1Char('/')
                                  + tileSetCacheName(m_blankB, m_face, 1.0);
        writeStream(installed, [](QDataStream &out) { out.writeRawData("\x00\x00\x00\x06 not a tile set", 20); });
        QVERIFY(saveTileImages(*m_base, cacheFile(m_blankB, 1.0)));
        const QDateTime written = QFileInfo(cacheFile(m_blankB, 1.0)).lastModified();
        for (int start = 0; start < 2; ++start) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Tile cache .* damaged")));
            std::unique_ptr<TileImages> images(loadOrRenderTileImages(m_blankB, m_face, 1.0));
            QVERIFY(sameSet(*images, *m_base));
        }
        QCOMPARE(QFileInfo(cacheFile(m_blankB, 1.0)).lastModified(), written);
        QCOMPARE(QFileInfo(installed).size(), qint64(20));
        QVERIFY(QDir(bundledTileSetCacheDirectory()).removeRecursively());
    }

    // Whatever directory the program is started from holds no cache of its:
    // a "tilesets/" there (here a fresh file of another set under this
    // pair's name) is neither read nor written.
    void workingDirectoryCacheIsIgnored()
    {
        const QString stray = QStringLiteral("tilesets/") + tileSetCacheName(m_blankB, m_face, 1.0);
        QVERIFY(saveTileImages(*m_base, stray));
        const QDateTime written = QFileInfo(stray).lastModified();
        std::unique_ptr<TileImages> images(loadOrRenderTileImages(m_blankB, m_face, 1.0));
        QVERIFY(!sameSet(*images, *m_base));
        QVERIFY(QFileInfo::exists(cacheFile(m_blankB, 1.0)));
        QCOMPARE(QFileInfo(stray).lastModified(), written);
        QVERIFY(QDir(QStringLiteral("tilesets")).removeRecursively());
    }

    void brokenSetsAreNeverCached()
    {
        QFile junk(m_sets.filePath(QStringLiteral("junk.svg")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("<svg this is not");
        junk.close();
        for (const QString &blank :
             {QStringLiteral("resources:/no-such-blank.svg"), QStringLiteral("resources:/junk.svg"),
              QStringLiteral("resources:/no-such-blank.png")}) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("could not be rendered")));
            std::unique_ptr<TileImages> images(loadOrRenderTileImages(blank, m_face, 1.0));
            QVERIFY(!images->isValid());
            QVERIFY(!QFileInfo::exists(cacheFile(blank, 1.0)));
            // Still a usable (empty) set: sizes are known, nothing crashes.
            QCOMPARE(images->metrics(TileImages::Bottom, TileImages::Declared), TileMetrics(28, 35, 10));
        }
        // A drawing that lacks elements is just as broken.
        QFile partial(m_sets.filePath(QStringLiteral("partial.svg")));
        QVERIFY(partial.open(QIODevice::WriteOnly));
        partial.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
                      "<g id=\"hand\"><rect width=\"10\" height=\"10\"/></g></svg>");
        partial.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("could not be rendered")));
        std::unique_ptr<TileImages> images(
            loadOrRenderTileImages(QStringLiteral("resources:/partial.svg"), m_face, 1.0));
        QVERIFY(!images->isValid());
        QVERIFY(images->errorString().contains(QLatin1String("declaredBottom")));
        QVERIFY(!QFileInfo::exists(cacheFile(QStringLiteral("resources:/partial.svg"), 1.0)));
    }

    // Every element present but drawing nothing: no division by an empty
    // extent, no transparent set cached as good.
    void emptyElementsAreBroken()
    {
        QString blanks = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">");
        QStringList ids{QStringLiteral("hand"), QStringLiteral("handHighlight"), QStringLiteral("declaredBottomTurned"),
                        QStringLiteral("declaredTopTurned")};
        for (const TileImages::Side side : TileImages::Sides)
            for (const char *kind : {"declared", "wallSingle", "wallDouble", "wallTriple", "wallDora", "hidden"})
                ids << QLatin1String(kind) + TileImages::sideName(side);
        for (const QString &id : ids)
            blanks += QStringLiteral("<g id=\"%1\"/>").arg(id);
        blanks += QStringLiteral("</svg>");
        QString faces = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">");
        for (int t = 0; t < TileImages::TileCount; ++t)
            faces +=
                t == 24
                    ? QStringLiteral("<g id=\"circle_7\"/>")
                    : QStringLiteral("<rect id=\"%1\" width=\"4\" height=\"5\"/>").arg(TileImages::faceElementName(t));
        faces += QStringLiteral("</svg>");
        for (const auto &[name, text] : {std::pair{QStringLiteral("emptyblanks.svg"), blanks},
                                         std::pair{QStringLiteral("emptyface.svg"), faces}}) {
            QFile file(m_sets.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
        }
        const QString emptyBlanks = QStringLiteral("resources:/emptyblanks.svg");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("could not be rendered")));
        std::unique_ptr<TileImages> images(loadOrRenderTileImages(emptyBlanks, m_face, 1.0));
        QVERIFY(!images->isValid());
        QVERIFY(images->errorString().contains(QLatin1String("\"wallDoraLeft\" is empty")));
        QVERIFY(!QFileInfo::exists(cacheFile(emptyBlanks, 1.0)));

        const QString emptyFace = QStringLiteral("resources:/emptyface.svg");
        const TileImages faceSet(m_blankA, emptyFace, Highlight, 1.0);
        QVERIFY(!faceSet.isValid());
        QVERIFY(faceSet.errorString().contains(QLatin1String("\"circle_7\" is empty")));
        QVERIFY(!faceSet.errorString().contains(QLatin1String("circle_6")));
    }
};

QTEST_MAIN(TstTileImages)
#include "tst_tileimages.moc"
