#pragma once

#include <QtGlobal>

// The column and row counts a puzzle can have: the dialog offers 2 to 30, and a puzzle
// file with any other count is refused.
namespace GridRange
{

constexpr qint16 Min = 2;
constexpr qint16 Max = 30;

constexpr bool contains(int count)
{
    return count >= Min && count <= Max;
}

} // namespace GridRange
