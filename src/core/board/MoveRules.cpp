#include "board/MoveRules.h"

#include "board/TableroClass.h"

#include <algorithm>
#include <cmath>

namespace MoveRules
{

namespace
{

// The strip, from 1, of a surface `size` long cut into `parts` strips that holds `v`; 0 when
// it lies past the first `limit` strips. The walk stops at `limit`, so a point far off the
// surface costs no more than one beyond the last strip.
qint16 stripOf(float v, float size, qint16 parts, qint16 limit)
{
    const float width = size / float(parts);
    if (!(width > 0.0f) || !std::isfinite(width))
        return 0;
    int k = 0;
    while (k < limit && v - float(k) * width > width)
        ++k;
    return k < limit ? qint16(k + 1) : 0;
}

// Entries actually usable: numeroEnLista, but never past the end of any of the three lists.
int usedEntries(const PressList &l)
{
    const int size = std::min({l.listaX.size(), l.listaY.size(), l.marcadas.size()});
    return std::clamp(int(l.numeroEnLista), 0, int(size));
}

} // namespace

void PressList::reset(int entries)
{
    entries = std::max(entries, 0);
    listaX.fill(0, entries);
    listaY.fill(0, entries);
    marcadas.fill(false, entries);
    numeroEnLista = 0;
    madeForX = 0;
    madeForY = 0;
}

void PressList::fitTo(const TableroClass &tablero)
{
    const qint16 cx = tablero.getCasillasX();
    const qint16 cy = tablero.getCasillasY();
    const int needed = int(cx) * int(cy) + 1;
    if (madeForX == cx && madeForY == cy && listaX.size() >= needed && listaY.size() >= needed &&
        marcadas.size() >= needed)
        return;
    reset(needed);
    madeForX = cx;
    madeForY = cy;
}

void PuntoACasilla(float x, float y, float boardWidth, float boardHeight, qint16 partesX, qint16 partesY,
                   const TableroClass &t, qint16 &column, qint16 &row, bool &inside)
{
    column = 0;
    row = 0;
    inside = false;
    if (!(x >= 0.0f) || !(y >= 0.0f))
        return;
    const qint16 c = stripOf(x, boardWidth, partesX, t.getCasillasX());
    const qint16 r = stripOf(y, boardHeight, partesY, t.getCasillasY());
    if (c == 0 || r == 0)
        return;
    column = c;
    row = r;
    inside = true;
}

void getMinMax(const QVector<qint16> &list, qint16 n, qint16 &smallest, qint16 &largest)
{
    smallest = 30000;
    largest = -1;
    const int count = std::min(int(n), int(list.size()));
    for (int i = 0; i < count; ++i) {
        if (list[i] > largest)
            largest = list[i];
        if (list[i] < smallest)
            smallest = list[i];
    }
}

void getFichaMasLejana(const PressList &l, qint16 sx, qint16 sy, qint16 &index, bool &found)
{
    getFichaMasLejana(l.listaX.constData(), l.listaY.constData(), l.marcadas.constData(), usedEntries(l), sx,
                      sy, index, found);
}

void getFichaMasLejana(const qint16 *listaX, const qint16 *listaY, const bool *marcadas, int n, qint16 sx,
                       qint16 sy, qint16 &index, bool &found)
{
    found = false;
    qint64 best = -1;
    for (int i = 0; i < n; ++i) {
        if (!marcadas[i])
            continue;
        found = true;
        const qint64 ddy = qint64(listaY[i]) - sy;
        const qint64 ddx = qint64(listaX[i]) - sx;
        const qint64 d = ddy * ddy + ddx * ddx;
        if (d > best) {
            best = d;
            index = qint16(i);
        }
    }
}

} // namespace MoveRules
