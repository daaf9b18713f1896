#include "WmfRenderer.h"

#include "BitmapInfo.h"
#include "io/LittleEndian.h"

#include <QString>

#include <algorithm>
#include <cstdlib>
#include <optional>

// libwmf's headers define U8, U16, U32, S16 and S32 as macros, which break Qt's headers:
// they come after every Qt include and stay in this file.
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace
{

constexpr quint32 placeableKey = 0x9AC6CDD7u;
constexpr int placeableHeaderBytes = 22;
constexpr int metaHeaderBytes = 18;
constexpr quint16 metaEof = 0x0000;
constexpr quint16 metaSetWindowExt = 0x020C;
constexpr double screenDpi = 96.0;
// libwmf measures a placeable metafile's device space in points.
constexpr double pointsPerInch = 72.0;

constexpr auto u16At = LittleEndian::u16;
constexpr auto s16At = LittleEndian::s16;
constexpr auto u32At = LittleEndian::u32;

bool standardHeaderAt(const QByteArray &bytes, qsizetype offset)
{
    if (bytes.size() < offset + metaHeaderBytes)
        return false;
    const quint16 type = u16At(bytes, offset);
    const quint16 headerWords = u16At(bytes, offset + 2);
    const quint16 version = u16At(bytes, offset + 4);
    return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

// libwmf decodes every bitmap a metafile carries, trusting its header: a bitmap claiming
// a header of four gigabytes or a billion pixels keeps it busy for hours. Larger bitmaps
// than this are refused with the metafile.
constexpr qint64 largestBitmapPixels = 4096 * 4096;

// Records that carry a device-independent bitmap, with the number of parameter words
// before it. The two BitBlt records also come without a bitmap, then with one word more
// than those before it.
struct BitmapRecord {
    quint16 function;
    int wordsBefore;
    bool optional;
};

constexpr BitmapRecord bitmapRecords[] = {
    {0x0940, 8, true},   // DIBBITBLT
    {0x0B41, 10, true},  // DIBSTRETCHBLT
    {0x0F43, 11, false}, // STRETCHDIB
    {0x0D33, 9, false},  // SETDIBTODEV
    {0x0142, 2, false},  // DIBCREATEPATTERNBRUSH
};

// A bitmap header and pixels that fit in the length available and are of a sane size.
bool soundBitmap(const QByteArray &bytes, qsizetype offset, qsizetype available)
{
    const std::optional<BitmapInfo> info = BitmapInfo::read(bytes, offset, available);
    if (!info || info->width * info->height > largestBitmapPixels)
        return false;
    if (info->compression > BitmapInfo::BitFields || (info->bits <= 8 && info->colours > (1u << info->bits)))
        return false;
    const qint64 pixels = info->pixelOffset();
    if (info->runLength())
        return pixels < available;
    return pixels + info->stride() * info->height <= available;
}

bool bitmapsSound(const QByteArray &bytes, qsizetype record, quint32 words, quint16 function)
{
    for (const BitmapRecord &kind : bitmapRecords) {
        if (kind.function != function)
            continue;
        const qint64 parameterWords = qint64(words) - 3;
        if (kind.optional && parameterWords <= kind.wordsBefore + 1)
            return true;
        const qsizetype bitmap = record + 6 + 2 * qsizetype(kind.wordsBefore);
        const qsizetype end = record + 2 * qsizetype(words);
        return bitmap <= end && soundBitmap(bytes, bitmap, end - bitmap);
    }
    return true;
}

// What the walk over the records learnt, with the bytes libwmf may safely be given.
struct Checked {
    QByteArray playable;
    bool placeable = false;
    int frameWidth = 0;
    int frameHeight = 0;
    int unitsPerInch = 0;
    bool hasWindowExtent = false;
    int windowWidth = 0;
    int windowHeight = 0;
};

std::optional<Checked> check(const QByteArray &bytes)
{
    Checked result;
    qsizetype header = 0;
    if (bytes.size() >= placeableHeaderBytes && u32At(bytes, 0) == placeableKey) {
        result.placeable = true;
        result.frameWidth = std::abs(int(s16At(bytes, 10)) - int(s16At(bytes, 6)));
        result.frameHeight = std::abs(int(s16At(bytes, 12)) - int(s16At(bytes, 8)));
        result.unitsPerInch = u16At(bytes, 14);
        if (result.unitsPerInch == 0)
            return std::nullopt;
        header = placeableHeaderBytes;
    }
    if (!standardHeaderAt(bytes, header))
        return std::nullopt;

    // Every record must lie inside the file and the list must end with the EOF record;
    // libwmf trusts the sizes it reads, so nothing that disagrees with them gets through.
    qsizetype pos = header + metaHeaderBytes;
    quint32 largestRecord = 0;
    for (;;) {
        if (bytes.size() - pos < 6)
            return std::nullopt;
        const quint32 words = u32At(bytes, pos);
        const quint16 function = u16At(bytes, pos + 4);
        if (words < 3 || words > quint64(bytes.size() - pos) / 2)
            return std::nullopt;
        largestRecord = std::max(largestRecord, words);
        if (!bitmapsSound(bytes, pos, words, function))
            return std::nullopt;
        if (function == metaSetWindowExt && words >= 5 && !result.hasWindowExtent) {
            result.hasWindowExtent = true;
            result.windowHeight = std::abs(int(s16At(bytes, pos + 6)));
            result.windowWidth = std::abs(int(s16At(bytes, pos + 8)));
        }
        pos += qsizetype(words) * 2;
        if (function == metaEof)
            break;
    }

    result.playable = bytes.left(pos);
    const quint32 metafileWords = quint32((pos - header) / 2);
    LittleEndian::put<quint32>(result.playable, header + 6, metafileWords);
    LittleEndian::put<quint32>(result.playable, header + 12, largestRecord);
    return result;
}

// One libwmf session over bytes in memory, with the SVG device attached and the
// metafile scanned.
class Player
{
public:
    explicit Player(QByteArray bytes) : m_bytes(std::move(bytes))
    {
        wmfAPI_Options options{};
        options.function = wmf_svg_function;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&m_api, flags, &options) != wmf_E_None)
            return;
        if (wmf_mem_open(m_api, reinterpret_cast<unsigned char *>(m_bytes.data()), long(m_bytes.size())) !=
            wmf_E_None)
            return;
        m_open = true;
        m_scanned = wmf_scan(m_api, 0, &m_extent) == wmf_E_None;
    }

    ~Player()
    {
        if (!m_api)
            return;
        if (m_open)
            wmf_mem_close(m_api);
        wmf_api_destroy(m_api);
    }

    Player(const Player &) = delete;
    Player &operator=(const Player &) = delete;

    bool scanned() const { return m_scanned; }
    wmfAPI *api() const { return m_api; }
    // The extent of what the metafile draws, in libwmf's device units.
    wmfD_Rect extent() const { return m_extent; }

private:
    QByteArray m_bytes;
    wmfAPI *m_api = nullptr;
    bool m_open = false;
    bool m_scanned = false;
    wmfD_Rect m_extent{};
};

