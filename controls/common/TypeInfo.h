#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/Types.h"

#include <cstdint>
#include <span>
#include <string_view>

// The type information a control library describes itself with: its dispatch and event
// interfaces, the members with their dispatch identifiers and types, and its enumerations with
// the descriptions that property pages show. Controls declare it as constant tables.
namespace qv {

enum class ValueType : std::uint8_t {
    Void,
    Bool,
    Short,
    Long,
    Single,
    String,
    Color,
    Font,
    Picture,
    Handle,
    Enumeration, // a short taking the values of the member's enumeration; two bytes in streams
};

struct EnumValue {
    std::int32_t value;
    std::string_view name;
    std::string_view description;
};

struct EnumInfo {
    std::string_view name;
    std::span<const EnumValue> values;
};

enum MemberFlags : std::uint8_t {
    Method = 0x01,
    ReadOnly = 0x02,
    Bindable = 0x04,
    RequestEdit = 0x08,
    DisplayBind = 0x10, // shown to the user as bindable
    DefaultBind = 0x20, // the property that best stands for the object
    Hidden = 0x40,      // kept from property browsers
};

struct MemberInfo {
    std::string_view name;
    ole::DispId id;
    ValueType type;
    std::uint8_t flags = 0;
    std::string_view enumeration = {}; // for ValueType::Enumeration
};

struct TypeLibInfo {
    ole::Clsid libId;
    std::string_view name;
    std::string_view dispatchInterface;
    std::string_view eventInterface;
    std::string_view coclass;
    std::span<const MemberInfo> members; // properties and methods, stock ones included
    std::span<const MemberInfo> events;
    std::span<const EnumInfo> enumerations;
};

// Entries for the stock members, to list in a control's tables.
namespace stock {
inline constexpr MemberInfo kBackColor{"BackColor", ole::DISPID_BACKCOLOR, ValueType::Color,
                                       Bindable | RequestEdit};
inline constexpr MemberInfo kForeColor{"ForeColor", ole::DISPID_FORECOLOR, ValueType::Color,
                                       Bindable | RequestEdit};
inline constexpr MemberInfo kFont{"Font", ole::DISPID_FONT, ValueType::Font, Bindable};
inline constexpr MemberInfo kEnabled{"Enabled", ole::DISPID_ENABLED, ValueType::Bool,
                                     Bindable | RequestEdit};
inline constexpr MemberInfo kHWnd{"hWnd", ole::DISPID_HWND, ValueType::Handle, ReadOnly};
inline constexpr MemberInfo kCaption{"Caption", ole::DISPID_CAPTION, ValueType::String};
inline constexpr MemberInfo kText{"Text", ole::DISPID_TEXT, ValueType::String};
inline constexpr MemberInfo kRefresh{"Refresh", ole::DISPID_REFRESH, ValueType::Void, Method};
inline constexpr MemberInfo kAboutBox{"AboutBox", ole::DISPID_ABOUTBOX, ValueType::Void, Method};

inline constexpr MemberInfo kClick{"Click", ole::DISPID_CLICK, ValueType::Void, Method};
inline constexpr MemberInfo kDblClick{"DblClick", ole::DISPID_DBLCLICK, ValueType::Void, Method};
inline constexpr MemberInfo kKeyDown{"KeyDown", ole::DISPID_KEYDOWN, ValueType::Void, Method};
inline constexpr MemberInfo kKeyPress{"KeyPress", ole::DISPID_KEYPRESS, ValueType::Void, Method};
inline constexpr MemberInfo kKeyUp{"KeyUp", ole::DISPID_KEYUP, ValueType::Void, Method};
inline constexpr MemberInfo kMouseDown{"MouseDown", ole::DISPID_MOUSEDOWN, ValueType::Void, Method};
inline constexpr MemberInfo kMouseMove{"MouseMove", ole::DISPID_MOUSEMOVE, ValueType::Void, Method};
inline constexpr MemberInfo kMouseUp{"MouseUp", ole::DISPID_MOUSEUP, ValueType::Void, Method};
} // namespace stock

// The mouse pointers every control offers (MousePointerConstants).
inline constexpr EnumValue kMousePointerValues[] = {
    {0, "qvDefault", "0 - Default"},
    {1, "qvArrow", "1 - Arrow"},
    {2, "qvCross", "2 - Cross"},
    {3, "qvIBeam", "3 - I-Beam"},
    {4, "qvIcon", "4 - Icon"},
    {5, "qvSize", "5 - Size"},
    {6, "qvSizeNESW", "6 - Size NE SW"},
    {7, "qvSizeNS", "7 - Size N S"},
    {8, "qvSizeNWSE", "8 - Size NW SE"},
    {9, "qvSizeEW", "9 - Size W E"},
    {10, "qvUpArrow", "10 - Up Arrow"},
    {11, "qvHourglass", "11 - Hourglass"},
    {12, "qvNoDrop", "12 - No Drop"},
    {13, "qvArrowHourglass", "13 - Arrow and Hourglass"},
    {14, "qvArrowQuestion", "14 - Arrow and Question"},
    {15, "qvSizeAll", "15 - Size All"},
    {99, "qvCustom", "99 - Custom"},
};
inline constexpr EnumInfo kMousePointerConstants{"MousePointerConstants", kMousePointerValues};

} // namespace qv
