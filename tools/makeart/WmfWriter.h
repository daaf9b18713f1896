#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>

#include <vector>

// Writes a placeable Windows metafile record by record. Objects take the lowest free slot
// of the metafile's object table, as Windows assigns them, and the header's counts are
// filled in when the metafile is finished.
class WmfWriter
{
public:
    // A frame of width x height logical units, unitsPerInch of them to the inch.
    WmfWriter(int width, int height, int unitsPerInch);

    int createBrush(const QColor &colour);
    int createPen(const QColor &colour, int width);
    int createNullPen();
    void select(int object);
    void deleteObject(int object);

    void polygon(const QList<QPoint> &points);
    void ellipse(const QRect &box);
    void rectangle(const QRect &box);

    QByteArray finish();

private:
    void record(quint16 function, const std::vector<quint16> &parameters);
    int takeSlot();

    QByteArray m_records;
    std::vector<bool> m_slots;
    int m_width;
    int m_height;
    int m_unitsPerInch;
    quint32 m_largestRecord = 0;
};
