#include "PictureLoader.h"
#include "QuietApplication.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startQuietApplication("fuzz_picture");
    return 0;
}

// Every input goes through the loader as the game uses it: the size first, then the
// whole picture, then one reduced straight to a size. A refusal must say why; what is
// accepted must be opaque and no larger than the size announced.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    QString error;
    const QSize peeked = PictureLoader::peekSize(bytes, &error);
    if (!peeked.isValid() && error.isEmpty())
        abort();

    error.clear();
    const QImage picture = PictureLoader::loadData(bytes, &error);
    if (picture.isNull() && error.isEmpty())
        abort();
    if (!picture.isNull() && (!peeked.isValid() || picture.format() != QImage::Format_RGB32 ||
                              picture.width() > peeked.width() || picture.height() > peeked.height()))
        abort();

    const QSize small(37, 23);
    const QImage scaled = PictureLoader::loadDataScaled(bytes, small);
    if (!scaled.isNull() && (!peeked.isValid() || scaled.size() != small))
        abort();
    return 0;
}
