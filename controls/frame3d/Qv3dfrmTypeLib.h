#pragma once

#include "controls/common/Enumerations.h"
#include "controls/common/TypeInfo.h"
#include "controls/frame3d/CQv3dfrmCtrl.h"

// The 3-D frame's type library: its dispatch interface, events and enumerations.
namespace qv3dfrm {

inline constexpr qv::EnumValue kBooleanValues[] = {
    {0, "qvBoolFalse", "0 - False"},
    {1, "qvBoolTrue", "1 - True"},
};

inline constexpr qv::EnumInfo kFrameEnumerations[] = {
    qv::kMousePointerConstants,
    qv::kAlignmentConstants,
    qv::kWallpaperConstants,
    qv::kBevelStyleConstants,
    qv::kBorderStyleConstants,
    qv::kFontStyleConstants,
    {"BooleanConstants", kBooleanValues},
};

inline constexpr qv::MemberInfo kFrameMembers[] = {
    {"MousePointer", CQv3dfrmCtrl::DISPID_MOUSEPOINTER, qv::ValueType::Enumeration, 0,
     "MousePointerConstants"},
    {"FontBold", CQv3dfrmCtrl::DISPID_FONTBOLD, qv::ValueType::Bool},
    {"FontItalic", CQv3dfrmCtrl::DISPID_FONTITALIC, qv::ValueType::Bool},
    {"FontName", CQv3dfrmCtrl::DISPID_FONTNAME, qv::ValueType::String},
    {"FontSize", CQv3dfrmCtrl::DISPID_FONTSIZE, qv::ValueType::Single},
    {"FontStrikethru", CQv3dfrmCtrl::DISPID_FONTSTRIKETHRU, qv::ValueType::Bool},
    {"FontUnderline", CQv3dfrmCtrl::DISPID_FONTUNDERLINE, qv::ValueType::Bool},
    {"Alignment", CQv3dfrmCtrl::DISPID_ALIGNMENT, qv::ValueType::Enumeration, 0,
     "AlignmentConstants"},
    {"AutoSize", CQv3dfrmCtrl::DISPID_AUTOSIZE, qv::ValueType::Bool},
    {"BevelSize", CQv3dfrmCtrl::DISPID_BEVELSIZE, qv::ValueType::Short},
    {"BevelStyle", CQv3dfrmCtrl::DISPID_BEVELSTYLE, qv::ValueType::Enumeration, 0,
     "BevelStyleConstants"},
    {"BorderColor", CQv3dfrmCtrl::DISPID_BORDERCOLOR, qv::ValueType::Color},
    {"BorderStyle", CQv3dfrmCtrl::DISPID_BORDERSTYLE, qv::ValueType::Enumeration, 0,
     "BorderStyleConstants"},
    {"FillColor", CQv3dfrmCtrl::DISPID_FILLCOLOR, qv::ValueType::Color},
    {"FontStyle", CQv3dfrmCtrl::DISPID_FONTSTYLE, qv::ValueType::Enumeration, 0,
     "FontStyleConstants"},
    {"FontTransparent", CQv3dfrmCtrl::DISPID_FONTTRANSPARENT, qv::ValueType::Bool},
    {"LightColor", CQv3dfrmCtrl::DISPID_LIGHTCOLOR, qv::ValueType::Color},
    {"ShadowColor", CQv3dfrmCtrl::DISPID_SHADOWCOLOR, qv::ValueType::Color},
    {"TextColor", CQv3dfrmCtrl::DISPID_TEXTCOLOR, qv::ValueType::Color},
    {"WallPaper", CQv3dfrmCtrl::DISPID_WALLPAPER, qv::ValueType::Enumeration, 0,
     "WallpaperConstants"},
    {"Picture", CQv3dfrmCtrl::DISPID_PICTURE, qv::ValueType::Picture},
    {"NoPrefix", CQv3dfrmCtrl::DISPID_NOPREFIX, qv::ValueType::Bool},
    {"MouseIcon", CQv3dfrmCtrl::DISPID_MOUSEICON, qv::ValueType::Picture},
    {"FormatString", CQv3dfrmCtrl::DISPID_FORMATSTRING, qv::ValueType::String},
    {"Caption", CQv3dfrmCtrl::DISPID_CAPTION, qv::ValueType::String,
     qv::Bindable | qv::RequestEdit | qv::DisplayBind},
    qv::stock::kBackColor,
    qv::stock::kForeColor,
    qv::stock::kFont,
    qv::stock::kEnabled,
    qv::stock::kHWnd,
    qv::stock::kRefresh,
    qv::stock::kAboutBox,
};

inline constexpr qv::MemberInfo kFrameEvents[] = {
    qv::stock::kClick,     qv::stock::kDblClick, qv::stock::kMouseDown,
    qv::stock::kMouseMove, qv::stock::kMouseUp,
};

inline constexpr qv::TypeLibInfo kFrameTypeLib{
    CQv3dfrmCtrl::kTypeLibId,
    "Qv3dfrmLib",
    "_DQv3dfrm",
    "_DQv3dfrmEvents",
    "Qv3dFrame",
    kFrameMembers,
    kFrameEvents,
    kFrameEnumerations,
};

} // namespace qv3dfrm
