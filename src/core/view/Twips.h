#pragma once

#include <QSizeF>

// Window geometry is reasoned about in units of 1/1440 inch ("twips"), as the layout
// rules are written; these helpers turn them into device-independent pixels.
namespace Twips
{

// Units per pixel of the primary screen, horizontally and vertically (15 at 96 dpi).
double perPixelX();
double perPixelY();

// Tests pin the factors so figures do not depend on the screen they run on;
// a value of 0 returns to the screen's own.
void overrideFactors(double perPixelX, double perPixelY);

inline double toPixelsX(double twips)
{
    return twips / perPixelX();
}
inline double toPixelsY(double twips)
{
    return twips / perPixelY();
}
inline double fromPixelsX(double px)
{
    return px * perPixelX();
}
inline double fromPixelsY(double px)
{
    return px * perPixelY();
}

} // namespace Twips
