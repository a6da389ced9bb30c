#include "scene/TileImages.h"

#include "game/Tile.h"
#include "scene/Logging.h"
#include "scene/TileAtlas.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTransform>
#include <QtConcurrent/QtConcurrentMap>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace {

const char *const HighlightPath = "resources:/tile-highlights-red.png";
constexpr double TableProportion = 1.0;
constexpr double HandProportion = 1.15;
// A cached scale outside this range is corrupt data, not a tile set.
constexpr double MaxScale = 16.0;
// No picture of a valid set comes near this at the largest scale.
constexpr int MaxPictureSide = 2048;

bool saneField(qint32 v)
{
    return v >= -1 && v <= MaxPictureSide;
}

bool saneCoordinate(qreal v)
{
    return std::isfinite(v) && std::abs(v) <= MaxPictureSide;
}

const TileMetrics DrawingRows[8] = {
    {192, 220, 69}, {192, 220, 69}, {220, 192, 69}, {192, 220, 69},
    {220, 192, 69}, {198, 140, 70}, {198, 140, 0},  {148, 128, 144},
};

// What QDataStream writes for a picture is a marker (0 for none) and a PNG;
// a PNG of the largest picture, stored, stays below this.
constexpr qint64 MaxPngBytes = 20 << 20;

struct PendingImage
{
    QImage *target;
    QByteArray png;
};

// Reads the bytes of one picture as QDataStream writes it, up to the end of
// its PNG, without decoding (empty for none). A picture whose header claims
// more than the largest size is refused before anything is decoded.
bool readPngBytes(QDataStream &in, QByteArray &png)
{
    static const char Signature[] = "\x89PNG\r\n\x1a\n";
    qint32 marker = 0;
    in >> marker;
    if (in.status() != QDataStream::Ok)
        return false;
    if (marker == 0)
        return true;
    char head[8];
    if (in.readRawData(head, 8) != 8 || std::memcmp(head, Signature, 8) != 0) {
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    png.append(head, 8);
    for (;;) {
        if (in.readRawData(head, 8) != 8) {
            in.setStatus(QDataStream::ReadPastEnd);
            return false;
        }
        const qint64 length = qFromBigEndian<quint32>(head);
        if (png.size() + 12 + length > MaxPngBytes) {
            in.setStatus(QDataStream::ReadCorruptData);
            return false;
        }
        const qsizetype at = png.size() + 8;
        png.append(head, 8);
        png.resize(at + length + 4); // data and CRC
        if (in.readRawData(png.data() + at, int(length + 4)) != length + 4) {
            in.setStatus(QDataStream::ReadPastEnd);
            return false;
        }
        if (std::memcmp(head + 4, "IHDR", 4) == 0 && length >= 8
            && (qFromBigEndian<quint32>(png.constData() + at) > quint32(MaxPictureSide)
                || qFromBigEndian<quint32>(png.constData() + at + 4) > quint32(MaxPictureSide))) {
            in.setStatus(QDataStream::ReadCorruptData);
            return false;
        }
        if (std::memcmp(head + 4, "IEND", 4) == 0)
            return true;
    }
}

quint32 bigEndian32(const uchar *p)
{
    return qFromBigEndian<quint32>(p);
}

// Reverses the PNG row filters of one row of 4-byte pixels in place.
bool unfilterRow(int filter, uchar *row, const uchar *prior, qsizetype length)
{
    constexpr int Bpp = 4;
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (qsizetype i = Bpp; i < length; ++i)
            row[i] = uchar(row[i] + row[i - Bpp]);
        return true;
    case 2:
        for (qsizetype i = 0; i < length; ++i)
            row[i] = uchar(row[i] + prior[i]);
        return true;
    case 3:
        for (qsizetype i = 0; i < length; ++i)
            row[i] = uchar(row[i] + ((i >= Bpp ? row[i - Bpp] : 0) + prior[i]) / 2);
        return true;
    case 4:
        for (qsizetype i = 0; i < length; ++i) {
            const int a = i >= Bpp ? row[i - Bpp] : 0, b = prior[i], c = i >= Bpp ? prior[i - Bpp] : 0;
            const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            row[i] = uchar(row[i] + (pa <= pb && pa <= pc ? a : pb <= pc ? b : c));
        }
        return true;
    default:
        return false;
    }
}

