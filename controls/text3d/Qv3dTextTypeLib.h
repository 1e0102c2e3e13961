#pragma once

#include "controls/common/Enumerations.h"
#include "controls/common/TypeInfo.h"
#include "controls/text3d/CQv3dTextCtrl.h"

// The 3-D text box's type library: its dispatch interface, events and enumerations.
namespace qvgtxt {

// The box's own enumerations have plain descriptions: its property page puts the value in front.
inline constexpr qv::EnumValue kAlignmentValues[] = {
    {0, "qvAlignmentLeft", "Left"},
    {1, "qvAlignmentRight", "Right"},
    {2, "qvAlignmentCenter", "Center"},
};

inline constexpr qv::EnumValue kBevelStyleInnerValues[] = {
    {0, "qvBevelStyleInnerLowered", "Lowered"},
    {1, "qvBevelStyleInnerRaised", "Raised"},
};

inline constexpr qv::EnumValue kScrollBarsValues[] = {
    {0, "qvScrollBarsNone", "None"},
    {1, "qvScrollBarsVert", "Vertical"},
    {2, "qvScrollBarsHoriz", "Horizontal"},
    {3, "qvScrollBarsboth", "Both"},
};

inline constexpr qv::EnumInfo kTextEnumerations[] = {
    qv::kMousePointerConstants,
    {"AlignmentConstants", kAlignmentValues},
    {"BevelStyleInnerConstants", kBevelStyleInnerValues},
    qv::kBorderStyleConstants,
    {"ScrollBarsConstants", kScrollBarsValues},
};

inline constexpr qv::MemberInfo kTextMembers[] = {
    {"MousePointer", CQv3dTextCtrl::DISPID_MOUSEPOINTER, qv::ValueType::Enumeration, 0,
     "MousePointerConstants"},
    {"FontBold", CQv3dTextCtrl::DISPID_FONTBOLD, qv::ValueType::Bool},
    {"FontItalic", CQv3dTextCtrl::DISPID_FONTITALIC, qv::ValueType::Bool},
    {"FontName", CQv3dTextCtrl::DISPID_FONTNAME, qv::ValueType::String},
    {"FontSize", CQv3dTextCtrl::DISPID_FONTSIZE, qv::ValueType::Single},
    {"FontStrikethru", CQv3dTextCtrl::DISPID_FONTSTRIKETHRU, qv::ValueType::Bool},
    {"FontUnderline", CQv3dTextCtrl::DISPID_FONTUNDERLINE, qv::ValueType::Bool},
    {"Alignment", CQv3dTextCtrl::DISPID_ALIGNMENT, qv::ValueType::Enumeration, 0,
     "AlignmentConstants"},
    {"BevelSize", CQv3dTextCtrl::DISPID_BEVELSIZE, qv::ValueType::Short},
    {"BevelStyle", CQv3dTextCtrl::DISPID_BEVELSTYLE, qv::ValueType::Enumeration, 0,
     "BevelStyleInnerConstants"},
    {"BorderColor", CQv3dTextCtrl::DISPID_BORDERCOLOR, qv::ValueType::Color},
    {"BorderStyle", CQv3dTextCtrl::DISPID_BORDERSTYLE, qv::ValueType::Enumeration, 0,
     "BorderStyleConstants"},
    {"FillColor", CQv3dTextCtrl::DISPID_FILLCOLOR, qv::ValueType::Color},
    {"LightColor", CQv3dTextCtrl::DISPID_LIGHTCOLOR, qv::ValueType::Color},
    {"ShadowColor", CQv3dTextCtrl::DISPID_SHADOWCOLOR, qv::ValueType::Color},
    {"TextColor", CQv3dTextCtrl::DISPID_TEXTCOLOR, qv::ValueType::Color},
    {"Multiline", CQv3dTextCtrl::DISPID_MULTILINE, qv::ValueType::Bool},
    {"ScrollBars", CQv3dTextCtrl::DISPID_SCROLLBARS, qv::ValueType::Enumeration, 0,
     "ScrollBarsConstants"},
    {"SelLength", CQv3dTextCtrl::DISPID_SELLENGTH, qv::ValueType::Long},
    {"SelStart", CQv3dTextCtrl::DISPID_SELSTART, qv::ValueType::Long},
    {"SelText", CQv3dTextCtrl::DISPID_SELTEXT, qv::ValueType::String},
    {"TextLength", CQv3dTextCtrl::DISPID_TEXTLENGTH, qv::ValueType::Long},
    {"DataLength", CQv3dTextCtrl::DISPID_DATALENGTH, qv::ValueType::Bool},
    {"ReadOnly", CQv3dTextCtrl::DISPID_READONLY, qv::ValueType::Bool},
    {"MouseIcon", CQv3dTextCtrl::DISPID_MOUSEICON, qv::ValueType::Picture},
    qv::stock::kText,
    // Text is the box's default value as well.
    {"_Text", ole::DISPID_VALUE, qv::ValueType::String},
    qv::stock::kBackColor,
    qv::stock::kForeColor,
    qv::stock::kFont,
    qv::stock::kEnabled,
    qv::stock::kHWnd,
    qv::stock::kRefresh,
    qv::stock::kAboutBox,
};

inline constexpr qv::MemberInfo kTextEvents[] = {
    {"Change", CQv3dTextCtrl::DISPID_CHANGE, qv::ValueType::Void, qv::Method},
    {"KeyPress", CQv3dTextCtrl::DISPID_KEYPRESS, qv::ValueType::Void, qv::Method},
    qv::stock::kKeyDown,
    qv::stock::kKeyUp,
    qv::stock::kClick,
    qv::stock::kDblClick,
    qv::stock::kMouseDown,
    qv::stock::kMouseMove,
    qv::stock::kMouseUp,
};

inline constexpr qv::TypeLibInfo kTextTypeLib{
    CQv3dTextCtrl::kTypeLibId,
    "QvgtxtLib",
    "_DQv3dText",
    "_DQv3dTextEvents",
    "Qv3dText",
    kTextMembers,
    kTextEvents,
    kTextEnumerations,
};

} // namespace qvgtxt
