#include "PictureLoader.h"

#include "settings/ModuloIdioma.h"

#include "EmfRenderer.h"
#include "HeifDecoder.h"
#include "JpegLayout.h"
#include "PictureFormat.h"
#include "WmfRenderer.h"
#include "io/LittleEndian.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <optional>

namespace
{

using PictureFormat::Kind;

constexpr qint64 byteLimit = qint64(PictureLoader::allocationLimitMB) * 1024 * 1024;
constexpr const char *context = "PictureLoader";

qint64 pixelBytes(const QSize &size)
{
    return qint64(size.width()) * size.height() * 4;
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

// What the loader learns about a picture before decoding any of its pixels.
struct Examined {
    Kind kind = Kind::Unknown;
    // The picture's own size, upright.
    QSize size;
    // The picture is stored on its side: decoders see width and height swapped.
    bool turned = false;
    // What the decoder fills at full size: a GIF is decoded onto its logical screen, which
    // may be far larger than its image.
    QSize canvas;
    std::optional<JpegLayout> jpeg;

    QSize stored(const QSize &upright) const { return turned ? upright.transposed() : upright; }
    qint64 fullBytes() const { return pixelBytes(canvas); }
};

// A reader that uses exactly the format the content named: no guessing from a name and
// no second opinion from other decoders.
class RasterReader
{
public:
    RasterReader(const QByteArray &bytes, Kind kind)
    {
        QImageReader::setAllocationLimit(PictureLoader::allocationLimitMB);
        m_buffer.setData(bytes);
        m_buffer.open(QIODevice::ReadOnly);
        m_reader.setDevice(&m_buffer);
        m_reader.setFormat(PictureFormat::qtFormat(kind));
        m_reader.setAutoDetectImageFormat(false);
        m_reader.setAutoTransform(true);
    }

    QImageReader &reader() { return m_reader; }

private:
    QBuffer m_buffer;
    QImageReader m_reader;
};

std::optional<Examined> examineRaster(Kind kind, const QByteArray &bytes)
{
    Examined examined;
    examined.kind = kind;
    if (kind == Kind::Jpeg) {
        examined.jpeg = JpegLayout::read(bytes);
        if (!examined.jpeg || !examined.jpeg->dataFitsFrame())
            return std::nullopt;
        // Qt is not asked about a size libjpeg refuses; it is too large whichever way up.
        if (!examined.jpeg->withinLibjpeg()) {
            examined.size = examined.canvas = examined.jpeg->size;
            return examined;
        }
    } else if (!PictureFormat::complete(kind, bytes)) {
        return std::nullopt;
    }
    RasterReader raster(bytes, kind);
    QSize stored = raster.reader().size();
    // Qt reports a top-down bitmap with a negative height.
    if ((kind == Kind::Bmp || kind == Kind::Dib) && stored.height() < 0)
        stored.setHeight(-stored.height());
    if (!stored.isValid() || stored.isEmpty())
        return std::nullopt;
    examined.turned = raster.reader().transformation() & QImageIOHandler::TransformationRotate90;
    examined.size = examined.stored(stored);
    examined.canvas = examined.size;
    if (kind == Kind::Gif)
        examined.canvas = stored.expandedTo(QSize(LittleEndian::u16(bytes, 6), LittleEndian::u16(bytes, 8)));
    return examined;
}

QSize metafileSize(Kind kind, const QByteArray &bytes)
{
    const QSizeF natural = kind == Kind::Wmf ? WmfRenderer::frameSize(bytes) : EmfRenderer::frameSize(bytes);
    const double width = natural.width();
    const double height = natural.height();
    if (!std::isfinite(width) || !std::isfinite(height) || !(width > 0) || !(height > 0))
        return {};
    const double scale = std::min(1.0, PictureLoader::metafileMaxSide / std::max(width, height));
    return QSize(std::max(1, int(std::lround(width * scale))), std::max(1, int(std::lround(height * scale))));
}

std::optional<Examined> examineOther(Kind kind, const QByteArray &bytes)
{
    Examined examined;
    examined.kind = kind;
    if (kind == Kind::Heif)
        examined.size = PictureFormat::complete(kind, bytes) ? HeifDecoder::imageSize(bytes) : QSize();
    else
        examined.size = metafileSize(kind, bytes);
    if (!examined.size.isValid())
        return std::nullopt;
    examined.canvas = examined.size;
    return examined;
}

// The eighths of its size libjpeg decodes at when Qt is asked for the given size: the
// smallest that is not smaller than the size asked for.
int jpegEighths(const Examined &examined, const QSize &wanted)
{
    const QSize stored = examined.stored(wanted);
    const double factor = std::min(double(examined.jpeg->size.width()) / stored.width(),
                                   double(examined.jpeg->size.height()) / stored.height());
    return std::clamp(int(std::ceil(8 / factor)), 1, 8);
}

qint64 jpegBytes(const Examined &examined, int eighths)
{
    return pixelBytes(examined.jpeg->decodedSize(eighths)) + examined.jpeg->coefficientBytes();
}

// What decoding the picture for the given size holds in memory.
qint64 decodingBytes(const Examined &examined, const QSize &wanted)
{
    if (examined.jpeg)
        return jpegBytes(examined, jpegEighths(examined, wanted));
    return examined.fullBytes();
}

// The size loadData gives: the picture's own or, for a JPEG too large for the limit, the
// largest eighth of it that fits. Invalid when nothing fits or the decoder refuses the size.
QSize largestFitting(const Examined &examined)
{
    if (examined.jpeg && !examined.jpeg->withinLibjpeg())
        return {};
    if (examined.fullBytes() <= byteLimit && (!examined.jpeg || jpegBytes(examined, 8) <= byteLimit))
        return examined.size;
    if (!examined.jpeg)
        return {};
    for (int eighths = 7; eighths >= 1; --eighths) {
        if (jpegBytes(examined, eighths) > byteLimit)
            continue;
        // Rounded down, so that Qt chooses these very eighths for it.
        const QSize full = examined.jpeg->size;
        const QSize stored(std::max(1, full.width() * eighths / 8), std::max(1, full.height() * eighths / 8));
        return examined.stored(stored);
    }
    return {};
}

std::optional<Examined> examine(const QByteArray &bytes, QString *error)
{
    const Kind kind = PictureFormat::sniff(bytes);
    std::optional<Examined> examined;
    if (kind == Kind::Heif || PictureFormat::isMetafile(kind))
        examined = examineOther(kind, bytes);
    else if (kind != Kind::Unknown)
        examined = examineRaster(kind, bytes);
    if (!examined) {
        fail(error, PictureLoader::notPictureMessage());
        return std::nullopt;
    }
    if (!largestFitting(*examined).isValid()) {
        fail(error, PictureLoader::tooLargeMessage(examined->canvas));
        return std::nullopt;
    }
    return examined;
}

// Transparent parts go onto white in place, so a large picture is never held twice.
void flattenOnWhite(QImage &image)
{
    if (!image.hasAlphaChannel()) {
        image.convertTo(QImage::Format_RGB32);
        return;
    }
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int clear = 255 - qAlpha(line[x]);
            line[x] = qRgb(qRed(line[x]) + clear, qGreen(line[x]) + clear, qBlue(line[x]) + clear);
        }
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
}

QImage decodeRaster(const Examined &examined, const QByteArray &bytes, const QSize &wanted)
{
    RasterReader raster(bytes, examined.kind);
    QImageReader &reader = raster.reader();
    if (examined.jpeg && wanted != examined.size) {
        // libjpeg then decodes at the nearest eighth at or above the size, and Qt
        // finishes with a smooth scale when the quality asked for is high.
        reader.setScaledSize(examined.stored(wanted));
        reader.setQuality(100);
    }
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

QImage renderMetafile(Kind kind, const QByteArray &bytes, const QSize &size)
{
    const QByteArray svg = kind == Kind::Wmf ? WmfRenderer::toSvg(bytes, size) : EmfRenderer::toSvg(bytes);
    if (svg.isEmpty())
        return {};
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QImage decode(const Examined &examined, const QByteArray &bytes, const QSize &wanted, QString *error)
{
    if (pixelBytes(wanted) > byteLimit || decodingBytes(examined, wanted) > byteLimit) {
        fail(error, PictureLoader::tooLargeMessage(examined.canvas));
        return {};
    }
    QImage image;
    if (PictureFormat::isMetafile(examined.kind))
        image = renderMetafile(examined.kind, bytes, wanted);
    else if (examined.kind == Kind::Heif)
        image = HeifDecoder::decode(bytes);
    else
        image = decodeRaster(examined, bytes, wanted);
    if (!image.isNull())
        flattenOnWhite(image);
    if (!image.isNull() && image.size() != wanted)
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image.isNull())
        fail(error, PictureLoader::notPictureMessage());
    return image;
}

} // namespace

namespace PictureLoader
{

QString notPictureMessage()
{
    return ModuloIdioma::text(
        context, QT_TRANSLATE_NOOP("PictureLoader",
                                   "The file is not a picture that can be opened, or it is damaged."));
}

QString tooLargeMessage(const QSize &pixels)
{
    return ModuloIdioma::text(context, QT_TRANSLATE_NOOP("PictureLoader",
                                                         "The picture is %1 x %2 pixels, too large to open: "
                                                         "decoding it would take more than %3 MB of memory."))
        .arg(pixels.width())
        .arg(pixels.height())
        .arg(allocationLimitMB);
}

QString fileTooLargeMessage(qint64 bytes)
{
    return ModuloIdioma::text(context,
                              QT_TRANSLATE_NOOP("PictureLoader",
                                                "The file takes %1 MB, more than the %2 MB a picture "
                                                "may take."))
        .arg((bytes + 1024 * 1024 - 1) / (1024 * 1024))
        .arg(allocationLimitMB);
}

QByteArray readFile(const QString &path, QString *error)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        fail(error, notPictureMessage());
        return {};
    }
    if (info.size() > byteLimit) {
        fail(error, fileTooLargeMessage(info.size()));
        return {};
    }
    QByteArray bytes;
    if (PictureFormat::sniff(file.peek(PictureFormat::signatureBytes)) != Kind::Unknown)
        bytes = file.read(byteLimit + 1);
    if (bytes.isEmpty() || bytes.size() > byteLimit) {
        fail(error, bytes.isEmpty() ? notPictureMessage() : fileTooLargeMessage(bytes.size()));
        return {};
    }
    return bytes;
}

QImage loadFile(const QString &path, QString *error)
{
    const QByteArray bytes = readFile(path, error);
    return bytes.isEmpty() ? QImage() : loadData(bytes, error);
}

QImage loadData(const QByteArray &bytes, QString *error)
{
    const std::optional<Examined> examined = examine(bytes, error);
    return examined ? decode(*examined, bytes, largestFitting(*examined), error) : QImage();
}

QSize peekSize(const QByteArray &bytes, QString *error)
{
    const std::optional<Examined> examined = examine(bytes, error);
    return examined ? examined->size : QSize();
}

QImage loadDataScaled(const QByteArray &bytes, const QSize &size, QString *error)
{
    if (size.isEmpty() || pixelBytes(size) > byteLimit) {
        fail(error, size.isEmpty() ? notPictureMessage() : tooLargeMessage(size));
        return {};
    }
    const std::optional<Examined> examined = examine(bytes, error);
    return examined ? decode(*examined, bytes, size, error) : QImage();
}

} // namespace PictureLoader
