#include "view/BoardRenderer.h"

#include "board/RasterOp.h"
#include "board/TableroClass.h"
#include "io/RunTimeError.h"

#include <QPainter>

#include <cmath>
#include <vector>

namespace
{
// Larger sides than this are far beyond any zoom the toolbar offers; refusing them keeps
// a wrong size from asking for gigabytes.
constexpr double MaxDeviceSide = 32767.0;

// Device pixels of a logical length; -1 when it is too large to allocate.
int deviceLength(double logical, qreal ratio)
{
    const double device = logical * ratio;
    if (std::isnan(device) || device <= 0.0)
        return 0;
    if (device > MaxDeviceSide)
        return -1;
    return int(std::lround(device));
}

// Each edge is rounded on its own from its exact position, so the right edge of one place
// is the left edge of the next; the last edge is the image's border.
std::vector<int> deviceEdges(int count, float step, qreal ratio, int length)
{
    std::vector<int> edges(std::size_t(count) + 1, 0);
    for (int i = 1; i < count; ++i) {
        const double exact = double(float(i) * step) * ratio;
        edges[std::size_t(i)] = int(qBound(0.0, std::round(exact), double(length)));
    }
    edges[std::size_t(count)] = length;
    return edges;
}
} // namespace

bool BoardGeometry::isEmpty() const
{
    return columns <= 0 || rows <= 0;
}

float BoardGeometry::pieceWidth() const
{
    return float(source.width()) / float(columns);
}

float BoardGeometry::pieceHeight() const
{
    return float(source.height()) / float(rows);
}

float BoardGeometry::placeWidth() const
{
    return float(board.width()) / float(columns);
}

float BoardGeometry::placeHeight() const
{
    return float(board.height()) / float(rows);
}

QRectF BoardGeometry::placeRect(qint16 column, qint16 row) const
{
    const float dw = placeWidth();
    const float dh = placeHeight();
    return QRectF(float(column - 1) * dw, float(row - 1) * dh, dw, dh);
}

QRectF BoardGeometry::pieceRect(qint16 ox, qint16 oy) const
{
    const float pw = pieceWidth();
    const float ph = pieceHeight();
    return QRectF(float(ox - 1) * pw, float(oy - 1) * ph, pw, ph);
}

struct BoardRenderer::Edges {
    std::vector<int> x;
    std::vector<int> y;
    int width = 0;
    int height = 0;

    // A line on the right or bottom border would fall just outside the image; it is
    // drawn on the last pixel so the border stays visible.
    int lineX(int i) const { return qMin(x[std::size_t(i)], width - 1); }
    int lineY(int j) const { return qMin(y[std::size_t(j)], height - 1); }
    QRect place(int column, int row) const
    {
        return QRect(QPoint(x[std::size_t(column - 1)], y[std::size_t(row - 1)]),
                     QPoint(x[std::size_t(column)] - 1, y[std::size_t(row)] - 1));
    }
};

BoardRenderer::BoardRenderer() = default;

void BoardRenderer::setSource(const QImage &source)
{
    if (source.hasAlphaChannel()) {
        QImage opaque(source.size(), QImage::Format_RGB32);
        if (opaque.isNull()) {
            m_source = QImage();
            return;
        }
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        QImage plain = source;
        plain.setDevicePixelRatio(1.0);
        painter.drawImage(0, 0, plain);
        painter.end();
        m_source = opaque;
    } else {
        m_source = source.convertToFormat(QImage::Format_RGB32);
        m_source.setDevicePixelRatio(1.0);
    }
}

void BoardRenderer::setBoardSize(const QSizeF &size)
{
    if (size == m_boardSize)
        return;
    m_boardSize = size;
    reallocate();
}

void BoardRenderer::setDevicePixelRatio(qreal ratio)
{
    if (!(ratio > 0.0) || ratio == m_dpr)
        return;
    m_dpr = ratio;
    reallocate();
}

