#include "view/BoardLayout.h"

#include "io/RunTimeError.h"

#include <cmath>
#include <limits>

namespace
{
template <typename Int> Int roundHalfEven(float value)
{
    if (std::isnan(value))
        return 0;
    // The default floating-point rounding mode rounds halves to the even neighbour.
    const double rounded = std::nearbyint(double(value));
    if (rounded <= double(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (rounded >= double(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return Int(rounded);
}

BoardLayout::ScrollBar scrollBar(float board, float viewport, qint16 position)
{
    BoardLayout::ScrollBar bar;
    // A board fitted to the viewport can come out a rounding error larger than it; less
    // than a unit is no reason to scroll.
    bar.visible = board > viewport + 1.0f;
    bar.maximum = BoardLayout::round16((board - viewport) / float(BoardLayout::ScrollUnit));
    bar.largeChange = BoardLayout::round32(board) / BoardLayout::ScrollUnit;
    bar.position = BoardLayout::clampPosition(position, bar.maximum);
    bar.offset = BoardLayout::boardOffset(bar.position);
    return bar;
}
} // namespace

namespace BoardLayout
{

qint16 round16(float value)
{
    return roundHalfEven<qint16>(value);
}

qint32 round32(float value)
{
    return roundHalfEven<qint32>(value);
}

QSizeF snapWindowSize(const QSizeF &window)
{
    return QSizeF(qMax(double(MinWindowSide), window.width()), qMax(double(MinWindowSide), window.height()));
}

Controls colocarControles(const QSizeF &inner, float statusBarHeight)
{
    const float width = qMax(0.0f, float(inner.width()) - ViewportWidthMargin);
    const float height =
        qMax(0.0f, float(inner.height()) - ViewportTop - ViewportBottomMargin - statusBarHeight);
    Controls c;
    c.viewport = QRectF(ViewportLeft, ViewportTop, width, height);
    c.hScroll = QRectF(ViewportLeft, ViewportTop + height, width, ScrollBarThickness);
    c.vScroll = QRectF(ViewportLeft + width, ViewportTop, ScrollBarThickness, height);
    return c;
}

Scrolling ajustarBarrasDesplazamiento(const QSizeF &board, const QSizeF &viewport, qint16 hPosition,
                                      qint16 vPosition)
{
    Scrolling s;
    s.vertical = scrollBar(float(board.height()), float(viewport.height()), vPosition);
    s.horizontal = scrollBar(float(board.width()), float(viewport.width()), hPosition);
    return s;
}

qint16 clampPosition(qint16 position, qint16 maximum)
{
    return qBound<qint16>(qMin<qint16>(0, maximum), position, qMax<qint16>(0, maximum));
}

qint32 boardOffset(qint16 position)
{
    return -ScrollUnit * qint32(position);
}

float zoomIn(float zoom)
{
    return float(double(zoom) * ZoomStep);
}

float zoomOut(float zoom)
{
    return float(double(zoom) / ZoomStep);
}

float fitZoom(const QSizeF &viewport, const QSizeF &source)
{
    const float sourceWidth = float(source.width());
    const float sourceHeight = float(source.height());
    if (!(sourceWidth > 0.0f) || !(sourceHeight > 0.0f))
        throw RunTimeError(11, QStringLiteral("Division by zero"));
    const float a = float(viewport.width()) / sourceWidth;
    const float b = float(viewport.height()) / sourceHeight;
    return b > a ? a : b;
}

QSizeF boardSize(const QSizeF &source, float zoom)
{
    return QSizeF(float(source.width()) * zoom, float(source.height()) * zoom);
}

qint16 keepRelativePosition(qint16 oldMaximum, qint16 newMaximum, qint16 current)
{
    if (oldMaximum <= 0)
        return current;
    const float scaled = float(newMaximum) / float(oldMaximum) * float(current);
    return clampPosition(round16(scaled), newMaximum);
}

bool zoomOutVisible(const QSizeF &board)
{
    return float(board.width()) >= ZoomOutLimit && float(board.height()) >= ZoomOutLimit;
}

bool zoomInVisible(const QSizeF &board)
{
    return float(board.height()) <= ZoomInLimit && float(board.width()) <= ZoomInLimit;
}

} // namespace BoardLayout
