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

} // namespace PictureEncoders
