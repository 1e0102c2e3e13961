#include "controls/qvrun32/Qvrun32.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <limits>

namespace qvrun32 {

namespace {

constexpr double kHimetricPerInch = 2540.0;
constexpr double kDefaultDpi = 96.0;

// himetric × dpi / 2540, rounded half away from zero and kept inside int, since picture sizes
// come from files and streams.
int toPixels(long himetric, double dpi)
{
    const double pixels =
        std::round(static_cast<double>(himetric) * std::round(dpi) / kHimetricPerInch);
    constexpr double kLowest = std::numeric_limits<int>::min();
    constexpr double kHighest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(pixels, kLowest, kHighest));
}

const QScreen *screen()
{
    return QGuiApplication::primaryScreen();
}

} // namespace

int XHimetricToPixels(long himetric)
{
    const QScreen *primary = screen();
    return toPixels(himetric, primary ? primary->logicalDotsPerInchX() : kDefaultDpi);
}

int YHimetricToPixels(long himetric)
{
    const QScreen *primary = screen();
    return toPixels(himetric, primary ? primary->logicalDotsPerInchY() : kDefaultDpi);
}

} // namespace qvrun32
