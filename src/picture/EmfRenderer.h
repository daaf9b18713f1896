#pragma once

#include <QByteArray>
#include <QSizeF>

// Enhanced metafiles (EMF), converted to SVG by libemf2svg. As with WMF, the record list
// is walked and checked before the library sees it, and the conversion stays in memory.
namespace EmfRenderer
{

// True when the bytes begin with an EMF header record: type 1 at offset 0 and the
// signature " EMF" at offset 40.
bool recognises(const QByteArray &bytes);

// The picture's own size in pixels: its frame (hundredths of a millimetre) at the
// resolution of the device it was made for, or its bounds when the frame is empty. It may
// be absurdly large; the caller decides how large to draw. Empty when the metafile is
// damaged or has no size.
QSizeF frameSize(const QByteArray &bytes);

// The picture as an SVG document; empty when the metafile cannot be converted.
QByteArray toSvg(const QByteArray &bytes);

} // namespace EmfRenderer
