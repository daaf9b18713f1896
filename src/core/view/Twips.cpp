#include "view/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace
{
double g_overrideX = 0.0;
double g_overrideY = 0.0;

double screenFactor(bool horizontal)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 15.0;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0.0 ? 1440.0 / dpi : 15.0;
}
} // namespace

namespace Twips
{

double perPixelX()
{
    return g_overrideX > 0.0 ? g_overrideX : screenFactor(true);
}
double perPixelY()
{
    return g_overrideY > 0.0 ? g_overrideY : screenFactor(false);
}

void overrideFactors(double x, double y)
{
    g_overrideX = x;
    g_overrideY = y;
}

} // namespace Twips
