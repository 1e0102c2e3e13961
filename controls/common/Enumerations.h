#pragma once

#include "controls/common/TypeInfo.h"

#include <string_view>

// Enumerations that several display controls declare alike, with the descriptions their
// property pages show. The font styles' descriptions are plain names: the pages that list them
// put the value in front.
namespace qv {

inline constexpr EnumValue kAlignmentValues[] = {
    {0, "qvAlignmentLeft", "0 - Left"},
    {1, "qvAlignmentRight", "1 - Right"},
    {2, "qvAlignmentCenter", "2 - Center"},
};
inline constexpr EnumInfo kAlignmentConstants{"AlignmentConstants", kAlignmentValues};

inline constexpr EnumValue kWallpaperValues[] = {
    {0, "qvWallPaperStrBlt", "0 - StrBlt"},
    {1, "qvWallPaperBitblt", "1 - BitBlt"},
    {2, "qvWallPaperReplicate", "2 - Replicate"},
};
inline constexpr EnumInfo kWallpaperConstants{"WallpaperConstants", kWallpaperValues};

inline constexpr EnumValue kBevelStyleValues[] = {
    {0, "qvBevelStyleLowered", "0 - Lowered"},
    {1, "qvBevelStyleRaised", "Raised"},
    {2, "qvBevelStyleChisled", "2 - Chiseled"},
    {3, "qvBevelStyleShadowedRight", "3 - Shadowed right"},
    {4, "qvBevelStyleShadowedLeft", "4 - Shadowed left"},
};
inline constexpr EnumInfo kBevelStyleConstants{"BevelStyleConstants", kBevelStyleValues};

inline constexpr EnumValue kBorderStyleValues[] = {
    {0, "qvBorderStyleNone", "0 - No border"},
    {1, "qvBorderSingleLine", "1 - Single line"},
    {2, "qvBorderRoundedCorners", "2 - Single line with rounded corners"},
};
inline constexpr EnumInfo kBorderStyleConstants{"BorderStyleConstants", kBorderStyleValues};

inline constexpr EnumValue kFontStyleValues[] = {
    {0, "qvFontStyleNone", "None"},
    {1, "qvFontStyleRaised", "Raised"},
    {2, "qvFontStyleRaisedShading", "Raised with more shading"},
    {3, "qvFontStyleLowered", "Lowered"},
    {4, "qvFontStyleLoweredShading", "Lowered with more shading"},
};
inline constexpr EnumInfo kFontStyleConstants{"FontStyleConstants", kFontStyleValues};

// Lists of the property pages that several controls show alike.
inline constexpr std::string_view kBorderStyleTexts[] = {"0 - No border", "1 - Single line",
                                                         "2 - Single line with rounded corners"};
inline constexpr std::string_view kBevelStyleTexts[] = {"0 - Lowered", "1 - Raised",
                                                        "2 - Chiseled"};

} // namespace qv
