#pragma once

#include "controls/common/PageInfo.h"
#include "controls/frame3d/CQv3dfrmCtrl.h"
#include "platform/ole/PropertyPage.h"

#include <string_view>

// The 3-D frame's property page.
namespace qv3dfrm {

using Field = qv::PageField;
using Kind = qv::PageField::Kind;
using Ctrl = CQv3dfrmCtrl;

inline constexpr std::string_view kBevelStyleTexts[] = {"0-Lowered", "1-Raised", "2-Chiseled",
                                                        "3-Shadow Right", "4-Shadow Left"};
inline constexpr std::string_view kBorderStyleTexts[] = {"0-No Border", "1-Single Line",
                                                         "2-Rounded Corners"};
inline constexpr std::string_view kWallpaperTexts[] = {"0-Stretch Blt", "1-Bit Blt", "2-Replicate"};
inline constexpr std::string_view kAlignmentTexts[] = {"0-Left", "1-Right", "2-Center"};

inline constexpr Field kGeneralFields[] = {
    {Kind::Number, "BevelSi&ze:", Ctrl::DISPID_BEVELSIZE},
    {Kind::List, "Be&velStyle:", Ctrl::DISPID_BEVELSTYLE, kBevelStyleTexts},
    {Kind::List, "Bo&rderStyle:", Ctrl::DISPID_BORDERSTYLE, kBorderStyleTexts},
    {Kind::List, "&FontStyle:", Ctrl::DISPID_FONTSTYLE, {}, "FontStyleConstants"},
    {Kind::List, "&Wallpaper:", Ctrl::DISPID_WALLPAPER, kWallpaperTexts},
    {Kind::List, "&Alignment:", Ctrl::DISPID_ALIGNMENT, kAlignmentTexts},
    {Kind::Text, "F&ormatString:", Ctrl::DISPID_FORMATSTRING},
    {Kind::Text, "&Caption:", Ctrl::DISPID_CAPTION},
    {Kind::Check, "A&utoSize", Ctrl::DISPID_AUTOSIZE},
    {Kind::Check, "&NoPrefix", Ctrl::DISPID_NOPREFIX},
    {Kind::Check, "Font&Transparent", Ctrl::DISPID_FONTTRANSPARENT},
};
inline constexpr qv::PageInfo kGeneralPage{
    {0xC269E8B0, 0x8D65, 0x4733, {0xAA, 0xAF, 0xFA, 0xD5, 0xEB, 0xF1, 0x32, 0x45}},
    "QV3DFRM.Qv3dfrmPropPage.1",
    "General",
    &Ctrl::kClassInfo,
    kGeneralFields,
    true,
};

inline constexpr ole::Clsid kPropertyPages[] = {
    kGeneralPage.clsid,
    ole::CLSID_StockColorPage,
    ole::CLSID_StockFontPage,
    ole::CLSID_StockPicturePage,
};

} // namespace qv3dfrm
