#pragma once

#include <QtGlobal>

// How a piece's rectangle is copied onto the board.
namespace RasterOp
{
constexpr quint32 Copy = 0x00CC0020;         // the piece as it is
constexpr quint32 InvertedCopy = 0x00330008; // a marked piece, colours inverted
constexpr quint32 EmptyPlace = 0x00000010;   // the sliding style's empty place: black
constexpr quint32 NotPlaced = 0x00000000;    // hidden while only placed pieces are shown: black
} // namespace RasterOp