void BoardRenderer::reallocate()
{
    m_gridComplete = false;
    const int width = deviceLength(m_boardSize.width(), m_dpr);
    const int height = deviceLength(m_boardSize.height(), m_dpr);
    if (width < 0 || height < 0) {
        m_image = QImage();
        throw RunTimeError(RunTimeError::OutOfMemory, QStringLiteral("Out of memory"));
    }
    if (width == 0 || height == 0) {
        m_image = QImage();
        return;
    }
    if (m_image.width() == width && m_image.height() == height) {
        m_image.setDevicePixelRatio(m_dpr);
        m_image.fill(Qt::black);
        return;
    }
    m_image = QImage();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        throw RunTimeError(RunTimeError::OutOfMemory, QStringLiteral("Out of memory"));
    image.setDevicePixelRatio(m_dpr);
    image.fill(Qt::black);
    m_image = image;
}

BoardGeometry BoardRenderer::geometry() const
{
    BoardGeometry g;
    g.source = QSizeF(m_source.size());
    g.board = m_boardSize;
    if (m_tablero) {
        g.columns = m_tablero->getCasillasX();
        g.rows = m_tablero->getCasillasY();
    }
    return g;
}

bool BoardRenderer::canPaint() const
{
    return m_tablero && !geometry().isEmpty() && !m_source.isNull() && !m_image.isNull();
}

BoardRenderer::Edges BoardRenderer::edges() const
{
    const BoardGeometry g = geometry();
    Edges e;
    e.width = m_image.width();
    e.height = m_image.height();
    e.x = deviceEdges(g.columns, g.placeWidth(), m_dpr, e.width);
    e.y = deviceEdges(g.rows, g.placeHeight(), m_dpr, e.height);
    return e;
}

QRect BoardRenderer::placeDeviceRect(qint16 column, qint16 row) const
{
    const BoardGeometry g = geometry();
    if (m_image.isNull() || column < 1 || row < 1 || column > g.columns || row > g.rows)
        return QRect();
    return edges().place(column, row);
}

QRect BoardRenderer::logicalRect(const QRect &deviceRect) const
{
    if (deviceRect.isEmpty())
        return QRect();
    const QRectF device(deviceRect);
    return QRectF(device.topLeft() / m_dpr, device.size() / m_dpr).toAlignedRect();
}

QImage BoardRenderer::deviceView()
{
    // A second header over the same pixels, without the pixel ratio, so the painter
    // works in device pixels and every edge lands exactly where it was rounded to.
    return QImage(m_image.bits(), m_image.width(), m_image.height(), m_image.bytesPerLine(),
                  m_image.format());
}

void BoardRenderer::paintPlace(QPainter &painter, const Edges &e, const BoardGeometry &g, qint16 column,
                               qint16 row, quint32 rasterOp)
{
    qint16 ox = 0;
    qint16 oy = 0;
    m_tablero->getCasilla(column, row, ox, oy);
    if (m_sliding && ox == g.columns && oy == g.rows)
        rasterOp = RasterOp::EmptyPlace;

    const QRect target = e.place(column, row);
    if (target.isEmpty())
        return;
    const QRectF piece = g.pieceRect(ox, oy).intersected(QRectF(QPointF(0, 0), g.source));
    if (rasterOp == RasterOp::EmptyPlace || rasterOp == RasterOp::NotPlaced || piece.isEmpty()) {
        painter.fillRect(target, Qt::black);
        return;
    }
    painter.drawImage(QRectF(target), m_source, piece);
    if (rasterOp == RasterOp::InvertedCopy)
        invert(target);
}

void BoardRenderer::invert(const QRect &rect)
{
    // The board is opaque RGB32: flipping the colour bits inverts a pixel and keeps it opaque.
    uchar *bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(bits + stride * y);
        for (int x = rect.left(); x <= rect.right(); ++x)
            line[x] ^= 0x00FFFFFFu;
    }
}

