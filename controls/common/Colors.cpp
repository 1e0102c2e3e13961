#include "controls/common/Colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>
#include <optional>

namespace qv {

namespace {

constexpr OLE_COLOR kSystemColorFlag = 0x80000000u;
constexpr COLORREF kMidGrey = 0x808080;

struct PaletteEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The system colour table, index by index, in palette terms.
constexpr std::array<std::optional<PaletteEntry>, 31> kSystemColors = {{
    PaletteEntry{QPalette::Active, QPalette::Button},          // 0 scroll bar
    PaletteEntry{QPalette::Active, QPalette::Dark},            // 1 desktop
    PaletteEntry{QPalette::Active, QPalette::Highlight},       // 2 active caption
    PaletteEntry{QPalette::Inactive, QPalette::Mid},           // 3 inactive caption
    PaletteEntry{QPalette::Active, QPalette::Window},          // 4 menu
    PaletteEntry{QPalette::Active, QPalette::Base},            // 5 window background
    PaletteEntry{QPalette::Active, QPalette::Shadow},          // 6 window frame
    PaletteEntry{QPalette::Active, QPalette::WindowText},      // 7 menu text
    PaletteEntry{QPalette::Active, QPalette::Text},            // 8 window text
    PaletteEntry{QPalette::Active, QPalette::HighlightedText}, // 9 caption text
    PaletteEntry{QPalette::Active, QPalette::Window},          // 10 active border
    PaletteEntry{QPalette::Inactive, QPalette::Window},        // 11 inactive border
    PaletteEntry{QPalette::Active, QPalette::Mid},             // 12 application workspace
    PaletteEntry{QPalette::Active, QPalette::Highlight},       // 13 highlight
    PaletteEntry{QPalette::Active, QPalette::HighlightedText}, // 14 highlighted text
    PaletteEntry{QPalette::Active, QPalette::Button},          // 15 button face
    PaletteEntry{QPalette::Active, QPalette::Dark},            // 16 button shadow
    PaletteEntry{QPalette::Disabled, QPalette::Text},          // 17 grey text
    PaletteEntry{QPalette::Active, QPalette::ButtonText},      // 18 button text
    PaletteEntry{QPalette::Disabled, QPalette::WindowText},    // 19 inactive caption text
    PaletteEntry{QPalette::Active, QPalette::Light},           // 20 button highlight
    PaletteEntry{QPalette::Active, QPalette::Shadow},          // 21 3-D dark shadow
    PaletteEntry{QPalette::Active, QPalette::Midlight},        // 22 3-D light
    PaletteEntry{QPalette::Active, QPalette::ToolTipText},     // 23 tool-tip text
    PaletteEntry{QPalette::Active, QPalette::ToolTipBase},     // 24 tool-tip background
    std::nullopt,                                              // 25 unused
    PaletteEntry{QPalette::Active, QPalette::Link},            // 26 hot-tracked item
    PaletteEntry{QPalette::Active, QPalette::Highlight},       // 27 active caption gradient
    PaletteEntry{QPalette::Inactive, QPalette::Mid},           // 28 inactive caption gradient
    PaletteEntry{QPalette::Active, QPalette::Highlight},       // 29 menu highlight
    PaletteEntry{QPalette::Active, QPalette::Window},          // 30 menu bar
}};

} // namespace

COLORREF translateColor(OLE_COLOR color)
{
    if ((color & 0xFF000000u) != kSystemColorFlag)
        return color & 0x00FFFFFFu;
    const std::uint32_t index = color & 0x00FFFFFFu;
    if (index >= kSystemColors.size() || !kSystemColors[index])
        return 0;
    const auto [group, role] = *kSystemColors[index];
    return fromQColor(QGuiApplication::palette().color(group, role));
}

COLORREF disabledTextColor(COLORREF fill)
{
    const COLORREF grey = translateColor(systemColor(COLOR_GRAYTEXT));
    return grey == fill ? kMidGrey : grey;
}

QColor toQColor(COLORREF color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

COLORREF fromQColor(const QColor &color)
{
    return static_cast<COLORREF>(color.red()) | static_cast<COLORREF>(color.green()) << 8 |
           static_cast<COLORREF>(color.blue()) << 16;
}

} // namespace qv
