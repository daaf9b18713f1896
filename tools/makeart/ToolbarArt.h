#pragma once

#include <QImage>

// The window icon and the toolbar pictures, drawn on a transparent square of the given
// side. Each is designed on a 24-unit grid and scaled to the side asked for.
namespace ToolbarArt
{

QImage atom(int side);
QImage openFolder(int side);
QImage saveDisk(int side);
QImage zoomOut(int side);
QImage zoomIn(int side);
QImage fitArrows(int side);

} // namespace ToolbarArt
