#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// File formats Qt cannot write the way the program's pictures need them.
namespace PictureEncoders
{

// A GIF89a of one image with a 256-colour palette. Colours that are not in the palette
// are mapped to the nearest one, without dithering, so flat areas stay flat.
QByteArray gif(const QImage &image);

// An icon file holding every given image (at most 256 pixels a side) as a 32-bit bitmap
// with its transparency mask.
QByteArray ico(const QList<QImage> &images);

// A 32-bit bitmap file whose header declares an alpha channel, so transparent parts of a
// toolbar picture stay transparent.
QByteArray bmpWithAlpha(const QImage &image);

// A JPEG file with an Exif block naming the given orientation (1 to 8), as a phone
// writes for a photo taken with the phone turned: the pixels stay as stored, and a viewer
// turns them. Empty when the bytes do not begin like a JPEG.
QByteArray withOrientation(const QByteArray &jpeg, quint16 orientation);

// A picture stored as a phone camera stores it when held on its side, for the given
// orientation tag: 6 turns it a quarter clockwise to be shown, 8 counterclockwise, 3 half.
QImage storedForOrientation(const QImage &upright, quint16 orientation);

} // namespace PictureEncoders
