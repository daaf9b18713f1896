#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The one way the program turns a file's bytes into a picture. The format is decided
// from the content, never from the name: JPEG, PNG, GIF, BMP (with or without its file
// header, as .dib files come), ICO, WebP and TIFF through QImageReader, HEIC and AVIF
// through libheif, WMF through libwmf and EMF through libemf2svg (both rendered with
// QtSvg). Pictures come upright, turned as their orientation tag asks. Bytes that stop
// before the picture is complete are refused, not shown half drawn. Pictures come back
// opaque (Format_RGB32, transparent parts on white), and nothing is ever written to disk.
//
// Where a picture is refused, the text given for `error` (when not null) says why in the
// player's language: one of the messages below.
namespace PictureLoader
{

// What decoding may hold in memory at once, in megabytes, and the largest file read.
// JPEG decodes at a half, a quarter or an eighth of its size where the whole would not
// fit, so the limit applies to what is really decoded; other formats always decode whole.
constexpr int allocationLimitMB = 256;

// Metafiles carry only a frame, which may claim any size: they are drawn no larger than
// this many pixels on their longest side, proportions kept.
constexpr int metafileMaxSide = 4000;

QString notPictureMessage();
QString tooLargeMessage(const QSize &pixels);
QString fileTooLargeMessage(qint64 bytes);

// The decoded picture at its own size or, for a JPEG too large for the limit, at the
// largest eighth of it that fits; a null image when the bytes are not a picture we can
// show (the caller treats that as error 481).
QImage loadFile(const QString &path, QString *error = nullptr);
QImage loadData(const QByteArray &bytes, QString *error = nullptr);

// The file's bytes, or empty when it cannot be read, is not a plain file, is larger than
// the limit above or does not begin like a picture of ours.
QByteArray readFile(const QString &path, QString *error = nullptr);

// The picture's own size, upright, found without decoding the pixels. Invalid when the
// bytes are plainly not a picture of ours (unknown format, incomplete) or too large to
// decode within the limit even reduced; damage that only decoding finds still makes
// loadData refuse them.
QSize peekSize(const QByteArray &bytes, QString *error = nullptr);

// Decodes straight to the given size, proportions not kept: JPEG scales while decoding,
// metafiles are drawn at that size, the rest are decoded and scaled with area averaging.
// A null image when the bytes are not a picture or the size is empty or over the limit.
QImage loadDataScaled(const QByteArray &bytes, const QSize &size, QString *error = nullptr);

} // namespace PictureLoader
