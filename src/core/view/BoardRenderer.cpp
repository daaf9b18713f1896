#include "view/BoardRenderer.h"

#include "board/RasterOp.h"
#include "board/TableroClass.h"
#include "io/RunTimeError.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

namespace
{
// Larger sides than this are far beyond any zoom the toolbar offers; refusing them keeps
// a wrong size from asking for gigabytes.
constexpr double MaxDeviceSide = 32767.0;

constexpr quint32 Black = 0xFF000000u;

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

void BoardRenderer::paintPlaces(const Edges &e, const QVector<PlacePaint> &places, bool grid)
{
    const BoardGeometry g = geometry();
    if (!m_stretch.matches(m_source, g.columns, g.rows))
        m_stretch.setSource(m_source, g.columns, g.rows);
    // The places of a row of the board are drawn together, line by line across the image,
    // which writes its memory in order: several times faster than place by place.
    std::vector<QVector<PieceStretch::Copy>> bands(std::size_t(g.rows));
    const QRectF source(QPointF(0, 0), g.source);
    for (const PlacePaint &p : places) {
        qint16 ox = 0;
        qint16 oy = 0;
        m_tablero->getCasilla(p.column, p.row, ox, oy);
        const QRect target = e.place(p.column, p.row);
        if (target.isEmpty())
            continue;
        const bool black = (m_sliding && ox == g.columns && oy == g.rows) ||
                           p.rasterOp == RasterOp::EmptyPlace || p.rasterOp == RasterOp::NotPlaced;
        const QRectF piece = black ? QRectF() : g.pieceRect(ox, oy).intersected(source);
        bands[std::size_t(p.row - 1)].append(
            m_stretch.prepare(target, ox, oy, piece, p.rasterOp == RasterOp::InvertedCopy));
    }
    uchar *bits = m_image.bits();
    const auto paintBands = [&](std::size_t first, std::size_t step) {
        for (std::size_t i = first; i < bands.size(); i += step) {
            QVector<PieceStretch::Copy> &band = bands[i];
            std::sort(band.begin(), band.end(), [](const PieceStretch::Copy &a, const PieceStretch::Copy &b) {
                return a.target.left() < b.target.left();
            });
            m_stretch.draw(bits, m_image.bytesPerLine(), band);
            // The lines crossing the places, while their pixels are still at hand.
            for (const PieceStretch::Copy &c : band) {
                if (grid)
                    drawGrid(e, c.target, bits);
            }
        }
    };
    // Each row of places writes only inside its own places, so rows can be drawn side by side
    // on several cores; that pays once a move repaints a good part of a large board.
    constexpr qint64 ManyPixels = 1 << 20;
    qint64 pixels = 0;
    for (const PlacePaint &p : places)
        pixels += qint64(e.place(p.column, p.row).width()) * e.place(p.column, p.row).height();
    const std::size_t workers =
        pixels < ManyPixels ? 1 : std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
    std::vector<std::thread> helpers;
    for (std::size_t w = 1; w < workers; ++w)
        helpers.emplace_back(paintBands, w, workers);
    paintBands(0, workers);
    for (std::thread &helper : helpers)
        helper.join();
}

void BoardRenderer::fillBlack(uchar *bits, const QRect &rect) const
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(bits + m_image.bytesPerLine() * y);
        std::fill(line + rect.left(), line + rect.right() + 1, Black);
    }
}

void BoardRenderer::drawGrid(const Edges &e, const QRect &area, uchar *bits) const
{
    const int columns = int(e.x.size()) - 1;
    const int rows = int(e.y.size()) - 1;
    for (int i = 0; i <= columns; ++i) {
        const int x = e.lineX(i);
        if (x >= area.left() && x <= area.right())
            fillBlack(bits, QRect(x, area.top(), 1, area.height()));
    }
    for (int j = 0; j <= rows; ++j) {
        const int y = e.lineY(j);
        if (y >= area.top() && y <= area.bottom())
            fillBlack(bits, QRect(area.left(), y, area.width(), 1));
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
    QVector<PlacePaint> places;
    places.reserve(g.columns * g.rows);
    for (qint16 x = 1; x <= g.columns; ++x) {
        for (qint16 y = 1; y <= g.rows; ++y)
            places.append({x, y, RasterOp::Copy});
    }
    // The places cover the image, so the lines crossing each of them are the whole grid.
    paintPlaces(e, places, estado == 1);
    m_gridComplete = false;
    if (estado == 1)
        markGridComplete();
    return m_image.rect();
}

QRect BoardRenderer::PaintCasilla(qint16 column, qint16 row, quint32 rasterOp)
{
    return PaintCasillas({{column, row, rasterOp}}).boundingRect();
}

QRegion BoardRenderer::PaintCasillas(const QVector<PlacePaint> &places)
{
    const BoardGeometry g = geometry();
    for (const PlacePaint &p : places) {
        if (m_tablero && (p.column < 1 || p.row < 1 || p.column > g.columns || p.row > g.rows))
            throw RunTimeError(RunTimeError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    }
    if (!canPaint() || places.isEmpty())
        return QRegion();
    // The last operation asked for a place is the one it shows, as if each were drawn in turn.
    std::vector<int> slot(std::size_t(g.columns) * std::size_t(g.rows), -1);
    QVector<PlacePaint> once;
    once.reserve(places.size());
    for (const PlacePaint &p : places) {
        int &index = slot[std::size_t(p.column - 1) * std::size_t(g.rows) + std::size_t(p.row - 1)];
        if (index < 0) {
            index = int(once.size());
            once.append(p);
        } else {
            once[index].rasterOp = p.rasterOp;
        }
    }
    // Outside the places nothing changes, so when the whole grid is already there only the
    // lines crossing them need drawing again; the pixels are the same as after drawing
    // every line.
    const Edges e = edges();
    const bool gridComplete = gridIsComplete();
    paintPlaces(e, once, gridComplete);
    if (!gridComplete) {
        drawGrid(e, m_image.rect(), m_image.bits());
        markGridComplete();
        return QRegion(m_image.rect());
    }
    // Past a few places one rectangle costs less to build and to repaint than their union.
    constexpr int FewPlaces = 16;
    QRegion changed;
    QRect bounds;
    for (const PlacePaint &p : once) {
        const QRect place = e.place(p.column, p.row);
        const QRect around = place.adjusted(-1, -1, 1, 1).intersected(m_image.rect());
        bounds |= around;
        if (once.size() <= FewPlaces)
            changed += around;
    }
    return once.size() <= FewPlaces ? changed : QRegion(bounds);
}

QRect BoardRenderer::DibujarRejilla()
{
    if (!canPaint())
        return QRect();
    drawGrid(edges(), m_image.rect(), m_image.bits());
    markGridComplete();
    return m_image.rect();
}

QRect BoardRenderer::PaintSoloMontadas()
{
    if (!canPaint())
        return QRect();
    const BoardGeometry g = geometry();
    QVector<PlacePaint> away;
    for (qint16 x = 1; x <= g.columns; ++x) {
        for (qint16 y = 1; y <= g.rows; ++y) {
            qint16 ox = 0;
            qint16 oy = 0;
            m_tablero->getCasilla(x, y, ox, oy);
            if (ox != x || oy != y)
                away.append({x, y, RasterOp::NotPlaced});
        }
    }
    return PaintCasillas(away).boundingRect();
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
