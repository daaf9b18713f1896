#include "EmfRenderer.h"

#include "io/LittleEndian.h"

#include <emf2svg.h>

#include <cstdlib>
#include <optional>

namespace
{

constexpr quint32 emrHeader = 1;
constexpr quint32 emrEof = 14;
constexpr quint32 emfSignature = 0x464D4520u;
constexpr qsizetype headerBytes = 88;
constexpr double screenPixelsPerMm = 96.0 / 25.4;

constexpr auto u32At = LittleEndian::u32;
constexpr auto s32At = LittleEndian::s32;

// The bytes up to and including the EOF record, with the header's byte and record counts
// set to what the walk found and any description or pixel-format block that points
// outside the header dropped. Nothing when a record does not fit or the EOF is missing.
std::optional<QByteArray> playable(const QByteArray &bytes)
{
    if (bytes.size() < headerBytes || u32At(bytes, 0) != emrHeader || u32At(bytes, 40) != emfSignature)
        return std::nullopt;
    const quint32 headerSize = u32At(bytes, 4);
    if (headerSize < headerBytes || headerSize % 4 != 0 || headerSize > quint64(bytes.size()))
        return std::nullopt;

    qsizetype pos = 0;
    quint32 records = 0;
    for (;;) {
        if (bytes.size() - pos < 8)
            return std::nullopt;
        const quint32 type = u32At(bytes, pos);
        const quint32 size = u32At(bytes, pos + 4);
        if (size < 8 || size % 4 != 0 || size > quint64(bytes.size() - pos))
            return std::nullopt;
        pos += size;
        ++records;
        if (type == emrEof)
            break;
    }

    QByteArray result = bytes.left(pos);
    LittleEndian::put<quint32>(result, 48, quint32(pos));
    LittleEndian::put<quint32>(result, 52, records);
    const quint64 descriptionEnd = quint64(u32At(result, 64)) + 2 * quint64(u32At(result, 60));
    if (descriptionEnd > headerSize) {
        LittleEndian::put<quint32>(result, 60, 0);
        LittleEndian::put<quint32>(result, 64, 0);
    }
    if (headerSize >= 100) {
        const quint64 pixelFormatEnd = quint64(u32At(result, 88)) + u32At(result, 92);
        if (pixelFormatEnd > headerSize) {
            LittleEndian::put<quint32>(result, 88, 0);
            LittleEndian::put<quint32>(result, 92, 0);
        }
    }
    return result;
}

} // namespace

namespace EmfRenderer
{

bool recognises(const QByteArray &bytes)
{
    return bytes.size() >= 44 && u32At(bytes, 0) == emrHeader && u32At(bytes, 40) == emfSignature;
}

QSizeF frameSize(const QByteArray &bytes)
{
    if (!playable(bytes))
        return {};
    const qint64 frameWidth = qint64(s32At(bytes, 32)) - s32At(bytes, 24);
    const qint64 frameHeight = qint64(s32At(bytes, 36)) - s32At(bytes, 28);
    if (frameWidth > 0 && frameHeight > 0) {
        const qint32 devicePixelsX = s32At(bytes, 72);
        const qint32 devicePixelsY = s32At(bytes, 76);
        const qint32 deviceMmX = s32At(bytes, 80);
        const qint32 deviceMmY = s32At(bytes, 84);
        const bool deviceKnown = devicePixelsX > 0 && devicePixelsY > 0 && deviceMmX > 0 && deviceMmY > 0;
        const double perMmX = deviceKnown ? double(devicePixelsX) / deviceMmX : screenPixelsPerMm;
        const double perMmY = deviceKnown ? double(devicePixelsY) / deviceMmY : screenPixelsPerMm;
        return QSizeF(frameWidth / 100.0 * perMmX, frameHeight / 100.0 * perMmY);
    }
    // Bounds are inclusive device pixels.
    const qint64 boundsWidth = qint64(s32At(bytes, 16)) - s32At(bytes, 8) + 1;
    const qint64 boundsHeight = qint64(s32At(bytes, 20)) - s32At(bytes, 12) + 1;
    if (boundsWidth > 0 && boundsHeight > 0)
        return QSizeF(double(boundsWidth), double(boundsHeight));
    return {};
}

QByteArray toSvg(const QByteArray &bytes)
{
    std::optional<QByteArray> checked = playable(bytes);
    if (!checked)
        return {};
    generatorOptions options{};
    options.svgDelimiter = true;
    char *text = nullptr;
    size_t length = 0;
    const int converted = emf2svg(checked->data(), size_t(checked->size()), &text, &length, &options);
    QByteArray svg;
    if (converted == 1 && text)
        svg = QByteArray(text, qsizetype(length));
    std::free(text);
    return svg;
}

} // namespace EmfRenderer