void BoardRenderer::drawGrid(QPainter &painter, const Edges &e, const QRect &area)
{
    const int columns = int(e.x.size()) - 1;
    const int rows = int(e.y.size()) - 1;
    for (int i = 0; i <= columns; ++i) {
        const int x = e.lineX(i);
        if (x >= area.left() && x <= area.right())
            painter.fillRect(QRect(x, area.top(), 1, area.height()), Qt::black);
    }
    for (int j = 0; j <= rows; ++j) {
        const int y = e.lineY(j);
        if (y >= area.top() && y <= area.bottom())
            painter.fillRect(QRect(area.left(), y, area.width(), 1), Qt::black);
    }
}

void BoardRenderer::markGridComplete()
{
    const BoardGeometry g = geometry();
    m_gridComplete = true;
    m_gridColumns = g.columns;
    m_gridRows = g.rows;
    m_gridImageSize = m_image.size();
}

bool BoardRenderer::gridIsComplete() const
{
    const BoardGeometry g = geometry();
    return m_gridComplete && m_gridColumns == g.columns && m_gridRows == g.rows &&
           m_gridImageSize == m_image.size();
}

QRect BoardRenderer::PaintTablero(int estado)
{
    if (!canPaint())
        return QRect();
    const BoardGeometry g = geometry();
    const Edges e = edges();
    QImage view = deviceView();
    QPainter painter(&view);
    for (qint16 x = 1; x <= g.columns; ++x) {
        for (qint16 y = 1; y <= g.rows; ++y)
            paintPlace(painter, e, g, x, y, RasterOp::Copy);
    }
    m_gridComplete = false;
    if (estado == 1) {
        drawGrid(painter, e, view.rect());
        markGridComplete();
    }
    return m_image.rect();
}

QRect BoardRenderer::PaintCasilla(qint16 column, qint16 row, quint32 rasterOp)
{
    const BoardGeometry g = geometry();
    if (m_tablero && (column < 1 || row < 1 || column > g.columns || row > g.rows))
        throw RunTimeError(RunTimeError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    if (!canPaint())
        return QRect();
    const Edges e = edges();
    QImage view = deviceView();
    QPainter painter(&view);
    paintPlace(painter, e, g, column, row, rasterOp);

    // Outside the place nothing changed, so when the whole grid is already there only
    // the lines crossing the place need drawing again; the pixels are the same as after
    // drawing every line.
    if (gridIsComplete()) {
        const QRect place = e.place(column, row);
        drawGrid(painter, e, place);
        return place.adjusted(-1, -1, 1, 1).intersected(m_image.rect());
    }
    drawGrid(painter, e, view.rect());
    markGridComplete();
    return m_image.rect();
}

QRect BoardRenderer::DibujarRejilla()
{
    if (!canPaint())
        return QRect();
    const Edges e = edges();
    QImage view = deviceView();
    QPainter painter(&view);
    drawGrid(painter, e, view.rect());
    markGridComplete();
    return m_image.rect();
}

QRect BoardRenderer::PaintSoloMontadas()
{
    if (!canPaint())
        return QRect();
    const BoardGeometry g = geometry();
    QRect changed;
    for (qint16 x = 1; x <= g.columns; ++x) {
        for (qint16 y = 1; y <= g.rows; ++y) {
            qint16 ox = 0;
            qint16 oy = 0;
            m_tablero->getCasilla(x, y, ox, oy);
            if (ox != x || oy != y)
                changed |= PaintCasilla(x, y, RasterOp::NotPlaced);
        }
    }
    return changed;
}

QRect BoardRenderer::paintAssembled()
{
    if (m_source.isNull() || m_image.isNull())
        return QRect();
    QImage view = deviceView();
    QPainter painter(&view);
    painter.drawImage(QRectF(view.rect()), m_source, QRectF(m_source.rect()));
    m_gridComplete = false;
    return m_image.rect();
}
