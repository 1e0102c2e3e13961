#include "platform/ole/Himetric.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ole {

std::int32_t PixelsToHimetric(long long pixels, double dotsPerInch)
{
    if (!(dotsPerInch > 0))
        return 0;
    constexpr double kHimetricPerInch = 2540.0;
    const double himetric =
        std::round(static_cast<double>(pixels) * kHimetricPerInch / dotsPerInch);
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(himetric, kLowest, kHighest));
}

} // namespace ole
