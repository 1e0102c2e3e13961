#include "controls/common/Units.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr int twipsPerInch = 1440;
constexpr int fallbackDpi = 96;

int screenDpi(bool horizontal)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return fallbackDpi;
    return static_cast<int>(
        std::lround(horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY()));
}

} // namespace

int twipsToPixels(int twips, int dpi)
{
    const int t = dpi > 0 ? std::max(1, twipsPerInch / dpi) : twipsPerInch / fallbackDpi;
    return static_cast<int>((static_cast<long long>(twips) + t / 2) / t);
}

int XTwipsToPixels(int twips, const QPaintDevice *device)
{
    return twipsToPixels(twips, device ? device->logicalDpiX() : screenDpi(true));
}

int YTwipsToPixels(int twips, const QPaintDevice *device)
{
    return twipsToPixels(twips, device ? device->logicalDpiY() : screenDpi(false));
}

} // namespace qv
