#pragma once

#include <QByteArray>
#include <QImage>

// The sample pictures offered in the samples folder. Each has enough detail that every
// piece of a 10 x 10 cut can be told apart, and each is drawn the same way on every build.
namespace SamplePictures
{

// A country landscape with sun, clouds, mountains, hills, a river, a village and trees;
// 1600 x 1200, so the program reduces it before cutting.
QImage landscape();

// A mosaic of 20 x 15 tiles, each with its own colour, label and mark; 800 x 600.
QImage mosaic();

// A clock face with numerals, a small seconds dial and ornamented corners; 720 x 720.
QImage clock();

// A town map with streets, river, parks, landmarks, compass and grid labels; 1024 x 768.
QImage city();

// A geometric pattern as a placeable Windows metafile of 800 x 600 units at 96 to the inch.
QByteArray geometricWmf();

} // namespace SamplePictures
