#include "HeifDecoder.h"

#include "io/LittleEndian.h"

#include <libheif/heif.h>

#include <algorithm>
#include <memory>

namespace
{

using LittleEndian::u32be;

// Brands of still pictures whose primary image libheif decodes: HEVC ones (HEIC) and
// AV1 ones (AVIF), with the structural brands that such files also name.
bool stillBrand(const QByteArray &brand)
{
    static const QByteArray brands[] = {"heic", "heix", "heim", "heis", "hevc",
                                        "hevx", "mif1", "msf1", "avif", "avis"};
    for (const QByteArray &known : brands)
        if (brand == known)
            return true;
    return false;
}

struct ContextDeleter {
    void operator()(heif_context *context) const { heif_context_free(context); }
};
struct HandleDeleter {
    void operator()(heif_image_handle *handle) const { heif_image_handle_release(handle); }
};
struct ImageDeleter {
    void operator()(heif_image *image) const { heif_image_release(image); }
};
using Context = std::unique_ptr<heif_context, ContextDeleter>;
using Handle = std::unique_ptr<heif_image_handle, HandleDeleter>;
using Image = std::unique_ptr<heif_image, ImageDeleter>;

// The file's context and primary image handle. libheif reads the bytes where they are,
// so they must outlive both.
struct Primary {
    Context context;
    Handle handle;
};

Primary openPrimary(const QByteArray &bytes)
{
    Primary primary;
    primary.context.reset(heif_context_alloc());
    if (!primary.context)
        return {};
    // Tiles are decoded one after the other: the machine may be busy with other work, and
    // the pictures of a puzzle do not need the speed.
    heif_context_set_max_decoding_threads(primary.context.get(), 0);
    heif_error error = heif_context_read_from_memory_without_copy(primary.context.get(), bytes.constData(),
                                                                  size_t(bytes.size()), nullptr);
    if (error.code != heif_error_Ok)
        return {};
    heif_image_handle *handle = nullptr;
    error = heif_context_get_primary_image_handle(primary.context.get(), &handle);
    primary.handle.reset(handle);
    if (error.code != heif_error_Ok || !handle)
        return {};
    return primary;
}

} // namespace

namespace HeifDecoder
{

bool recognises(const QByteArray &bytes)
{
    if (bytes.size() < 16 || bytes.mid(4, 4) != "ftyp")
        return false;
    const quint32 boxSize = u32be(bytes, 0);
    if (boxSize < 16 || boxSize % 4 != 0)
        return false;
    if (stillBrand(bytes.mid(8, 4)))
        return true;
    // The compatible brands follow the major brand and its version.
    const qsizetype end = std::min<qsizetype>(bytes.size(), boxSize);
    for (qsizetype at = 16; at + 4 <= end; at += 4)
        if (stillBrand(bytes.mid(at, 4)))
            return true;
    return false;
}

bool complete(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    qsizetype pos = 0;
    while (pos < n) {
        if (n - pos < 8)
            return false;
        quint64 size = u32be(bytes, pos);
        if (size == 1) {
            if (n - pos < 16)
                return false;
            size = quint64(u32be(bytes, pos + 8)) << 32 | u32be(bytes, pos + 12);
        } else if (size == 0) {
            // The last box may run to the end of the file.
            return true;
        }
        if (size < 8 || size > quint64(n - pos))
            return false;
        pos += qsizetype(size);
    }
    return n > 0;
}

QSize imageSize(const QByteArray &bytes)
{
    const Primary primary = openPrimary(bytes);
    if (!primary.handle)
        return {};
    const QSize size(heif_image_handle_get_width(primary.handle.get()),
                     heif_image_handle_get_height(primary.handle.get()));
    return size.isEmpty() ? QSize() : size;
}

QImage decode(const QByteArray &bytes)
{
    const Primary primary = openPrimary(bytes);
    if (!primary.handle)
        return {};
    const bool alpha = heif_image_handle_has_alpha_channel(primary.handle.get()) != 0;
    heif_image *decoded = nullptr;
    const heif_error error =
        heif_decode_image(primary.handle.get(), &decoded, heif_colorspace_RGB,
                          alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr);
    const Image image(decoded);
    if (error.code != heif_error_Ok || !image)
        return {};
    int stride = 0;
    const uint8_t *plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!plane || width <= 0 || height <= 0 || stride <= 0)
        return {};
    // The planes belong to libheif's image, so the picture is converted into memory of
    // its own before that image is released.
    const QImage view(plane, width, height, stride, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    return view.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

} // namespace HeifDecoder
