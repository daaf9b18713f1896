#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The one way the program turns a file's bytes into a picture. The format is decided
// from the content, never from the name: JPEG, GIF, BMP (with or without its file
// header, as .dib files come), ICO and PNG through QImageReader, WMF through libwmf and
// EMF through libemf2svg (both rendered with QtSvg). Bytes that stop before the picture
// is complete are refused, not shown half drawn. Pictures come back opaque (Format_RGB32,
// transparent parts on white), and nothing is ever written to disk.
namespace PictureLoader
{

// Pictures whose decoded pixels would take more than this many megabytes are refused,
// and so are files larger than this.
constexpr int allocationLimitMB = 256;

// Metafiles carry only a frame, which may claim any size: they are drawn no larger than
// this many pixels on their longest side, proportions kept.
constexpr int metafileMaxSide = 4000;

// The decoded picture, or a null image when the bytes are not a picture we can show
// (the caller treats that as error 481).
QImage loadFile(const QString &path);
QImage loadData(const QByteArray &bytes);

// The file's bytes, or empty when it cannot be read, is not a plain file, is larger than
// the limit above or does not begin like a picture of ours.
QByteArray readFile(const QString &path);

// The size loadData would give, found without decoding the pixels. Invalid when the bytes
// are plainly not a picture of ours (unknown format, incomplete, too large); damage that
// only decoding finds still makes loadData refuse them.
QSize peekSize(const QByteArray &bytes);

// Decodes straight to the given size, proportions not kept: JPEG scales while decoding,
// metafiles are drawn at that size, the rest are decoded and scaled with area averaging.
// A null image when the bytes are not a picture or the size is empty.
QImage loadDataScaled(const QByteArray &bytes, const QSize &size);

} // namespace PictureLoader
