#pragma once

#include "controls/common/TypeInfo.h"
#include "platform/ole/Variant.h"

#include <optional>
#include <string>
#include <string_view>

// Automation values as the property grid and the event log show them, and the text typed into
// the grid as a value of a property's type.
class ValueText {
public:
    // Numbers in decimal, colours as "0x" and eight hex digits, booleans as True or False,
    // strings as they are; a font or picture by its own properties, read through dispatch.
    static std::string show(const ole::Variant &value, qv::ValueType type = qv::ValueType::Void);
    // The value of `text` for a property of `type`; nullopt for text that is no such value, and
    // for the types the grid does not edit (fonts, pictures, window handles).
    static std::optional<ole::Variant> parse(std::string_view text, qv::ValueType type);
    static std::string_view typeName(qv::ValueType type);
};
