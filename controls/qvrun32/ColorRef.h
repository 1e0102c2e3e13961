#pragma once

#include <QColor>
#include <cstdint>

namespace qvrun32 {

// A plain RGB colour 0x00BBGGRR.
using COLORREF = std::uint32_t;

inline QColor toQColor(COLORREF colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

} // namespace qvrun32
