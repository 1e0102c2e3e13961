#include "controls/common/Units.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kFallbackDpi = 96;

int screenDpi(bool horizontal)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return kFallbackDpi;
    return static_cast<int>(
        std::lround(horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY()));
}

} // namespace

int twipsToPixels(int twips, int dpi)
{
    const int t = dpi > 0 ? std::max(1, kTwipsPerInch / dpi) : kTwipsPerInch / kFallbackDpi;
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
