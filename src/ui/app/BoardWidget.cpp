#include "app/BoardWidget.h"

#include "board/MoveRules.h"

#include <QMouseEvent>
#include <QPainter>

namespace
{
int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int shiftMask(Qt::KeyboardModifiers modifiers)
{
    return modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0;
}
} // namespace

BoardWidget::BoardWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName(QStringLiteral("PicDestino"));
    setAccessibleName(QStringLiteral("PicDestino"));
}

void BoardWidget::setGrid(const TableroClass *board, qint16 columns, qint16 rows)
{
    m_board = board;
    m_columns = columns;
    m_rows = rows;
}

GamePlace BoardWidget::placeAt(const QPointF &point) const
{
    GamePlace place;
    bool inside = false;
    if (m_board)
        MoveRules::PuntoACasilla(float(point.x()), float(point.y()), float(width()), float(height()),
                                 m_columns, m_rows, *m_board, place.column, place.row, inside);
    return place;
}

void BoardWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (!m_image || m_image->isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    const qreal ratio = m_image->devicePixelRatio();
    const QRect imageRect = m_image->rect();
    if (m_overlay) {
        painter.save();
        painter.scale(1 / ratio, 1 / ratio);
        for (const QRect &rect : event->region()) {
            const QRectF device(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio);
            m_overlay(painter, device.toAlignedRect() & imageRect);
        }
        painter.restore();
    } else {
        // The image carries the screen's pixel ratio, so this is a plain copy of each exposed
        // part.
        for (const QRect &rect : event->region())
            painter.drawImage(rect, *m_image,
                              QRectF(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio));
    }
    if (hasFocus() && m_inputEnabled && m_cursor.x() > 0) {
        // White inside black, so the frame shows on any picture.
        const QRect frame = placeRect(m_cursor).adjusted(1, 1, -2, -2);
        painter.setPen(QPen(Qt::black, 3));
        painter.drawRect(frame);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(frame);
    }
}

void BoardWidget::setInputEnabled(bool on)
{
    if (on != m_inputEnabled)
        update(placeRect(m_cursor));
    m_inputEnabled = on;
}

void BoardWidget::setCursorPlace(QPoint place)
{
    if (place == m_cursor)
        return;
    update(placeRect(m_cursor));
    m_cursor = place;
    update(placeRect(m_cursor));
}

QRect BoardWidget::placeRect(QPoint place) const
{
    if (m_columns < 1 || m_rows < 1 || place.x() < 1 || place.y() < 1)
        return QRect();
    const auto edge = [](int index, int count, int length) { return qRound(double(index) * length / count); };
    return QRect(QPoint(edge(place.x() - 1, m_columns, width()), edge(place.y() - 1, m_rows, height())),
                 QPoint(edge(place.x(), m_columns, width()) - 1, edge(place.y(), m_rows, height()) - 1));
}

void BoardWidget::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update(placeRect(m_cursor));
}

void BoardWidget::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update(placeRect(m_cursor));
}

void BoardWidget::mousePressEvent(QMouseEvent *event)
{
    // Qt grabs the mouse for the pressed widget, so the release of a drag that ends
    // outside the board still comes here.
    const int button = buttonCode(event->button());
    if (!m_inputEnabled || button == 0)
        return;
    m_pressActive = true;
    emit pressed(placeAt(event->position()), button, shiftMask(event->modifiers()));
}

void BoardWidget::mouseReleaseEvent(QMouseEvent *event)
{
    const int button = buttonCode(event->button());
    if (!m_inputEnabled || button == 0 || !m_pressActive)
        return;
    if (event->buttons() == Qt::NoButton)
        m_pressActive = false;
    emit released(placeAt(event->position()), button, shiftMask(event->modifiers()));
}
