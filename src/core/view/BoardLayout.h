#pragma once

#include <QRectF>
#include <QSizeF>
#include <QtGlobal>

// The arithmetic of the board viewport, its scroll bars and the zoom commands. All
// lengths are in units of 1/1440 inch; sizes and factors are single precision, as the
// window keeps them, so the figures match to the last bit.
namespace BoardLayout
{

constexpr float MinWindowSide = 4000.0f;
constexpr float ViewportLeft = 500.0f;
constexpr float ViewportTop = 500.0f;
// Room the viewport leaves beside it across the inner width, and above the status bar.
constexpr float ViewportWidthMargin = 1000.0f;
constexpr float ViewportBottomMargin = 300.0f;
constexpr float ScrollBarThickness = 255.0f;
// One scroll-bar step moves the board by this many units.
constexpr int ScrollUnit = 10;
constexpr double ZoomStep = 1.1;
constexpr float ZoomOutLimit = 400.0f;
constexpr float ZoomInLimit = 30000.0f;

// Nearest integer, halves to even, held at the limits of the type.
qint16 round16(float value);
qint32 round32(float value);

// The window size after the minimum of 4000 × 4000 is enforced.
QSizeF snapWindowSize(const QSizeF &window);

struct Controls {
    QRectF viewport;
    QRectF hScroll;
    QRectF vScroll;
};

// Viewport and scroll bars from the window's inner size and the status bar's height.
// A window too small for the margins gets an empty viewport rather than a negative one.
Controls colocarControles(const QSizeF &inner, float statusBarHeight);

struct ScrollBar {
    bool visible = false;
    qint16 maximum = 0;
    qint32 largeChange = 0;
    qint16 position = 0;
    // Where the board's edge lies inside the viewport.
    qint32 offset = 0;

    // The range runs from 0 to the maximum, or from a negative maximum up to 0.
    qint16 rangeMinimum() const { return qMin<qint16>(0, maximum); }
    qint16 rangeMaximum() const { return qMax<qint16>(0, maximum); }
};

struct Scrolling {
    ScrollBar horizontal;
    ScrollBar vertical;
};

// The scroll bars' ranges, visibility and positions for a board in a viewport; the
// positions given are kept where the new ranges allow.
Scrolling ajustarBarrasDesplazamiento(const QSizeF &board, const QSizeF &viewport, qint16 hPosition,
                                      qint16 vPosition);

// The position brought into a bar's range.
qint16 clampPosition(qint16 position, qint16 maximum);

// The board edge for a scroll position: −10 × position. Kept in 32 bits, so a position
// whose offset does not fit 16 bits still places the board.
qint32 boardOffset(qint16 position);

float zoomIn(float zoom);
float zoomOut(float zoom);

// The factor that fits the whole source into the viewport with its proportions: the
// smaller of the width and height ratios, the height ratio on a tie. Building a puzzle
// fits its board the same way. Throws RunTimeError(11) for a source without area.
float fitZoom(const QSizeF &viewport, const QSizeF &source);

QSizeF boardSize(const QSizeF &source, float zoom);

// After a zoom: the position scaled by the ratio of the new to the old maximum, when the
// old maximum was above 0; otherwise the current position.
qint16 keepRelativePosition(qint16 oldMaximum, qint16 newMaximum, qint16 current);

bool zoomOutVisible(const QSizeF &board);
bool zoomInVisible(const QSizeF &board);

} // namespace BoardLayout
