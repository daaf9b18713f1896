#pragma once

#include "board/TableroClass.h"
#include "puzzlefile/PzzFile.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPainter>

#include <cstdint>

// Small pictures and puzzles made in memory for the puzzle-file tests.
namespace PzzSamples
{

// A picture of one colour with a white top-left quarter, encoded in the given format.
inline QByteArray pictureBytes(const char *format, const QColor &color = Qt::darkCyan, int width = 40,
                               int height = 30)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QPainter(&image).fillRect(0, 0, width / 2, height / 2, Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

inline TableroClass shuffledBoard(qint16 columns, qint16 rows, std::uint64_t seed, bool sliding = false)
{
    TableroClass board;
    board.setSeed(seed);
    board.Inicializar(columns, rows, columns, rows, QStringLiteral("jpg"), true, sliding);
    return board;
}

inline PzzFile puzzle(const TableroClass &board, const QByteArray &picture, bool sliding = false)
{
    PzzFile pzz;
    board.getBoard(pzz.homeColumns, pzz.homeRows, pzz.columns, pzz.rows, pzz.fichasX, pzz.fichasY);
    pzz.extension = PzzFile::extensionField(board.getExtension());
    pzz.style = PzzFile::styleValue(sliding);
    pzz.picture = picture;
    return pzz;
}

inline QByteArray withInt16(QByteArray bytes, int offset, qint16 value)
{
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char((value >> 8) & 0xFF);
    return bytes;
}

// The byte offset of place (column, row) in the placement table of a grid with the given rows.
inline int placeOffset(int column, int row, int rows)
{
    return PzzFile::HeaderSize + 4 * ((column - 1) * rows + row - 1);
}

} // namespace PzzSamples
