#pragma once

#include <QImage>

class QPainter;

// The window icon and the toolbar pictures, drawn on a transparent square of the given
// side. Each is designed on a 24-unit grid and scaled to the side asked for.
namespace ToolbarArt
{

QImage atom(int side);
// The atom on the 24-unit grid, for painters other than an image's (the scalable icon).
// Thin orbits suit large sides; small ones need them bolder to stay visible.
void paintAtom(QPainter &painter, bool thinOrbits);
QImage openFolder(int side);
QImage saveDisk(int side);
QImage zoomOut(int side);
QImage zoomIn(int side);
QImage fitArrows(int side);
QImage undoArrow(int side);
QImage redoArrow(int side);

} // namespace ToolbarArt
