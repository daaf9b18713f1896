#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// HEIC and AVIF photos, decoded by libheif from bytes in memory. Only the primary image
// is shown, turned and mirrored as the file asks.
namespace HeifDecoder
{

// True when the bytes begin with a file-type box naming a HEIF or AVIF brand.
bool recognises(const QByteArray &bytes);

// True when the top-level boxes fill the bytes exactly, so a file cut short is told
// apart before libheif is asked anything.
bool complete(const QByteArray &bytes);

// The primary image's size as it is shown, found without decoding any pixels; invalid
// when libheif cannot make sense of the file.
QSize imageSize(const QByteArray &bytes);

// The primary image at its full size, Format_RGB32 or Format_ARGB32 when it has an alpha
// channel; a null image when it cannot be decoded. The caller checks first that a picture
// of imageSize fits in memory: the whole picture is always decoded.
QImage decode(const QByteArray &bytes);

} // namespace HeifDecoder
