#include "WmfWriter.h"
#include "ByteWriter.h"

#include <QtEndian>

#include <algorithm>

namespace
{

constexpr quint16 metaEof = 0x0000;
constexpr quint16 metaSetBkMode = 0x0102;
constexpr quint16 metaSetPolyFillMode = 0x0106;
constexpr quint16 metaSetWindowOrg = 0x020B;
constexpr quint16 metaSetWindowExt = 0x020C;
constexpr quint16 metaSelectObject = 0x012D;
constexpr quint16 metaDeleteObject = 0x01F0;
constexpr quint16 metaCreatePenIndirect = 0x02FA;
constexpr quint16 metaCreateBrushIndirect = 0x02FC;
constexpr quint16 metaPolygon = 0x0324;
constexpr quint16 metaEllipse = 0x0418;
constexpr quint16 metaRectangle = 0x041B;

quint16 low(quint32 value)
{
    return quint16(value & 0xFFFF);
}

quint16 high(quint32 value)
{
    return quint16(value >> 16);
}

quint32 colourRef(const QColor &colour)
{
    return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

} // namespace

WmfWriter::WmfWriter(int width, int height, int unitsPerInch)
    : m_width(width), m_height(height), m_unitsPerInch(unitsPerInch)
{
    record(metaSetWindowOrg, {0, 0});
    record(metaSetWindowExt, {quint16(height), quint16(width)});
    record(metaSetBkMode, {1});       // transparent
    record(metaSetPolyFillMode, {2}); // winding
}

int WmfWriter::takeSlot()
{
    const auto free = std::find(m_slots.begin(), m_slots.end(), false);
    if (free != m_slots.end()) {
        *free = true;
        return int(free - m_slots.begin());
    }
    m_slots.push_back(true);
    return int(m_slots.size()) - 1;
}

int WmfWriter::createBrush(const QColor &colour)
{
    const quint32 ref = colourRef(colour);
    record(metaCreateBrushIndirect, {0, low(ref), high(ref), 0});
    return takeSlot();
}

int WmfWriter::createPen(const QColor &colour, int width)
{
    const quint32 ref = colourRef(colour);
    record(metaCreatePenIndirect, {0, quint16(width), 0, low(ref), high(ref)});
    return takeSlot();
}

int WmfWriter::createNullPen()
{
    record(metaCreatePenIndirect, {5, 0, 0, 0, 0});
    return takeSlot();
}

void WmfWriter::select(int object)
{
    record(metaSelectObject, {quint16(object)});
}

void WmfWriter::deleteObject(int object)
{
    record(metaDeleteObject, {quint16(object)});
    m_slots[size_t(object)] = false;
}

void WmfWriter::polygon(const QList<QPoint> &points)
{
    std::vector<quint16> parameters{quint16(points.size())};
    for (const QPoint &point : points) {
        parameters.push_back(quint16(point.x()));
        parameters.push_back(quint16(point.y()));
    }
    record(metaPolygon, parameters);
}

void WmfWriter::ellipse(const QRect &box)
{
    record(metaEllipse, {quint16(box.y() + box.height()), quint16(box.x() + box.width()), quint16(box.y()),
                         quint16(box.x())});
}

void WmfWriter::rectangle(const QRect &box)
{
    record(metaRectangle, {quint16(box.y() + box.height()), quint16(box.x() + box.width()), quint16(box.y()),
                           quint16(box.x())});
}

void WmfWriter::record(quint16 function, const std::vector<quint16> &parameters)
{
    const quint32 words = quint32(3 + parameters.size());
    m_largestRecord = std::max(m_largestRecord, words);
    put32(m_records, words);
    put16(m_records, function);
    for (quint16 parameter : parameters)
        put16(m_records, parameter);
}

QByteArray WmfWriter::finish()
{
    record(metaEof, {});

    QByteArray out;
    put32(out, 0x9AC6CDD7);
    put16(out, 0);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint16(m_width));
    put16(out, quint16(m_height));
    put16(out, quint16(m_unitsPerInch));
    put32(out, 0);
    quint16 checksum = 0;
    for (int i = 0; i < out.size(); i += 2)
        checksum ^= qFromLittleEndian<quint16>(out.constData() + i);
    put16(out, checksum);

    constexpr quint32 headerWords = 9;
    put16(out, 1); // in memory
    put16(out, quint16(headerWords));
    put16(out, 0x0300);
    put32(out, headerWords + quint32(m_records.size() / 2));
    put16(out, quint16(m_slots.size()));
    put32(out, m_largestRecord);
    put16(out, 0);
    out.append(m_records);
    return out;
}
