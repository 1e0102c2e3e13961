#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/Types.h"

#include <cstdint>
#include <span>
#include <string_view>

// How a display control's own property page looks and which properties it edits, declared as
// constant tables beside the control's type library.
namespace qv {

struct ControlClassInfo;

struct PageField {
    enum class Kind : std::uint8_t {
        List,     // a drop-down list selecting by index
        Number,   // a one-line field; the control converts and checks the number
        Text,     // a one-line text field
        LongText, // a multi-line text field (CR LF line ends in the property)
        Check,    // a check box
    };

    Kind kind;
    std::string_view label; // the text before the field, or the check box's own text
    ole::DispId id;
    // A list's items: these texts, or, when there are none, one item "%ld - %s" (value and
    // description) for each constant of the enumeration of this name in the type library.
    std::span<const std::string_view> items = {};
    std::string_view enumeration = {};
};

struct PageInfo {
    ole::Clsid clsid;
    std::string_view progId;
    std::string_view caption;
    // The control the page belongs to: its type library fills the lists, and its class makes
    // the About box.
    const ControlClassInfo *control;
    std::span<const PageField> fields;
    // The page ends with the "A&bout..." button.
    bool about = false;
};

} // namespace qv
