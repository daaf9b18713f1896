#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

// Pictures and picture bytes the picture tests build in memory.
namespace PictureSamples {

// Four flat quadrants, red, green, blue and yellow from the top left, clockwise; colours
// that survive JPEG, palettes and scaling well enough to be checked pixel by pixel.
QImage quadrants(int width, int height);
bool showsQuadrants(const QImage &image);

QByteArray encoded(const QImage &image, const char *format, int quality = -1);

// A file the build draws beside the program, such as "samples/paisaje.jpg".
QString runtimeFile(const QString &relative);
QByteArray fileBytes(const QString &path);

bool near(QRgb pixel, const QColor &expected, int tolerance = 24);

// One metafile record: its function number and its 16-bit parameters.
struct WmfRecord {
    quint16 function;
    QList<quint16> parameters;
};

// A standard WMF header, the records given and an EOF record; preceded by a placeable
// header with the given frame and units per inch unless frame is null.
QByteArray wmf(const QList<WmfRecord> &records, const QRect &frame = QRect(0, 0, 400, 300),
               int unitsPerInch = 96);

// A green (0, 128, 0) field over the whole window (origin, extent) with a red (255, 0, 0)
// ellipse in its middle half, drawn with brushes that are created, selected and deleted.
// libwmf writes colours as the nearest SVG colour name; these two are names exactly.
QList<WmfRecord> greenFieldRedEllipse(const QPoint &origin, const QSize &extent);

// Little-endian writes into a byte array at an offset.
void poke16(QByteArray &bytes, qsizetype offset, quint16 value);
void poke32(QByteArray &bytes, qsizetype offset, quint32 value);

} // namespace PictureSamples