char svgDescription[] = "Tesselon";

// libwmf places each bitmap twice over: by the image's position and size, and again by a
// transform that scales and moves it as if it were one unit per pixel at the origin. The
// transform is dropped so that position and size alone place it.
QByteArray withImagesInPlace(const QByteArray &svg)
{
    static const QByteArray elementStart("<image ");
    static const QByteArray transformStart("\ttransform=\"matrix(");
    static const QByteArray transformEnd(")\"\n");
    QByteArray result = svg;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype element = result.indexOf(elementStart, pos);
        const qsizetype lineEnd = element < 0 ? -1 : result.indexOf('\n', element);
        if (lineEnd < 0)
            break;
        pos = lineEnd + 1;
        if (QByteArrayView(result).sliced(pos).startsWith(transformStart)) {
            const qsizetype end = result.indexOf(transformEnd, pos);
            if (end < 0)
                break;
            result.remove(pos, end + transformEnd.size() - pos);
        }
    }
    return result;
}

// libwmf copies a text's characters into the SVG as the metafile holds them: not escaped
// for XML and still in an 8-bit code page, either of which makes the whole document
// unreadable. Each text element's content is rewritten as escaped UTF-8, reading the
// bytes as Latin-1.
QByteArray withReadableTexts(const QByteArray &svg)
{
    static const QByteArray elementStart("<text ");
    static const QByteArray contentStart("\n\t>");
    static const QByteArray elementEnd("</text>\n");
    QByteArray result;
    result.reserve(svg.size());
    qsizetype pos = 0;
    for (;;) {
        const qsizetype element = svg.indexOf(elementStart, pos);
        const qsizetype start = element < 0 ? -1 : svg.indexOf(contentStart, element);
        const qsizetype end = start < 0 ? -1 : svg.indexOf(elementEnd, start + contentStart.size());
        if (end < 0)
            break;
        const qsizetype content = start + contentStart.size();
        result += svg.mid(pos, content - pos);
        QString text;
        for (char byte : svg.mid(content, end - content)) {
            const QChar c = QChar::fromLatin1(byte);
            if (c == u'&')
                text += QStringLiteral("&amp;");
            else if (c == u'<')
                text += QStringLiteral("&lt;");
            else if (c == u'>')
                text += QStringLiteral("&gt;");
            else if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
                text += u' ';
            else
                text += c;
        }
        result += text.toUtf8();
        pos = end;
    }
    result += svg.mid(pos);
    return result;
}

} // namespace

