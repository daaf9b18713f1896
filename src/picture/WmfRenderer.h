#pragma once

#include <QByteArray>
#include <QSize>
#include <QSizeF>

// Windows metafiles (WMF), played through libwmf's SVG device. The records and the
// bitmaps they carry are checked here before libwmf sees them, and libwmf is handed a
// copy whose header sizes agree with the records, so a damaged or hostile file is refused
// rather than trusted. The SVG libwmf writes is repaired where it goes wrong (fills made
// half transparent, bitmaps placed twice, text neither escaped nor UTF-8); its colours
// stay what libwmf makes of them, the nearest SVG colour name. Nothing is written to disk.
namespace WmfRenderer
{

// True when the bytes begin with a placeable header (key 0x9AC6CDD7) or with a standard
// metafile header.
bool recognises(const QByteArray &bytes);

// The picture's own size in pixels: the placeable frame at 96 pixels per inch or, for a
// metafile without one, its window extent taken as pixels (failing that, the extent of
// what it draws). It may be absurdly large; the caller decides how large to draw.
// Empty when the metafile is damaged or its frame is empty.
QSizeF frameSize(const QByteArray &bytes);

// The picture as an SVG document whose canvas is the metafile's frame, declared as
// size; empty when the metafile cannot be played.
QByteArray toSvg(const QByteArray &bytes, const QSize &size);

} // namespace WmfRenderer
