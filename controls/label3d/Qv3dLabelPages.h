#pragma once

#include "controls/common/Enumerations.h"
#include "controls/common/PageInfo.h"
#include "controls/label3d/CQv3dLabelCtrl.h"
#include "platform/ole/PropertyPage.h"

#include <string_view>

// The 3-D label's property pages: general, bevels and borders, and the lettering.
namespace qv3dlbl {

using Field = qv::PageField;
using Kind = qv::PageField::Kind;
using Ctrl = CQv3dLabelCtrl;

inline constexpr std::string_view kAlignmentTexts[] = {"0 - Left", "1 - Right", "2 - Center"};
inline constexpr std::string_view kVAlignmentTexts[] = {"0 - Top", "1 - Bottom", "2 - Center"};
inline constexpr std::string_view kWallpaperTexts[] = {"0 - StrBlt", "1 - BitBlt", "2 - Replicate"};
inline constexpr std::string_view kBevelStyleInnerTexts[] = {"0 - Lowered", "1 - Raised"};

inline constexpr Field kGeneralFields[] = {
    {Kind::List, "A&lignment:", Ctrl::DISPID_ALIGNMENT, kAlignmentTexts},
    {Kind::List, "&VAlignment:", Ctrl::DISPID_VALIGNMENT, kVAlignmentTexts},
    {Kind::LongText, "&Caption:", Ctrl::DISPID_CAPTION},
    {Kind::List, "&Wallpaper:", Ctrl::DISPID_WALLPAPER, kWallpaperTexts},
    {Kind::Check, "Autosize", Ctrl::DISPID_AUTOSIZE},
    {Kind::Check, "&GlobalMem", Ctrl::DISPID_GLOBALMEM},
    {Kind::Check, "&MultiLine", Ctrl::DISPID_MULTILINE},
    {Kind::Check, "&NoPrefix", Ctrl::DISPID_NOPREFIX},
};
inline constexpr qv::PageInfo kGeneralPage{
    {0x56CF724A, 0x2EA0, 0x429D, {0xAA, 0x21, 0xC2, 0xA6, 0xC2, 0x32, 0xAE, 0x80}},
    "QV3DLBL.Qv3dLabelPropPage.1",
    "General",
    &Ctrl::kClassInfo,
    kGeneralFields,
    true,
};

inline constexpr Field kBevelFields[] = {
    {Kind::List, "B&orderStyle:", Ctrl::DISPID_BORDERSTYLE, qv::kBorderStyleTexts},
    {Kind::List, "Bevel&Style:", Ctrl::DISPID_BEVELSTYLE, qv::kBevelStyleTexts},
    {Kind::List, "BevelStyle&Inner:", Ctrl::DISPID_BEVELSTYLEINNER, kBevelStyleInnerTexts},
    {Kind::Number, "BevelSi&ze:", Ctrl::DISPID_BEVELSIZE},
    {Kind::Number, "Be&velSizeInner:", Ctrl::DISPID_BEVELSIZEINNER},
};
inline constexpr qv::PageInfo kBevelPage{
    {0xE3B3FD55, 0x4660, 0x4042, {0xB3, 0xEE, 0x10, 0x5B, 0xF8, 0x4B, 0x98, 0xC6}},
    "Qv3dlb32.CQv3dLabelPropPage1",
    "Bevels And Borders",
    &Ctrl::kClassInfo,
    kBevelFields,
};

inline constexpr Field kLetteringFields[] = {
    {Kind::List, "&FontStyle:", Ctrl::DISPID_FONTSTYLE, {}, "FontStyleConstants"},
    {Kind::Number, "Font&Escapement:", Ctrl::DISPID_FONTESCAPEMENT},
    {Kind::Number, "Font&Orientation:", Ctrl::DISPID_FONTORIENTATION},
    {Kind::Text, "Format&String:", Ctrl::DISPID_FORMATSTRING},
    {Kind::Check, "Font&Transparent", Ctrl::DISPID_FONTTRANSPARENT},
};
inline constexpr qv::PageInfo kLetteringPage{
    {0xC79A50AE, 0x7ECF, 0x4C03, {0x9F, 0xD3, 0xE6, 0x44, 0x84, 0xBE, 0x18, 0x55}},
    "Qv3dlb32.CQv3dLabelPropPage2",
    "Label",
    &Ctrl::kClassInfo,
    kLetteringFields,
};

inline constexpr ole::Clsid kPropertyPages[] = {
    kGeneralPage.clsid,        kBevelPage.clsid,         kLetteringPage.clsid,
    ole::CLSID_StockColorPage, ole::CLSID_StockFontPage, ole::CLSID_StockPicturePage,
};

} // namespace qv3dlbl
