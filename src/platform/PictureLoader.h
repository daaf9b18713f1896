#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The one way the program turns a file's bytes into a picture. The format is decided
// from the content, never from the name: JPEG, GIF, BMP/DIB, ICO and PNG through
// QImageReader, WMF through libwmf and EMF through libemf2svg (both rendered with QtSvg).
namespace PictureLoader {

// Decoded pictures larger than this many megabytes are refused as "not a picture".
constexpr int allocationLimitMB = 256;

// The decoded picture, or a null image when the bytes are not a picture we can show
// (the caller treats that as error 481). maxSize, when valid, asks for a picture no
// larger than that box, scaled with its proportions kept; JPEG scales while decoding.
QImage loadFile(const QString &path);
QImage loadData(const QByteArray &bytes);

// The picture's size without decoding its pixels (for metafiles: the frame in pixels);
// invalid when it is not a picture.
QSize peekSize(const QByteArray &bytes);

// Decodes straight to the given size (JPEG scales while decoding, others are decoded
// and smoothly scaled). A null image when it is not a picture.
QImage loadDataScaled(const QByteArray &bytes, const QSize &size);

} // namespace PictureLoader
