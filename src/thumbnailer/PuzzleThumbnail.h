#pragma once

#include <QByteArray>
#include <QImage>

// The picture file managers show for a puzzle file: the board as the player left it,
// every piece on the place it lies on now, the grid drawn, the sliding style's empty place
// black, fitted within a square of the given side and never enlarged.
namespace PuzzleThumbnail
{

// A null image when the bytes are not a sound puzzle file or its picture cannot be
// decoded.
QImage render(QByteArray puzzleFile, int side);

} // namespace PuzzleThumbnail
