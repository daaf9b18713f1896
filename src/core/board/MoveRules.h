#pragma once

#include <QVector>
#include <QtGlobal>

class TableroClass;

// The helpers of the move rules: the place under a point, the press list of the Normal
// style, and the bounds and order of a group move. The game session applies them.
namespace MoveRules
{

// The places pressed in the Normal style since the last completed left release, each
// entered once, with its mark.
struct PressList {
    QVector<qint16> listaX;
    QVector<qint16> listaY;
    QVector<bool> marcadas;
    qint16 numeroEnLista = 0;

    // Empties the list and makes room for the given number of entries.
    void reset(int entries);

    // Rebuilds the list when the board's grid is not the one it was made for (a puzzle
    // file can replace the board behind its back), so no entry ever names a place outside
    // the grid and the list always has room for every place.
    void fitTo(const TableroClass &tablero);

    qint16 madeForX = 0;
    qint16 madeForY = 0;
};

// The place under (x, y) on a surface of boardWidth × boardHeight cut into partesX × partesY
// places; inside is false (and the place (0, 0)) off the surface or beyond the board's grid.
// A point on the line between two places belongs to the left or upper one.
void PuntoACasilla(float x, float y, float boardWidth, float boardHeight, qint16 partesX, qint16 partesY,
                   const TableroClass &t, qint16 &column, qint16 &row, bool &inside);

// Smallest and largest of entries 0 … n − 1; 30000 and −1 when there are none.
void getMinMax(const QVector<qint16> &list, qint16 n, qint16 &smallest, qint16 &largest);

// The marked entry farthest from the corner (sx, sy); the earlier one on a tie. index is left
// alone when nothing is marked.
void getFichaMasLejana(const PressList &l, qint16 sx, qint16 sy, qint16 &index, bool &found);
// The same over the first n entries of three plain arrays.
void getFichaMasLejana(const qint16 *listaX, const qint16 *listaY, const bool *marcadas, int n, qint16 sx,
                       qint16 sy, qint16 &index, bool &found);

} // namespace MoveRules
