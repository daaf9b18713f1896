#include "PictureSamples.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QtEndian>

#include <cstdlib>

namespace {

const QColor quadrantColours[4] = {QColor(220, 30, 30), QColor(30, 200, 60), QColor(30, 60, 220),
                                   QColor(240, 220, 30)};

void put16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

namespace PictureSamples {

QImage quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const int midX = width / 2;
    const int midY = height / 2;
    painter.fillRect(QRect(0, 0, midX, midY), quadrantColours[0]);
    painter.fillRect(QRect(midX, 0, width - midX, midY), quadrantColours[1]);
    painter.fillRect(QRect(midX, midY, width - midX, height - midY), quadrantColours[2]);
    painter.fillRect(QRect(0, midY, midX, height - midY), quadrantColours[3]);
    return image;
}

bool showsQuadrants(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    return !image.isNull() && near(image.pixel(w / 4, h / 4), quadrantColours[0]) &&
           near(image.pixel(3 * w / 4, h / 4), quadrantColours[1]) &&
           near(image.pixel(3 * w / 4, 3 * h / 4), quadrantColours[2]) &&
           near(image.pixel(w / 4, 3 * h / 4), quadrantColours[3]);
}

QByteArray encoded(const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

QString runtimeFile(const QString &relative)
{
    return QStringLiteral(TESSELON_RUNTIME_DIR "/") + relative;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool near(QRgb pixel, const QColor &expected, int tolerance)
{
    return std::abs(qRed(pixel) - expected.red()) <= tolerance &&
           std::abs(qGreen(pixel) - expected.green()) <= tolerance &&
           std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

QByteArray wmf(const QList<WmfRecord> &records, const QRect &frame, int unitsPerInch)
{
    QByteArray body;
    quint32 largest = 3;
    for (const WmfRecord &record : records) {
        const quint32 words = quint32(3 + record.parameters.size());
        largest = std::max(largest, words);
        put32(body, words);
        put16(body, record.function);
        for (quint16 parameter : record.parameters)
            put16(body, parameter);
    }
    put32(body, 3);
    put16(body, 0);

    QByteArray out;
    if (!frame.isNull()) {
        put32(out, 0x9AC6CDD7);
        put16(out, 0);
        put16(out, quint16(frame.left()));
        put16(out, quint16(frame.top()));
        put16(out, quint16(frame.left() + frame.width()));
        put16(out, quint16(frame.top() + frame.height()));
        put16(out, quint16(unitsPerInch));
        put32(out, 0);
        quint16 checksum = 0;
        for (int i = 0; i < out.size(); i += 2)
            checksum ^= qFromLittleEndian<quint16>(out.constData() + i);
        put16(out, checksum);
    }
    put16(out, 1);
    put16(out, 9);
    put16(out, 0x0300);
    put32(out, quint32(9 + body.size() / 2));
    put16(out, 4); // object table slots
    put32(out, largest);
    put16(out, 0);
    out.append(body);
    return out;
}

QList<WmfRecord> greenFieldRedEllipse(const QPoint &origin, const QSize &extent)
{
    const auto x = [&](int fraction) { return quint16(origin.x() + extent.width() * fraction / 4); };
    const auto y = [&](int fraction) { return quint16(origin.y() + extent.height() * fraction / 4); };
    return {
        {0x020B, {quint16(origin.y()), quint16(origin.x())}},          // SetWindowOrg
        {0x020C, {quint16(extent.height()), quint16(extent.width())}}, // SetWindowExt
        {0x02FA, {5, 0, 0, 0, 0}},                                     // CreatePenIndirect, no line
        {0x012D, {0}},                                                 // SelectObject
        {0x02FC, {0, 0x8000, 0x0000, 0}},                              // CreateBrushIndirect, green
        {0x012D, {1}},                                                 // SelectObject
        {0x041B, {y(4), x(4), y(0), x(0)}},                            // Rectangle
        {0x02FC, {0, 0x00FF, 0x0000, 0}},                              // CreateBrushIndirect, red
        {0x012D, {2}},                                                 // SelectObject
        {0x0418, {y(3), x(3), y(1), x(1)}},                            // Ellipse
        {0x012D, {1}},                                                 // SelectObject
        {0x01F0, {2}},                                                 // DeleteObject
    };
}

void poke16(QByteArray &bytes, qsizetype offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void poke32(QByteArray &bytes, qsizetype offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

} // namespace PictureSamples
