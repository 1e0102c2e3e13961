#pragma once

#include "controls/common/Enumerations.h"
#include "controls/common/TypeInfo.h"
#include "controls/label3d/CQv3dLabelCtrl.h"

// The 3-D label's type library: its dispatch interface, events and enumerations.
namespace qv3dlbl {

inline constexpr qv::EnumValue kVAlignmentValues[] = {
    {0, "qvVAlignTop", "0 - Top"},
    {1, "qvVAlignBottom", "1 - Bottom"},
    {2, "qvVAlignCenter", "2 - Center"},
};

inline constexpr qv::EnumValue kBevelStyleInnerValues[] = {
    {0, "qvBevelStyleInnerLowered", "0 - Lowered"},
    {1, "qvBevelStyleInnerRaised", "1 - Raised"},
    {2, "qvBevelStyleInnerChisled", "2 - Chiseled"},
};

inline constexpr qv::EnumInfo kLabelEnumerations[] = {
    qv::kMousePointerConstants,
    qv::kAlignmentConstants,
    {"VAlignmentConstants", kVAlignmentValues},
    qv::kWallpaperConstants,
    qv::kBevelStyleConstants,
    {"BevelStyleInnerConstants", kBevelStyleInnerValues},
    qv::kBorderStyleConstants,
    qv::kFontStyleConstants,
};

inline constexpr qv::MemberInfo kLabelMembers[] = {
    {"MousePointer", CQv3dLabelCtrl::DISPID_MOUSEPOINTER, qv::ValueType::Enumeration, 0,
     "MousePointerConstants"},
    {"Caption", CQv3dLabelCtrl::DISPID_CAPTION, qv::ValueType::String,
     qv::Bindable | qv::RequestEdit | qv::DisplayBind | qv::DefaultBind},
    {"FontBold", CQv3dLabelCtrl::DISPID_FONTBOLD, qv::ValueType::Bool},
    {"FontItalic", CQv3dLabelCtrl::DISPID_FONTITALIC, qv::ValueType::Bool},
    {"FontName", CQv3dLabelCtrl::DISPID_FONTNAME, qv::ValueType::String},
    {"FontSize", CQv3dLabelCtrl::DISPID_FONTSIZE, qv::ValueType::Single},
    {"FontStrikethru", CQv3dLabelCtrl::DISPID_FONTSTRIKETHRU, qv::ValueType::Bool},
    {"FontUnderline", CQv3dLabelCtrl::DISPID_FONTUNDERLINE, qv::ValueType::Bool},
    {"Alignment", CQv3dLabelCtrl::DISPID_ALIGNMENT, qv::ValueType::Enumeration, 0,
     "AlignmentConstants"},
    {"AutoSize", CQv3dLabelCtrl::DISPID_AUTOSIZE, qv::ValueType::Bool},
    {"BevelSize", CQv3dLabelCtrl::DISPID_BEVELSIZE, qv::ValueType::Short},
    {"BevelStyle", CQv3dLabelCtrl::DISPID_BEVELSTYLE, qv::ValueType::Enumeration, 0,
     "BevelStyleConstants"},
    {"BorderColor", CQv3dLabelCtrl::DISPID_BORDERCOLOR, qv::ValueType::Color},
    {"BorderStyle", CQv3dLabelCtrl::DISPID_BORDERSTYLE, qv::ValueType::Enumeration, 0,
     "BorderStyleConstants"},
    {"FillColor", CQv3dLabelCtrl::DISPID_FILLCOLOR, qv::ValueType::Color},
    {"FontStyle", CQv3dLabelCtrl::DISPID_FONTSTYLE, qv::ValueType::Enumeration, 0,
     "FontStyleConstants"},
    {"FontTransparent", CQv3dLabelCtrl::DISPID_FONTTRANSPARENT, qv::ValueType::Bool},
    {"LightColor", CQv3dLabelCtrl::DISPID_LIGHTCOLOR, qv::ValueType::Color},
    {"ShadowColor", CQv3dLabelCtrl::DISPID_SHADOWCOLOR, qv::ValueType::Color},
    {"TextColor", CQv3dLabelCtrl::DISPID_TEXTCOLOR, qv::ValueType::Color},
    {"WallPaper", CQv3dLabelCtrl::DISPID_WALLPAPER, qv::ValueType::Enumeration, 0,
     "WallpaperConstants"},
    {"Picture", CQv3dLabelCtrl::DISPID_PICTURE, qv::ValueType::Picture},
    {"BevelStyleInside", CQv3dLabelCtrl::DISPID_BEVELSTYLEINSIDE, qv::ValueType::Enumeration,
     qv::Hidden, "BevelStyleInnerConstants"},
    {"BevelSizeInside", CQv3dLabelCtrl::DISPID_BEVELSIZEINSIDE, qv::ValueType::Short, qv::Hidden},
    {"Multiline", CQv3dLabelCtrl::DISPID_MULTILINE, qv::ValueType::Bool},
    {"FontEscapement", CQv3dLabelCtrl::DISPID_FONTESCAPEMENT, qv::ValueType::Short},
    {"FontOrientation", CQv3dLabelCtrl::DISPID_FONTORIENTATION, qv::ValueType::Short},
    {"VAlignment", CQv3dLabelCtrl::DISPID_VALIGNMENT, qv::ValueType::Enumeration, 0,
     "VAlignmentConstants"},
    {"NoPrefix", CQv3dLabelCtrl::DISPID_NOPREFIX, qv::ValueType::Bool},
    {"GlobalMem", CQv3dLabelCtrl::DISPID_GLOBALMEM, qv::ValueType::Bool},
    {"MouseIcon", CQv3dLabelCtrl::DISPID_MOUSEICON, qv::ValueType::Picture},
    {"FormatString", CQv3dLabelCtrl::DISPID_FORMATSTRING, qv::ValueType::String},
    {"BevelSizeInner", CQv3dLabelCtrl::DISPID_BEVELSIZEINNER, qv::ValueType::Short},
    {"BevelStyleInner", CQv3dLabelCtrl::DISPID_BEVELSTYLEINNER, qv::ValueType::Enumeration, 0,
     "BevelStyleInnerConstants"},
    qv::stock::kBackColor,
    qv::stock::kForeColor,
    qv::stock::kFont,
    qv::stock::kEnabled,
    qv::stock::kHWnd,
    qv::stock::kRefresh,
    qv::stock::kAboutBox,
};

inline constexpr qv::MemberInfo kLabelEvents[] = {
    qv::stock::kClick,     qv::stock::kDblClick, qv::stock::kMouseDown,
    qv::stock::kMouseMove, qv::stock::kMouseUp,
};

inline constexpr qv::TypeLibInfo kLabelTypeLib{
    CQv3dLabelCtrl::kTypeLibId,
    "Qv3dlblLib",
    "_DQv3dLabel",
    "_DQv3dLabelEvents",
    "Qv3dLabel",
    kLabelMembers,
    kLabelEvents,
    kLabelEnumerations,
};

} // namespace qv3dlbl
