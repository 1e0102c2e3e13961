#pragma once

#include "controls/common/Enumerations.h"
#include "controls/common/TypeInfo.h"

// The marquee's type library: its dispatch interface with every property and method, its
// events and its enumerations.
namespace qvmq200 {

// The marquee's own members.
enum DispIds : ole::DispId {
    DISPID_MOUSEPOINTER = 1,
    DISPID_FONTSIZE = 2,
    DISPID_FONTBOLD = 3,
    DISPID_FONTITALIC = 4,
    DISPID_FONTSTRIKETHRU = 5,
    DISPID_FONTUNDERLINE = 6,
    DISPID_AUTOSIZE = 7,
    DISPID_FONTTRANSPARENT = 8,
    DISPID_PICTURETOP = 9,
    DISPID_PICTURELEFT = 10,
    DISPID_PICTURERIGHT = 11,
    DISPID_PICTUREBOTTOM = 12,
    DISPID_CAPTIONTOP = 13,
    DISPID_CAPTIONLEFT = 14,
    DISPID_CAPTIONRIGHT = 15,
    DISPID_CAPTIONBOTTOM = 16,
    DISPID_BORDERCOLOR = 17,
    DISPID_LIGHTCOLOR = 18,
    DISPID_OUTERFILLCOLOR = 19,
    DISPID_SHADOWCOLOR = 20,
    DISPID_STYLE = 21,
    DISPID_TEXTCOLOR = 22,
    DISPID_TEXTFILLCOLOR = 23,
    DISPID_INTERVAL = 24,
    DISPID_PICTURE1 = 25,
    DISPID_PICTURE2 = 26,
    DISPID_PICTURE3 = 27,
    DISPID_FONTSTYLE = 28,
    DISPID_DIRECTION = 29,
    DISPID_MOUSEICON = 30,
    DISPID_FONTNAME = 31,
};

inline constexpr ole::Clsid kTypeLibId{
    0x24994692, 0xBA80, 0x44E4, {0x80, 0x91, 0xD1, 0xAC, 0xFB, 0x29, 0x8F, 0x5B}};

inline constexpr qv::MemberInfo kMembers[] = {
    {"MousePointer", DISPID_MOUSEPOINTER, qv::ValueType::Enumeration, 0, "MousePointerConstants"},
    {"FontSize", DISPID_FONTSIZE, qv::ValueType::Single},
    {"FontBold", DISPID_FONTBOLD, qv::ValueType::Bool},
    {"FontItalic", DISPID_FONTITALIC, qv::ValueType::Bool},
    {"FontStrikethru", DISPID_FONTSTRIKETHRU, qv::ValueType::Bool},
    {"FontUnderline", DISPID_FONTUNDERLINE, qv::ValueType::Bool},
    {"Autosize", DISPID_AUTOSIZE, qv::ValueType::Bool},
    {"FontTransparent", DISPID_FONTTRANSPARENT, qv::ValueType::Bool},
    {"PictureTop", DISPID_PICTURETOP, qv::ValueType::Short},
    {"PictureLeft", DISPID_PICTURELEFT, qv::ValueType::Short},
    {"PictureRight", DISPID_PICTURERIGHT, qv::ValueType::Short},
    {"PictureBottom", DISPID_PICTUREBOTTOM, qv::ValueType::Short},
    {"CaptionTop", DISPID_CAPTIONTOP, qv::ValueType::Short},
    {"CaptionLeft", DISPID_CAPTIONLEFT, qv::ValueType::Short},
    {"CaptionRight", DISPID_CAPTIONRIGHT, qv::ValueType::Short},
    {"CaptionBottom", DISPID_CAPTIONBOTTOM, qv::ValueType::Short},
    {"BorderColor", DISPID_BORDERCOLOR, qv::ValueType::Color},
    {"LightColor", DISPID_LIGHTCOLOR, qv::ValueType::Color},
    {"OuterFillColor", DISPID_OUTERFILLCOLOR, qv::ValueType::Color},
    {"ShadowColor", DISPID_SHADOWCOLOR, qv::ValueType::Color},
    {"Style", DISPID_STYLE, qv::ValueType::Enumeration, 0, "StyleConstants"},
    {"TextColor", DISPID_TEXTCOLOR, qv::ValueType::Color},
    {"TextFillColor", DISPID_TEXTFILLCOLOR, qv::ValueType::Color},
    {"Interval", DISPID_INTERVAL, qv::ValueType::Long},
    {"Picture1", DISPID_PICTURE1, qv::ValueType::Picture},
    {"Picture2", DISPID_PICTURE2, qv::ValueType::Picture},
    {"Picture3", DISPID_PICTURE3, qv::ValueType::Picture},
    {"FontStyle", DISPID_FONTSTYLE, qv::ValueType::Enumeration, 0, "FontStyleConstants"},
    {"Direction", DISPID_DIRECTION, qv::ValueType::Enumeration, 0, "DirectionConstants"},
    {"MouseIcon", DISPID_MOUSEICON, qv::ValueType::Picture},
    {"FontName", DISPID_FONTNAME, qv::ValueType::String},
    // The caption is the marquee's default value as well.
    {"_Caption", ole::DISPID_VALUE, qv::ValueType::String},
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

// Hidden from object browsers: the property pages show the styles by their descriptions.
inline constexpr qv::EnumValue kStyleValues[] = {
    {0, "_MCapCPic", "0 - Moving caption, cycle Pic 1-3"},
    {1, "_MCapSPic", "1 - Moving caption, static Pic 1"},
    {2, "_SCapCPic", "2 - Static caption, cycle Pic 1-3"},
    {3, "_SCapSPic", "3 - Static caption, static Pic 1"},
};
inline constexpr qv::EnumValue kDirectionValues[] = {
    {0, "qvDirectionForwards", "0 - Forwards"},
    {1, "qvDirectionBackwards", "1 - Backwards"},
};

inline constexpr qv::EnumInfo kEnumerations[] = {
    qv::kMousePointerConstants,
    {"StyleConstants", kStyleValues},
    {"DirectionConstants", kDirectionValues},
    qv::kFontStyleConstants,
};

inline constexpr qv::TypeLibInfo kTypeLib{
    kTypeLibId, "Qvmq200Lib", "_DQvMarquee", "_DQvMarqueeEvents",
    "QvMarque", kMembers,     kEvents,       kEnumerations,
};

} // namespace qvmq200