// The cache's own pictures are 8-bit RGBA PNGs whose data is stored, not
// deflated (writeCacheImage): decoded here straight into premultiplied
// pixels, without the image plugins, whose per-picture start-up cost more
// than the decoding. Any other PNG answers a null image (the caller then
// asks Qt).
QImage decodeStoredPng(const QByteArray &png)
{
    const auto *p = reinterpret_cast<const uchar *>(png.constData());
    const qsizetype n = png.size();
    quint32 w = 0, h = 0;
    bool rgba = false;
    QByteArray zlib;
    for (qsizetype i = 8; i + 12 <= n;) {
        const quint32 length = bigEndian32(p + i);
        if (length > quint64(n - i - 12))
            return QImage();
        const uchar *type = p + i + 4, *data = p + i + 8;
        if (std::memcmp(type, "IHDR", 4) == 0 && length >= 13) {
            w = bigEndian32(data);
            h = bigEndian32(data + 4);
            rgba = data[8] == 8 && data[9] == 6 && data[10] == 0 && data[11] == 0 && data[12] == 0;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            zlib.append(reinterpret_cast<const char *>(data), length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            break;
        }
        i += 12 + qsizetype(length);
    }
    if (!rgba || w == 0 || h == 0 || w > quint32(MaxPictureSide) || h > quint32(MaxPictureSide))
        return QImage();
    const qsizetype stride = 4 * qsizetype(w) + 1;
    QByteArray raw;
    raw.reserve(stride * h);
    const auto *z = reinterpret_cast<const uchar *>(zlib.constData());
    const qsizetype zn = zlib.size();
    if (zn < 2 || (z[0] & 0x0f) != 8)
        return QImage();
    for (qsizetype k = 2;;) {
        if (k + 5 > zn || (z[k] >> 1 & 3) != 0) // only stored blocks here
            return QImage();
        const int length = z[k + 1] | z[k + 2] << 8, inverse = z[k + 3] | z[k + 4] << 8;
        const bool last = z[k] & 1;
        k += 5;
        if ((length ^ inverse) != 0xffff || k + length > zn || raw.size() + length > stride * qsizetype(h))
            return QImage();
        raw.append(reinterpret_cast<const char *>(z + k), length);
        k += length;
        if (last)
            break;
    }
    if (raw.size() != stride * qsizetype(h))
        return QImage();
    QImage image(int(w), int(h), QImage::Format_ARGB32_Premultiplied);
    const QByteArray zeros(stride, '\0');
    const uchar *prior = reinterpret_cast<const uchar *>(zeros.constData());
    auto *rows = reinterpret_cast<uchar *>(raw.data());
    for (quint32 y = 0; y < h; ++y) {
        uchar *row = rows + y * stride;
        if (!unfilterRow(row[0], row + 1, prior, stride - 1))
            return QImage();
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
        const uchar *px = row + 1;
        for (quint32 x = 0; x < w; ++x, px += 4)
            out[x] = qPremultiply(qRgba(px[0], px[1], px[2], px[3]));
        prior = row + 1;
    }
    return image;
}

QImage decodeCachePng(const QByteArray &png)
{
    const QImage fast = decodeStoredPng(png);
    return fast.isNull() ? QImage::fromData(png, "png").convertToFormat(QImage::Format_ARGB32_Premultiplied) : fast;
}

TileMetrics pixelRow(int row)
{
    switch (row) {
    case 0:
        return TileMetrics(28, 35, 69 * 35 / 220) * HandProportion;
    case 1:
    case 3:
        return TileMetrics(28, 35, 10);
    case 2:
    case 4:
        return TileMetrics(38, 26, 10);
    default: {
        // The standing tiles keep the drawing's proportions at 28 pixels per
        // 192 drawing units; integer arithmetic keeps exact multiples exact.
        const TileMetrics d = DrawingRows[row];
        return TileMetrics(d.width * 28 / 192, d.height * 28 / 192, d.depth * 28 / 192);
    }
    }
}

bool upright(TileImages::Side side)
{
    return side == TileImages::Bottom || side == TileImages::Top;
}

int hiddenRow(TileImages::Side side)
{
    return side == TileImages::Top ? 5 : side == TileImages::Bottom ? 6 : 7;
}

QImage transparentImage(const QSize &size)
{
    if (size.width() <= 0 || size.height() <= 0)
        return QImage();
    QImage img(size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

void setupPainter(QPainter &p)
{
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
}

// Maps rectangle `from` onto rectangle `to`.
QTransform rectMapping(const QRectF &from, const QRectF &to)
{
    return QTransform::fromTranslate(-from.x(), -from.y())
           * QTransform::fromScale(to.width() / from.width(), to.height() / from.height())
           * QTransform::fromTranslate(to.x(), to.y());
}

QImage scaledTo(const QImage &img, const QSize &size)
{
    if (img.isNull() || size.width() <= 0 || size.height() <= 0)
        return QImage();
    return img.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage rotated(const QImage &img, qreal degrees)
{
    return img.isNull() ? QImage() : img.transformed(QTransform().rotate(degrees), Qt::SmoothTransformation);
}

// Nearest integer, halves up.
int roundHalfUp(double v)
{
    return static_cast<int>(std::floor(v + 0.5));
}

QImage scaledBy(const QImage &img, double f)
{
    if (img.isNull())
        return QImage();
    return scaledTo(img, QSize(qMax(1, roundHalfUp(img.width() * f)), qMax(1, roundHalfUp(img.height() * f))));
}

} // namespace

// --- fixed records ---------------------------------------------------------

TileMetrics TileImages::baseMetrics(int row)
{
    static const std::array<TileMetrics, 8> rows = [] {
        std::array<TileMetrics, 8> r;
        for (int i = 0; i < 8; ++i)
            r[i] = pixelRow(i);
        return r;
    }();
    return row >= 0 && row < 8 ? rows[row] : TileMetrics();
}

TileMetrics TileImages::drawingMetrics(int row)
{
    return row >= 0 && row < 8 ? DrawingRows[row] : TileMetrics();
}

TileMetrics TileImages::renderedMetrics(Side side, Use use, double scale)
{
    if (side < 0 || side >= SideCount)
        return TileMetrics();
    switch (use) {
    case Declared:
    case DeclaredFaceDown:
        return baseMetrics(upright(side) ? 3 : 4) * scale;
    case DeclaredTurned:
        return renderedMetrics(orientationOf(side + 3), Declared, scale);
    case Hand:
        return side == Bottom ? baseMetrics(0) * scale : TileMetrics();
    case Hidden:
        return baseMetrics(hiddenRow(side)) * scale;
    case WallSingle:
    case WallDouble:
    case WallTriple: {
        TileMetrics m = baseMetrics(upright(side) ? 1 : 2) * scale;
        m.depth *= use - WallSingle + 1;
        return m;
    }
    case WallDora:
        return renderedMetrics(side, WallDouble, scale);
    default:
        return TileMetrics();
    }
}

QString TileImages::faceElementName(int tile)
{
    return QString::fromStdString(tileToString(static_cast<::tile>(tile)))
        .toLower()
        .replace(QLatin1Char(' '), QLatin1Char('_'));
}

QString TileImages::sideName(Side side)
{
    static const char *const names[] = {"Bottom", "Right", "Top", "Left"};
    return side >= 0 && side < SideCount ? QString::fromLatin1(names[side]) : QString();
}

// --- construction ----------------------------------------------------------

TileImages::TileImages(const QString &blankPath, const QString &facePath, const QString &highlightPath, double scale)
    : m_scale(scale)
{
    if (!(scale > 0.0 && scale <= MaxScale)) {
        fail(QStringLiteral("invalid tile scale %1").arg(scale));
        return;
    }
    setMetricsForScale();
    loadSet(blankPath, "tile back set", &TileImages::renderSvgBlanks, &TileImages::cutBitmapBlanks);
    loadSet(facePath, "tile face set", &TileImages::renderSvgFaces, &TileImages::cutBitmapFaces);
    makeHighlights(highlightPath);
    for (int i = 0; i < SideCount * UseCount; ++i)
        m_rects[i] = QRectF(m_blanks[i].rect());
    finish();
}

TileImages::TileImages(const TileImages &source, double scale)
    : m_scale(scale)
    , m_error(source.m_error)
{
    if (!(scale > 0.0 && scale <= MaxScale && source.m_scale > 0.0)) {
        fail(QStringLiteral("invalid tile scale %1").arg(scale));
        return;
    }
    const double f = scale / source.m_scale;
    for (int i = 0; i < SideCount * UseCount; ++i) {
        m_blanks[i] = scaledBy(source.m_blanks[i], f);
        m_metrics[i] = source.m_metrics[i] * f;
        const QPointF o = source.m_rects[i].topLeft();
        const QPointF moved(static_cast<int>(static_cast<int>(o.x()) * f + 0.5),
                            static_cast<int>(static_cast<int>(o.y()) * f + 0.5));
        m_rects[i] = QRectF(moved, QSizeF(m_blanks[i].size()));
    }
    for (int i = 0; i < SideCount * TileCount; ++i)
        m_faces[i] = scaledBy(source.m_faces[i], f);
    for (int i = 0; i < TileCount; ++i)
        m_handFaces[i] = scaledBy(source.m_handFaces[i], f);
    for (int i = 0; i < SideCount; ++i)
        m_highlights[i] = scaledBy(source.m_highlights[i], f);
    for (int i = 0; i < 2; ++i)
        m_hand[i] = scaledBy(source.m_hand[i], f);
    finish();
}

TileImages::TileImages(QDataStream &in)
{
    qint32 version = 0;
    in >> version;
    if (in.status() != QDataStream::Ok)
        return;
    if (version != CacheVersion)
        throw std::runtime_error("Wrong serialized version");
    double table = 0, hand = 0;
    in >> table >> hand >> m_scale;
    if (in.status() != QDataStream::Ok)
        return;
    if (!qFuzzyCompare(table, TableProportion) || !qFuzzyCompare(hand, HandProportion))
        throw std::runtime_error("Other proportions used");
    if (!(m_scale > 0.0 && m_scale <= MaxScale)) {
        in.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    // The pictures are collected first and decoded together on the thread
    // pool: decoding is most of the time a cache read takes.
    std::vector<PendingImage> pending;
    pending.reserve(SideCount * UseCount + SideCount * (TileCount + 1) + TileCount + 2);
    auto readImage = [&in, &pending](QImage &img) {
        if (in.status() != QDataStream::Ok)
            return;
        PendingImage p{&img, {}};
        if (readPngBytes(in, p.png) && !p.png.isEmpty())
            pending.push_back(std::move(p));
    };
    for (int i = 0; i < SideCount * UseCount && in.status() == QDataStream::Ok; ++i) {
        qint32 w = 0, h = 0, d = 0;
        readImage(m_blanks[i]);
        in >> w >> h >> d >> m_rects[i];
        m_metrics[i] = TileMetrics(w, h, d);
        const QRectF &r = m_rects[i];
        const bool sane = saneField(w) && saneField(h) && saneField(d) && saneCoordinate(r.x()) && saneCoordinate(r.y())
                          && saneCoordinate(r.width()) && saneCoordinate(r.height());
        if (!sane)
            in.setStatus(QDataStream::ReadCorruptData);
    }
    for (const Side side : Sides) {
        for (int t = 0; t < TileCount; ++t)
            readImage(m_faces[faceIndex(side, t)]);
        readImage(m_highlights[side]);
    }
    for (int t = 0; t < TileCount; ++t)
        readImage(m_handFaces[t]);
    readImage(m_hand[0]);
    readImage(m_hand[1]);
    if (in.status() != QDataStream::Ok)
        return;
    QtConcurrent::blockingMap(pending, [](PendingImage &p) { *p.target = decodeCachePng(p.png); });
    for (const PendingImage &p : pending) {
        // Corrupt or hostile files must not drive sizes out of range.
        if (p.target->isNull() || p.target->width() > MaxPictureSide || p.target->height() > MaxPictureSide) {
            in.setStatus(QDataStream::ReadCorruptData);
            return;
        }
    }
    // A picture that the format requires but the file lacks means the file
    // is damaged, even when the stream itself read cleanly.
    if (m_hand[0].isNull() || m_hand[1].isNull() || m_faces[0].isNull() || m_handFaces[0].isNull()) {
        in.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    finish();
}

TileImages::~TileImages() = default;

void TileImages::fail(const QString &message)
{
    if (m_error.isEmpty())
        m_error = message;
    else
        m_error += QStringLiteral("; ") + message;
}

void TileImages::setMetricsForScale()
{
    for (const Side side : Sides)
        for (const Use use : Uses)
            m_metrics[index(side, use)] = renderedMetrics(side, use, m_scale);
}

void TileImages::finish()
{
    m_rects[index(Bottom, Hand)] = QRectF(m_hand[0].rect());
    computeShadows();
}

// --- SVG rendering -----------------------------------------------------------

bool TileImages::checkElement(QSvgRenderer &renderer, const QString &id)
{
    if (!renderer.elementExists(id)) {
        fail(QStringLiteral("drawing element \"%1\" is missing").arg(id));
        return false;
    }
    // An element without extent would be mapped by dividing by its size and
    // would only ever give transparent pictures.
    const QRectF b = renderer.boundsOnElement(id);
    if (!(b.width() > 0 && b.height() > 0 && std::isfinite(b.width()) && std::isfinite(b.height()))) {
        fail(QStringLiteral("drawing element \"%1\" is empty").arg(id));
        return false;
    }
    return true;
}

QImage TileImages::splitRender(QSvgRenderer &renderer, const QString &id, const TileMetrics &drawing,
                               const TileMetrics &pixels)
{
    QImage img = transparentImage(QSize(pixels.width, pixels.height + pixels.depth));
    if (img.isNull())
        return img;
    if (checkElement(renderer, id)) {
        const QRectF b = renderer.boundsOnElement(id);
        const qreal upper = b.height() * drawing.height / (drawing.height + drawing.depth);
        const QRectF parts[2] = {QRectF(b.x(), b.y(), b.width(), upper),
                                 QRectF(b.x(), b.y() + upper, b.width(), b.height() - upper)};
        const QRectF targets[2] = {QRectF(0, 0, pixels.width, pixels.height),
                                   QRectF(0, pixels.height, pixels.width, pixels.depth)};
        QPainter p(&img);
        setupPainter(p);
        for (int i = 0; i < 2; ++i) {
            if (parts[i].height() <= 0 || targets[i].height() <= 0)
                continue;
            p.save();
            p.setClipRect(targets[i]);
            p.setTransform(rectMapping(parts[i], targets[i]));
            renderer.render(&p, id, b);
            p.restore();
        }
    }
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage TileImages::fitRender(QSvgRenderer &renderer, const QString &id, const QSize &size)
{
    QImage img = transparentImage(size);
    if (img.isNull())
        return img;
    if (checkElement(renderer, id)) {
        QPainter p(&img);
        setupPainter(p);
        p.setClipRect(img.rect());
        renderer.render(&p, id, QRectF(img.rect()));
    }
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage TileImages::centredRender(QSvgRenderer &renderer, const QString &id, const QSize &size, qreal rotation)
{
    QImage img = transparentImage(size);
    if (img.isNull())
        return img;
    if (checkElement(renderer, id)) {
        const QRectF b = renderer.boundsOnElement(id);
        const QTransform t = QTransform::fromTranslate(-b.center().x(), -b.center().y())
                             * QTransform::fromScale(1.0 / b.width(), 1.0 / b.height()) * QTransform().rotate(rotation)
                             * QTransform::fromTranslate(0.5, 0.5) * QTransform::fromScale(size.width(), size.height());
        QPainter p(&img);
        setupPainter(p);
        p.setClipRect(img.rect());
        p.setTransform(t);
        renderer.render(&p, id, b);
    }
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void TileImages::loadSet(const QString &path, const char *what, void (TileImages::*fromDrawing)(QSvgRenderer &),
                         void (TileImages::*fromBitmap)(const QImage &))
{
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        QSvgRenderer renderer;
        if (!QFileInfo::exists(path) || !renderer.load(path) || !renderer.isValid()) {
            fail(QStringLiteral("%1 \"%2\" is missing or not a valid drawing").arg(QLatin1String(what), path));
            return;
        }
        (this->*fromDrawing)(renderer);
    } else {
        const QImage atlas(path);
        if (atlas.isNull()) {
            fail(QStringLiteral("%1 \"%2\" is missing or not a readable image").arg(QLatin1String(what), path));
            return;
        }
        (this->*fromBitmap)(atlas);
    }
}

void TileImages::renderSvgBlanks(QSvgRenderer &renderer)
{
    const TileMetrics hand = m_metrics[index(Bottom, Hand)];
    const QSize handSize(hand.width, hand.height + hand.depth);
    m_hand[0] = fitRender(renderer, QStringLiteral("hand"), handSize);
    m_hand[1] = fitRender(renderer, QStringLiteral("handHighlight"), handSize);

    for (const Side side : Sides) {
        const QString s = sideName(side);
        const TileMetrics drawing = drawingMetrics(upright(side) ? 3 : 4);
        m_blanks[index(side, Declared)] = splitRender(renderer, QStringLiteral("declared") + s, drawing,
                                                      m_metrics[index(side, Declared)]);
        m_blanks[index(side, DeclaredFaceDown)] = splitRender(renderer, QStringLiteral("wallSingle") + s, drawing,
                                                              m_metrics[index(side, DeclaredFaceDown)]);
    }
    for (const Side side : Sides)
        m_blanks[index(side, DeclaredTurned)] = m_blanks[index(orientationOf(side + 3), Declared)];
    m_blanks[index(Bottom, DeclaredTurned)] = splitRender(renderer, QStringLiteral("declaredBottomTurned"),
                                                          drawingMetrics(3), m_metrics[index(Bottom, DeclaredTurned)]);
    m_blanks[index(Top, DeclaredTurned)] = splitRender(renderer, QStringLiteral("declaredTopTurned"), drawingMetrics(3),
                                                       m_metrics[index(Top, DeclaredTurned)]);

    static const char *const stacks[] = {"Single", "Double", "Triple"};
    for (const Side side : Sides) {
        const QString s = sideName(side);
        const TileMetrics hidden = m_metrics[index(side, Hidden)];
        m_blanks[index(side, Hidden)] = fitRender(renderer, QStringLiteral("hidden") + s,
                                                  QSize(hidden.width, hidden.height + hidden.depth));
        for (int k = 1; k <= 3; ++k) {
            TileMetrics drawing = drawingMetrics(upright(side) ? 1 : 2);
            drawing.depth *= k;
            const Use use = Use(WallSingle + k - 1);
            m_blanks[index(side, use)] = splitRender(renderer,
                                                     QStringLiteral("wall") + QLatin1String(stacks[k - 1]) + s, drawing,
                                                     m_metrics[index(side, use)]);
        }
        TileMetrics dora = drawingMetrics(upright(side) ? 1 : 2);
        dora.depth *= 2;
        m_blanks[index(side, WallDora)] = splitRender(renderer, QStringLiteral("wallDora") + s, dora,
                                                      m_metrics[index(side, WallDora)]);
    }
}

void TileImages::cutBitmapBlanks(const QImage &atlas)
{
    const QRect bounds = atlas.rect();
    auto cut = [&](const QRect &r, const TileMetrics &m) {
        if (!bounds.contains(r)) {
            fail(QStringLiteral("tile back picture outside the bitmap"));
            return transparentImage(QSize(m.width, m.height + m.depth));
        }
        return scaledTo(atlas.copy(r), QSize(m.width, m.height + m.depth));
    };
    const TileMetrics hand = m_metrics[index(Bottom, Hand)];
    m_hand[0] = cut(TileAtlas::handRect(0), hand);
    m_hand[1] = cut(TileAtlas::handRect(1), hand);
    for (const Side side : Sides)
        for (const Use use : Uses)
            if (TileAtlas::storesUse(use))
                m_blanks[index(side, use)] = cut(TileAtlas::blankRect(side, use), m_metrics[index(side, use)]);
    // Right and Left show the turned tiles of their neighbours, as drawn sets do.
    m_blanks[index(Right, DeclaredTurned)] = m_blanks[index(Bottom, Declared)];
    m_blanks[index(Left, DeclaredTurned)] = m_blanks[index(Top, Declared)];
}

void TileImages::renderSvgFaces(QSvgRenderer &renderer)
{
    const TileMetrics bottom = m_metrics[index(Bottom, Declared)];
    const TileMetrics right = m_metrics[index(Right, Declared)];
    const TileMetrics hand = m_metrics[index(Bottom, Hand)];
    const QSize bottomSize(bottom.width, bottom.height);
    const QSize rightSize(right.width, right.height);
    const bool transposed = bottom.width == right.height && bottom.height == right.width;
    for (int t = 0; t < TileCount; ++t) {
        const QString id = faceElementName(t);
        const QImage b = centredRender(renderer, id, bottomSize, 0);
        m_faces[faceIndex(Bottom, t)] = b;
        if (transposed) {
            m_faces[faceIndex(Right, t)] = rotated(b, -90);
            m_faces[faceIndex(Top, t)] = rotated(b, -180);
            m_faces[faceIndex(Left, t)] = rotated(b, -270);
        } else {
            const QImage r = centredRender(renderer, id, rightSize, -90);
            m_faces[faceIndex(Right, t)] = r;
            m_faces[faceIndex(Top, t)] = rotated(b, -180);
            m_faces[faceIndex(Left, t)] = rotated(r, -180);
        }
        m_handFaces[t] = fitRender(renderer, id, QSize(hand.width, hand.height));
    }
}

void TileImages::cutBitmapFaces(const QImage &atlas)
{
    const TileMetrics bottom = m_metrics[index(Bottom, Declared)];
    const TileMetrics right = m_metrics[index(Right, Declared)];
    const TileMetrics hand = m_metrics[index(Bottom, Hand)];
    for (int t = 0; t < TileCount; ++t) {
        const QRect r = TileAtlas::faceRect(t);
        if (!atlas.rect().contains(r)) {
            fail(QStringLiteral("tile face picture outside the bitmap"));
            return;
        }
        const QImage src = atlas.copy(r);
        const QImage b = scaledTo(src, QSize(bottom.width, bottom.height));
        const QImage rt = scaledTo(rotated(src, -90), QSize(right.width, right.height));
        m_faces[faceIndex(Bottom, t)] = b;
        m_faces[faceIndex(Right, t)] = rt;
        m_faces[faceIndex(Top, t)] = rotated(b, -180);
        m_faces[faceIndex(Left, t)] = rotated(rt, -180);
        m_handFaces[t] = scaledTo(src, QSize(hand.width, hand.height));
    }
}

void TileImages::makeHighlights(const QString &path)
{
    static const QRect sources[SideCount] = {QRect(43, 1, 29, 43), QRect(1, 1, 40, 34), QRect(74, 1, 29, 43),
                                             QRect(105, 1, 40, 34)};
    const QImage img(path);
    if (img.isNull()) {
        fail(QStringLiteral("highlight picture \"%1\" is missing or unreadable").arg(path));
        return;
    }
    for (const Side side : Sides) {
        const TileMetrics m = m_metrics[index(side, Declared)];
        m_highlights[side] = scaledTo(img.copy(sources[side]), QSize(m.width, m.height));
    }
}

// --- geometry ------------------------------------------------------------------

void TileImages::computeShadows()
{
    for (const Side side : Sides) {
        for (const Use use : Uses) {
            const int i = index(side, use);
            const QRectF r = m_rects[i];
            const qreal faceHeight = m_metrics[i].height == -1 ? r.height() : m_metrics[i].height;
            const qreal u = qMin(r.width(), faceHeight) / 30.0;
            const qreal left = u / 2, right = r.width() - u / 2;
            const qreal top = r.height() - faceHeight + u / 2, bottom = r.height() - u / 2;
            QPolygonF outline;
            outline << QPointF(left + 2 * u, top) << QPointF(left, top + 2 * u) << QPointF(left, bottom - 2 * u)
                    << QPointF(left + 2 * u, bottom) << QPointF(right - 2 * u, bottom) << QPointF(right, bottom - 2 * u)
                    << QPointF(right, top + 2 * u) << QPointF(right - 2 * u, top);
            const int height = (use == Hidden || use == WallDouble || use == WallDora) ? 10
                               : use == WallTriple                                     ? 15
                                                                                       : 5;
            m_shadows[i] = ShadowGeometry(outline, height);
        }
    }
}

// --- accessors -------------------------------------------------------------------

namespace {
bool validSideUse(int side, int use)
{
    return side >= 0 && side < TileImages::SideCount && use >= 0 && use < TileImages::UseCount;
}
bool validSideTile(int side, int tile)
{
    return side >= 0 && side < TileImages::SideCount && tile >= 0 && tile < TileImages::TileCount;
}
} // namespace

QImage TileImages::blank(Side side, Use use) const
{
    return validSideUse(side, use) ? m_blanks[index(side, use)] : QImage();
}

QImage TileImages::handImage(bool highlighted) const
{
    return m_hand[highlighted ? 1 : 0];
}

QImage TileImages::face(Side side, int tile) const
{
    return validSideTile(side, tile) ? m_faces[faceIndex(side, tile)] : QImage();
}

QImage TileImages::handFace(int tile) const
{
    return tile >= 0 && tile < TileCount ? m_handFaces[tile] : QImage();
}

QImage TileImages::highlight(Side side) const
{
    return side >= 0 && side < SideCount ? m_highlights[side] : QImage();
}

QImage TileImages::dimMask() const
{
    if (m_dimMask.isNull() && !m_hand[0].isNull()) {
        const QImage src = m_hand[0].convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QImage mask(src.size(), QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < src.height(); ++y) {
            const QRgb *in = reinterpret_cast<const QRgb *>(src.constScanLine(y));
            QRgb *out = reinterpret_cast<QRgb *>(mask.scanLine(y));
            for (int x = 0; x < src.width(); ++x)
                out[x] = qRgba(0, 0, 0, static_cast<int>(quint32(in[x]) / 0x3000000u));
        }
        m_dimMask = mask;
    }
    return m_dimMask;
}

TileMetrics TileImages::metrics(Side side, Use use) const
{
    return validSideUse(side, use) ? m_metrics[index(side, use)] : TileMetrics();
}

QRectF TileImages::rect(Side side, Use use) const
{
    return validSideUse(side, use) ? m_rects[index(side, use)] : QRectF();
}

ShadowGeometry TileImages::shadow(Side side, Use use) const
{
    return validSideUse(side, use) ? m_shadows[index(side, use)] : ShadowGeometry();
}

// --- cache ---------------------------------------------------------------------

namespace {

quint32 pngCrc(const char *data, qsizetype n)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xffffffffu;
    for (qsizetype i = 0; i < n; ++i)
        crc = table[(crc ^ uchar(data[i])) & 0xff] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

void appendBigEndian(QByteArray &out, quint32 v)
{
    char b[4];
    qToBigEndian(v, b);
    out.append(b, 4);
}

void appendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    appendBigEndian(png, quint32(data.size()));
    const qsizetype at = png.size();
    png.append(type, 4);
    png.append(data);
    appendBigEndian(png, pngCrc(png.constData() + at, 4 + data.size()));
}

// An 8-bit RGBA PNG whose rows are unfiltered and whose data is stored, not
// deflated: the cache is read at every start, and inflating and unfiltering
// were most of the reading. Still a valid PNG.
QByteArray encodeStoredPng(const QImage &image)
{
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    const int w = rgba.width(), h = rgba.height();
    QByteArray raw;
    raw.reserve((4 * qsizetype(w) + 1) * h);
    for (int y = 0; y < h; ++y) {
        raw.append('\0'); // filter: none
        raw.append(reinterpret_cast<const char *>(rgba.constScanLine(y)), 4 * qsizetype(w));
    }
    QByteArray zlib("\x78\x01", 2);
    for (qsizetype k = 0; k < raw.size() || k == 0; k += 65535) {
        const int length = int(qMin<qsizetype>(65535, raw.size() - k));
        zlib.append(char(k + length >= raw.size() ? 1 : 0));
        zlib.append(char(length & 0xff)).append(char(length >> 8));
        zlib.append(char(~length & 0xff)).append(char((~length >> 8) & 0xff));
        zlib.append(raw.constData() + k, length);
    }
    quint32 a = 1, b = 0;
    for (const char c : std::as_const(raw)) {
        a = (a + uchar(c)) % 65521;
        b = (b + a) % 65521;
    }
    appendBigEndian(zlib, b << 16 | a);

    QByteArray header;
    appendBigEndian(header, quint32(w));
    appendBigEndian(header, quint32(h));
    header.append("\x08\x06\x00\x00\x00", 5); // 8-bit RGBA, no interlace
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", zlib);
    appendChunk(png, "IEND", QByteArray());
    return png;
}

// The bytes of QDataStream's QImage operator: a null marker, then the PNG.
void writeCacheImage(QDataStream &out, const QImage &image)
{
    if (image.isNull()) {
        out << qint32(0);
        return;
    }
    out << qint32(1);
    const QByteArray png = encodeStoredPng(image);
    if (out.writeRawData(png.constData(), int(png.size())) != png.size())
        out.setStatus(QDataStream::WriteFailed);
}

} // namespace

void writeTileImages(QDataStream &out, const TileImages &images)
{
    out << TileImages::CacheVersion << TableProportion << HandProportion << images.m_scale;
    for (int i = 0; i < TileImages::SideCount * TileImages::UseCount; ++i) {
        const TileMetrics &m = images.m_metrics[i];
        writeCacheImage(out, images.m_blanks[i]);
        out << qint32(m.width) << qint32(m.height) << qint32(m.depth) << images.m_rects[i];
    }
    for (const TileImages::Side side : TileImages::Sides) {
        for (int t = 0; t < TileImages::TileCount; ++t)
            writeCacheImage(out, images.m_faces[TileImages::faceIndex(side, t)]);
        writeCacheImage(out, images.m_highlights[side]);
    }
    for (int t = 0; t < TileImages::TileCount; ++t)
        writeCacheImage(out, images.m_handFaces[t]);
    writeCacheImage(out, images.m_hand[0]);
    writeCacheImage(out, images.m_hand[1]);
}

namespace {

void prepareCacheStream(QDataStream &s)
{
    s.setVersion(QDataStream::Qt_4_2);
    s.setByteOrder(QDataStream::BigEndian);
    s.setFloatingPointPrecision(QDataStream::DoublePrecision);
}

// The cache names were made with this hash; it must not change with Qt.
quint32 elfHash(const QByteArray &bytes)
{
    quint32 h = 0;
    for (const char c : bytes) {
        h = (h << 4) + static_cast<unsigned char>(c);
        const quint32 g = h & 0xF0000000u;
        if (g != 0)
            h ^= g >> 23;
        h &= ~g;
    }
    return h;
}

bool isFresh(const QString &candidate, const QList<QDateTime> &sources)
{
    const QFileInfo info(candidate);
    if (!info.exists() || !info.isFile())
        return false;
    const QDateTime t = info.lastModified();
    for (const QDateTime &s : sources)
        if (t < s)
            return false;
    return true;
}

TileImages *readCache(const QString &fileName, double scale)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    // One read: the image reader would otherwise fetch the file in many
    // small pieces.
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QDataStream in(&buffer);
    prepareCacheStream(in);
    try {
        auto images = std::make_unique<TileImages>(in);
        if (in.status() != QDataStream::Ok) {
            qCWarning(lcScene, "Tile cache %s is damaged; not used", qPrintable(fileName));
            return nullptr;
        }
        if (!qFuzzyCompare(images->scale(), scale)) {
            qCWarning(lcScene, "Tile cache %s holds another scale; not used", qPrintable(fileName));
            return nullptr;
        }
        return images.release();
    } catch (const std::exception &e) {
        qCWarning(lcScene, "Tile cache %s not used: %s", qPrintable(fileName), e.what());
        return nullptr;
    }
}

} // namespace

QString tileSetCacheName(const QString &blankPath, const QString &facePath, double scale)
{
    QByteArray buffer;
    {
        QDataStream s(&buffer, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_2);
        s.setByteOrder(QDataStream::LittleEndian);
        s.setFloatingPointPrecision(QDataStream::DoublePrecision);
        s << blankPath << facePath << scale;
    }
    return QStringLiteral("tileset_0x%1.dat").arg(elfHash(buffer), 8, 16, QLatin1Char('0'));
}

QString bundledTileSetCacheDirectory()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() + QStringLiteral("/tilesets")
                                        : QString();
}

QString tileSetCacheDirectory()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/tilesets");
}

bool saveTileImages(const TileImages &images, const QString &fileName)
{
    if (!images.isValid()) {
        qCWarning(lcScene, "Tile set not cached: %s", qPrintable(images.errorString()));
        return false;
    }
    const QFileInfo info(fileName);
    if (!QDir().mkpath(info.absolutePath())) {
        qCWarning(lcScene, "Cannot create the tile cache directory %s", qPrintable(info.absolutePath()));
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcScene, "Cannot write the tile cache %s: %s", qPrintable(fileName), qPrintable(file.errorString()));
        return false;
    }
    QDataStream out(&file);
    prepareCacheStream(out);
    writeTileImages(out, images);
    if (out.status() != QDataStream::Ok || !file.commit()) {
        qCWarning(lcScene, "Cannot write the tile cache %s: %s", qPrintable(fileName), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

TileImages *loadOrRenderTileImages(const QString &blankPath, const QString &facePath, double scale)
{
    const QString name = tileSetCacheName(blankPath, facePath, scale);
    const QString highlight = QString::fromLatin1(HighlightPath);
    QList<QDateTime> sources;
    bool sourcesExist = true;
    for (const QString &path : {blankPath, facePath, highlight}) {
        const QFileInfo info(path);
        sourcesExist = sourcesExist && info.exists();
        sources << info.lastModified();
    }

    // The caches installed with the program come first; never a directory
    // found relative to wherever the program was started from.
    const QString bundledDir = bundledTileSetCacheDirectory();
    const QString userDir = tileSetCacheDirectory();
    QStringList candidates;
    if (!bundledDir.isEmpty())
        candidates << bundledDir + QLatin1Char('/') + name;
    if (!userDir.isEmpty())
        candidates << userDir + QLatin1Char('/') + name;

    const QString target = userDir.isEmpty() ? QString() : userDir + QLatin1Char('/') + name;
    if (sourcesExist) {
        for (const QString &candidate : candidates) {
            if (!isFresh(candidate, sources))
                continue;
            if (TileImages *cached = readCache(candidate, scale))
                return cached;
            // A damaged installed file is left alone and the user's copy is
            // read next; only when that fails too is the set rendered and
            // the user's copy rewritten.
        }
    }

    auto *images = new TileImages(blankPath, facePath, highlight, scale);
    if (!images->isValid())
        qCWarning(lcScene, "Tile set %s + %s could not be rendered: %s", qPrintable(blankPath), qPrintable(facePath),
                  qPrintable(images->errorString()));
    else if (!target.isEmpty())
        saveTileImages(*images, target);
    return images;
}
