#pragma once

#include <QColor>
#include <cstdint>

// Colour values of the controls. An OLE colour 0x800000nn names system colour nn, taken from the
// application's palette; any other value is a plain colour 0x00BBGGRR (its high byte ignored).
namespace qv {

using OLE_COLOR = std::uint32_t;
using COLORREF = std::uint32_t; // 0x00BBGGRR

// System colour indices the controls use by name.
enum SystemColor : std::uint32_t {
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_WINDOWTEXT = 8,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
};

constexpr OLE_COLOR systemColor(SystemColor index)
{
    return 0x80000000u | index;
}

// The plain colour `color` stands for now; black for an unknown system colour index.
COLORREF translateColor(OLE_COLOR color);
// The text colour of a disabled control drawn on `fill`: the system's grey text, or mid grey
// when that would not show on the fill.
COLORREF disabledTextColor(COLORREF fill);

QColor toQColor(COLORREF color);
COLORREF fromQColor(const QColor &color);

} // namespace qv
