#include "board/MoveRules.h"

#include "board/RasterOp.h"
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

void paintPlace(const Painter &paint, qint16 column, qint16 row, quint32 rasterOp)
{
    if (paint)
        paint(column, row, rasterOp);
}

bool holdsEmptyPlace(const TableroClass &t, qint16 column, qint16 row)
{
    if (column < 1 || column > t.getCasillasX() || row < 1 || row > t.getCasillasY())
        return false;
    qint16 homeX = 0;
    qint16 homeY = 0;
    t.getCasilla(column, row, homeX, homeY);
    return homeX == t.getCasillasX() && homeY == t.getCasillasY();
}

Outcome slide(MoveState &s, qint16 column, qint16 row, const Painter &paint)
{
    TableroClass &t = *s.tablero;
    const qint16 neighbours[4][2] = {{qint16(column - 1), row},
                                     {qint16(column + 1), row},
                                     {column, qint16(row - 1)},
                                     {column, qint16(row + 1)}};
    for (const auto &n : neighbours) {
        if (!holdsEmptyPlace(t, n[0], n[1]))
            continue;
        t.IntercambiarFichas(n[0], n[1], column, row);
        paintPlace(paint, n[0], n[1], RasterOp::Copy);
        paintPlace(paint, column, row, RasterOp::Copy);
        return Outcome{true, t.NumeroDeFichasPorColocar() == 0};
    }
    return Outcome{true, false};
}

Outcome mark(MoveState &s, int button, int shift, qint16 column, qint16 row, const Painter &paint)
{
    PressList &l = s.lista;
    l.fitTo(*s.tablero);
    s.pulsadaX = column;
    s.pulsadaY = row;

    const int used = usedEntries(l);
    int entry = -1;
    for (int i = 0; i < used; ++i) {
        if (l.listaX[i] == column && l.listaY[i] == row) {
            entry = i;
            break;
        }
    }
    if (entry < 0) {
        entry = used;
        if (entry >= l.listaX.size() || entry >= l.listaY.size() || entry >= l.marcadas.size()) {
            l.listaX.resize(entry + 1);
            l.listaY.resize(entry + 1);
            l.marcadas.resize(entry + 1);
        }
        l.listaX[entry] = column;
        l.listaY[entry] = row;
        l.marcadas[entry] = false;
        l.numeroEnLista = qint16(entry + 1);
    }

    if (button == 1 && (shift & 1) == 0)
        l.marcadas[entry] = true;
    else
        l.marcadas[entry] = !l.marcadas[entry];
    paintPlace(paint, column, row, l.marcadas[entry] ? RasterOp::InvertedCopy : RasterOp::Copy);
    return Outcome{true, false};
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
    found = false;
    qint64 best = -1;
    const int used = usedEntries(l);
    for (int i = 0; i < used; ++i) {
        if (!l.marcadas[i])
            continue;
        found = true;
        const qint64 ddy = qint64(l.listaY[i]) - sy;
        const qint64 ddx = qint64(l.listaX[i]) - sx;
        const qint64 d = ddy * ddy + ddx * ddx;
        if (d > best) {
            best = d;
            index = qint16(i);
        }
    }
}

Outcome mouseDown(MoveState &s, bool sliding, int button, int shift, float x, float y, float boardWidth,
                  float boardHeight, qint16 partesX, qint16 partesY, const Painter &paint)
{
    if (!s.tablero)
        return {};
    qint16 column = 0;
    qint16 row = 0;
    bool inside = false;
    PuntoACasilla(x, y, boardWidth, boardHeight, partesX, partesY, *s.tablero, column, row, inside);
    if (!inside)
        return {};
    if (sliding)
        return slide(s, column, row, paint);
    return mark(s, button, shift, column, row, paint);
}

Outcome mouseUp(MoveState &s, bool sliding, int button, int shift, float x, float y, float boardWidth,
                float boardHeight, qint16 partesX, qint16 partesY, const Painter &paint)
{
    if (sliding || !s.tablero)
        return {};
    TableroClass &t = *s.tablero;
    PressList &l = s.lista;
    l.fitTo(t);

    bool inside = false;
    PuntoACasilla(x, y, boardWidth, boardHeight, partesX, partesY, t, s.soltadaX, s.soltadaY, inside);
    bool outside = !inside;
    if (button != 1 || (shift & 1) != 0)
        return Outcome{true, false};

    int dx = s.soltadaX - s.pulsadaX;
    int dy = s.soltadaY - s.pulsadaY;
    const int used = usedEntries(l);
    qint16 minX = 0, maxX = 0, minY = 0, maxY = 0;
    getMinMax(l.listaX, qint16(used), minX, maxX);
    getMinMax(l.listaY, qint16(used), minY, maxY);

    qint16 cornerX = 1;
    qint16 cornerY = 1;
    if (dx >= 0) {
        outside = outside || maxX + dx > t.getCasillasX();
    } else {
        cornerX = t.getCasillasX();
        outside = outside || minX + dx < 1;
    }
    if (dy >= 0) {
        outside = outside || maxY + dy > t.getCasillasY();
    } else {
        cornerY = t.getCasillasY();
        outside = outside || minY + dy < 1;
    }
    if (outside) {
        dx = 0;
        dy = 0;
    }

    // The piece farthest from the corner behind the move goes first, so the pieces it
    // displaces fill the places the group leaves and the group keeps its shape.
    qint16 index = 0;
    bool found = false;
    for (getFichaMasLejana(l, cornerX, cornerY, index, found); found;
         getFichaMasLejana(l, cornerX, cornerY, index, found)) {
        l.marcadas[index] = false;
        const qint16 c = l.listaX[index];
        const qint16 r = l.listaY[index];
        t.IntercambiarFichas(c, r, qint16(c + dx), qint16(r + dy));
        paintPlace(paint, qint16(c + dx), qint16(r + dy), RasterOp::Copy);
        paintPlace(paint, c, r, RasterOp::Copy);
    }

    const bool completed = t.NumeroDeFichasPorColocar() == 0;
    for (int i = 0; i < used; ++i)
        l.marcadas[i] = false;
    l.numeroEnLista = 0;
    return Outcome{true, completed};
}

} // namespace MoveRules
