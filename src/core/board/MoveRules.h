#pragma once

#include <QVector>
#include <QtGlobal>

#include <functional>

class TableroClass;

// How presses and releases on the board surface move pieces, in both styles. The board
// widget's handlers call mouseDown and mouseUp with the point and the surface's size in one
// unit; the rules change the board and report, through the painter, every place to redraw.
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

struct MoveState {
    TableroClass *tablero = nullptr;
    PressList lista;
    qint16 pulsadaX = 0;
    qint16 pulsadaY = 0;
    qint16 soltadaX = 0;
    qint16 soltadaY = 0;
};

using Painter = std::function<void(qint16 column, qint16 row, quint32 rasterOp)>;

struct Outcome {
    bool refreshStatus = false;
    // Every piece is home: the caller shows the assembled picture, then refreshes.
    bool completed = false;
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

// button: 1 left, 2 right, 4 middle; shift: bit 1 while Shift is held.
Outcome mouseDown(MoveState &s, bool sliding, int button, int shift, float x, float y, float boardWidth,
                  float boardHeight, qint16 partesX, qint16 partesY, const Painter &paint);
Outcome mouseUp(MoveState &s, bool sliding, int button, int shift, float x, float y, float boardWidth,
                float boardHeight, qint16 partesX, qint16 partesY, const Painter &paint);

} // namespace MoveRules
