#pragma once

#include <cstdint>

namespace ole {

// Pixels at `dotsPerInch` as HIMETRIC (1/100 mm), rounded to the nearest and kept within the
// 4-byte fields persisted extents use; 0 for a device without a resolution.
std::int32_t PixelsToHimetric(long long pixels, double dotsPerInch);

} // namespace ole