namespace WmfRenderer
{

bool recognises(const QByteArray &bytes)
{
    if (bytes.size() >= 4 && u32At(bytes, 0) == placeableKey)
        return true;
    return standardHeaderAt(bytes, 0);
}

QSizeF frameSize(const QByteArray &bytes)
{
    const std::optional<Checked> checked = check(bytes);
    if (!checked)
        return {};
    if (checked->placeable)
        return QSizeF(checked->frameWidth * screenDpi / checked->unitsPerInch,
                      checked->frameHeight * screenDpi / checked->unitsPerInch);
    if (checked->hasWindowExtent)
        return QSizeF(checked->windowWidth, checked->windowHeight);
    Player player(checked->playable);
    if (!player.scanned())
        return {};
    const wmfD_Rect drawn = player.extent();
    return QSizeF(double(drawn.BR.x) - drawn.TL.x, double(drawn.BR.y) - drawn.TL.y);
}

QByteArray toSvg(const QByteArray &bytes, const QSize &size)
{
    const std::optional<Checked> checked = check(bytes);
    if (!checked || size.isEmpty())
        return {};
    Player player(checked->playable);
    if (!player.scanned())
        return {};

    // libwmf stretches the rectangle given here onto the SVG canvas. A placeable
    // metafile's device space starts at its frame and is counted in points; without a
    // frame it starts at the window origin in logical units.
    wmfD_Rect canvas{};
    if (checked->placeable) {
        canvas.BR.x = float(checked->frameWidth * pointsPerInch / checked->unitsPerInch);
        canvas.BR.y = float(checked->frameHeight * pointsPerInch / checked->unitsPerInch);
    } else if (checked->hasWindowExtent) {
        canvas.BR.x = float(checked->windowWidth);
        canvas.BR.y = float(checked->windowHeight);
    } else {
        canvas = player.extent();
    }
    if (!(canvas.BR.x > canvas.TL.x) || !(canvas.BR.y > canvas.TL.y))
        return {};

    wmfAPI *api = player.api();
    wmf_svg_t *device = WMF_SVG_GetData(api);
    device->out = wmf_stream_create(api, nullptr);
    if (!device->out)
        return {};
    device->Description = svgDescription;
    device->bbox = canvas;
    device->width = unsigned(size.width());
    device->height = unsigned(size.height());
    // Pictures inside the metafile go into the SVG itself; otherwise libwmf would write
    // them to files of their own.
    device->flags |= WMF_SVG_INLINE_IMAGES;

    wmfD_Rect played = player.extent();
    const wmf_error_t error = wmf_play(api, 0, &played);

    char *text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, device->out, &text, &length);
    device->out = nullptr;
    QByteArray svg;
    if (error == wmf_E_None && text)
        svg = QByteArray(text, qsizetype(length));
    if (text)
        wmf_free(api, text);
    // libwmf draws every fill half transparent while the background mode is TRANSPARENT,
    // which most metafiles set for their text. In GDI that mode never touches a solid
    // brush, and a metafile has no other kind of translucency, so the fills are made whole.
    svg.replace("fill-opacity:0.5;", "fill-opacity:1.0;");
    return withReadableTexts(withImagesInPlace(svg));
}

} // namespace WmfRenderer
