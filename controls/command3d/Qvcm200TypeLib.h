#pragma once

#include "controls/common/Enumerations.h"
#include "controls/common/TypeInfo.h"

// The type library of the 3-D command button: its dispatch interface with every property and
// method, its events and its enumerations.
namespace qvcm200 {

// The button's own members.
enum DispIds : ole::DispId {
    DISPID_MOUSEPOINTER = 1,
    DISPID_FONTNAME = 2,
    DISPID_FONTSIZE = 3,
    DISPID_FONTBOLD = 4,
    DISPID_FONTITALIC = 5,
    DISPID_FONTSTRIKETHRU = 6,
    DISPID_FONTUNDERLINE = 7,
    DISPID_PICTUREUP = 8,
    DISPID_PICTUREDOWN = 9,
    DISPID_AUTOSIZE = 10,
    DISPID_ALIGNMENT = 11,
    DISPID_MULTILINE = 12,
    DISPID_STATEBUTTON = 13,
    DISPID_VALUE = 14,
    DISPID_FONTSTYLE = 15,
    DISPID_BEVELSIZE = 16,
    DISPID_BORDERCOLOR = 17,
    DISPID_BORDERSTYLE = 18,
    DISPID_FILLCOLOR = 19,
    DISPID_LIGHTCOLOR = 20,
    DISPID_SHADOWCOLOR = 21,
    DISPID_TEXTCOLOR = 22,
    DISPID_WALLPAPER = 23,
    DISPID_BEVELSTYLE = 24,
    DISPID_FONTTRANSPARENT = 25,
    DISPID_MOUSEICON = 26,
};

inline constexpr ole::Clsid kTypeLibId{
    0x5AB65A9C, 0xAE25, 0x49E8, {0xB2, 0xC5, 0x4B, 0x09, 0xCD, 0x81, 0x1F, 0x34}};

inline constexpr qv::MemberInfo kMembers[] = {
    {"MousePointer", DISPID_MOUSEPOINTER, qv::ValueType::Enumeration, 0, "MousePointerConstants"},
    {"FontName", DISPID_FONTNAME, qv::ValueType::String},
    {"FontSize", DISPID_FONTSIZE, qv::ValueType::Single},
    {"FontBold", DISPID_FONTBOLD, qv::ValueType::Bool},
    {"FontItalic", DISPID_FONTITALIC, qv::ValueType::Bool},
    {"FontStrikethru", DISPID_FONTSTRIKETHRU, qv::ValueType::Bool},
    {"FontUnderline", DISPID_FONTUNDERLINE, qv::ValueType::Bool},
    {"PictureUp", DISPID_PICTUREUP, qv::ValueType::Picture},
    {"PictureDown", DISPID_PICTUREDOWN, qv::ValueType::Picture},
    {"Autosize", DISPID_AUTOSIZE, qv::ValueType::Bool},
    {"Alignment", DISPID_ALIGNMENT, qv::ValueType::Enumeration, 0, "AlignConstants"},
    {"MultiLine", DISPID_MULTILINE, qv::ValueType::Bool},
    {"StateButton", DISPID_STATEBUTTON, qv::ValueType::Bool},
    {"Value", DISPID_VALUE, qv::ValueType::Bool},
    {"FontStyle", DISPID_FONTSTYLE, qv::ValueType::Enumeration, 0, "FontStyleConstants"},
    {"BevelSize", DISPID_BEVELSIZE, qv::ValueType::Short},
    {"BorderColor", DISPID_BORDERCOLOR, qv::ValueType::Color},
    {"BorderStyle", DISPID_BORDERSTYLE, qv::ValueType::Enumeration, 0, "BorderStyleConstants"},
    {"FillColor", DISPID_FILLCOLOR, qv::ValueType::Color},
    {"LightColor", DISPID_LIGHTCOLOR, qv::ValueType::Color},
    {"ShadowColor", DISPID_SHADOWCOLOR, qv::ValueType::Color},
    {"TextColor", DISPID_TEXTCOLOR, qv::ValueType::Color},
    {"WallPaper", DISPID_WALLPAPER, qv::ValueType::Enumeration, 0, "WallpaperConstants"},
    {"BevelStyle", DISPID_BEVELSTYLE, qv::ValueType::Enumeration, 0, "BevelStyleConstants"},
    {"FontTransparent", DISPID_FONTTRANSPARENT, qv::ValueType::Bool},
    {"MouseIcon", DISPID_MOUSEICON, qv::ValueType::Picture},
    // Value is the button's default value as well.
    {"_Value", ole::DISPID_VALUE, qv::ValueType::Bool},
    qv::stock::kCaption,
    qv::stock::kBackColor,
    qv::stock::kForeColor,
    qv::stock::kFont,
    qv::stock::kEnabled,
    qv::stock::kHWnd,
    qv::stock::kRefresh,
    qv::stock::kAboutBox,
};

inline constexpr qv::MemberInfo kEvents[] = {
    qv::stock::kClick,     qv::stock::kKeyDown,   qv::stock::kKeyPress, qv::stock::kKeyUp,
    qv::stock::kMouseDown, qv::stock::kMouseMove, qv::stock::kMouseUp,
};

// Hidden from object browsers: the property pages show them by their descriptions.
inline constexpr qv::EnumValue kAlignValues[] = {
    {0, "_AlignToLeft", "Align to left"},
    {1, "_AlignToRight", "Align to right"},
    {2, "_AlignToCenter", "Align to center"},
};
inline constexpr qv::EnumValue kWallpaperValues[] = {
    {0, "_StretchBlt", "Stretch"},
    {1, "_BitBlt", "Natural size"},
    {2, "_Replicate", "Replicate"},
};

inline constexpr qv::EnumInfo kEnumerations[] = {
    qv::kMousePointerConstants,
    {"AlignConstants", kAlignValues},
    {"WallpaperConstants", kWallpaperValues},
    qv::kBorderStyleConstants,
    qv::kBevelStyleConstants,
    qv::kFontStyleConstants,
};

inline constexpr qv::TypeLibInfo kTypeLib{
    kTypeLibId,  "Qvcm200Lib", "_DQvcm200", "_DQvcm200Events",
    "QvCommand", kMembers,     kEvents,     kEnumerations,
};

} // namespace qvcm200
