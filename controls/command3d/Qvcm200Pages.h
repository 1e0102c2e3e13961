#pragma once

#include "controls/command3d/CQvCommandCtrl.h"
#include "controls/command3d/Qvcm200TypeLib.h"
#include "controls/common/Enumerations.h"
#include "controls/common/PageInfo.h"
#include "platform/ole/PropertyPage.h"

// The command button's property pages: general (its lists filled from the type library), and
// bevels and borders.
namespace qvcm200 {

using Field = qv::PageField;
using Kind = qv::PageField::Kind;

inline constexpr Field kGeneralFields[] = {
    {Kind::Text, "&Caption:", ole::DISPID_CAPTION},
    {Kind::List, "Alignmen&t:", DISPID_ALIGNMENT, {}, "AlignConstants"},
    {Kind::List, "&FontStyle:", DISPID_FONTSTYLE, {}, "FontStyleConstants"},
    {Kind::List, "&Wallpaper:", DISPID_WALLPAPER, {}, "WallpaperConstants"},
    {Kind::Check, "AutoSi&ze", DISPID_AUTOSIZE},
    {Kind::Check, "&Multiline", DISPID_MULTILINE},
    {Kind::Check, "&StateButton", DISPID_STATEBUTTON},
    {Kind::Check, "&Value", DISPID_VALUE},
};
inline constexpr qv::PageInfo kGeneralPage{
    {0xCBB92295, 0xD5B5, 0x4AD1, {0xB4, 0x33, 0x01, 0x13, 0x9A, 0x4E, 0x63, 0x3F}},
    "QVCM200.Qvcm200PropPage.1",
    "General",
    &CQvCommandCtrl::kClassInfo,
    kGeneralFields,
    true,
};

inline constexpr Field kBevelFields[] = {
    {Kind::List, "&BorderStyle:", DISPID_BORDERSTYLE, qv::kBorderStyleTexts},
    {Kind::List, "Bevel&Style:", DISPID_BEVELSTYLE, qv::kBevelStyleTexts},
    {Kind::Number, "BevelSi&ze:", DISPID_BEVELSIZE},
};
inline constexpr qv::PageInfo kBevelPage{
    {0x4D928DAB, 0x6009, 0x4272, {0xAC, 0xA8, 0x22, 0x53, 0x3D, 0xCC, 0x62, 0x9B}},
    "QVCM200.CQvcm200PropPage2",
    "Bevels and Borders",
    &CQvCommandCtrl::kClassInfo,
    kBevelFields,
};

inline constexpr ole::Clsid kPropertyPages[] = {
    kGeneralPage.clsid,          kBevelPage.clsid,
    ole::CLSID_StockColorPage,   ole::CLSID_StockFontPage,
    ole::CLSID_StockPicturePage,
};

} // namespace qvcm200
