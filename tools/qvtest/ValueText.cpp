#include "tools/qvtest/ValueText.h"

#include "platform/ole/Dispatch.h"

#include <charconv>
#include <cstdio>

namespace {

// The members of a font or a picture that tell it apart, asked for by name.
constexpr std::string_view kObjectMembers[] = {"Name",          "Size", "Bold",  "Italic",
                                               "Strikethrough", "Type", "Width", "Height"};

std::string showObject(const ole::DispatchPtr &object)
{
    if (!object)
        return "(nothing)";
    std::string text;
    for (const std::string_view name : kObjectMembers) {
        const ole::DispId id = object->idOfName(name);
        ole::Variant value;
        if (id == ole::DISPID_UNKNOWN || ole::failed(object->getProperty(id, value)))
            continue;
        text += (text.empty() ? "" : ", ") + std::string(name) + "=" + ValueText::show(value);
    }
    return text.empty() ? "(object)" : text;
}

std::optional<std::uint32_t> hexNumber(std::string_view text)
{
    if (text.size() < 3 || text.size() > 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return std::nullopt;
    std::uint32_t number = 0;
    const auto [end, failure] =
        std::from_chars(text.data() + 2, text.data() + text.size(), number, 16);
    if (failure != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

template <typename Number> std::optional<ole::Variant> converted(std::optional<Number> number)
{
    return number ? std::optional<ole::Variant>(*number) : std::nullopt;
}

} // namespace

std::string ValueText::show(const ole::Variant &value, qv::ValueType type)
{
    if (type == qv::ValueType::Color) {
        if (const auto color = ole::toLong(value)) {
            char text[16];
            std::snprintf(text, sizeof text, "0x%08X", static_cast<std::uint32_t>(*color));
            return text;
        }
    }
    if (const auto *object = std::get_if<ole::DispatchPtr>(&value))
        return showObject(*object);
    if (const auto *flag = std::get_if<bool>(&value))
        return *flag ? "True" : "False";
    if (std::holds_alternative<std::monostate>(value))
        return "(empty)";
    if (const auto *error = std::get_if<ole::ErrorValue>(&value)) {
        char text[24];
        std::snprintf(text, sizeof text, "error 0x%08X", static_cast<unsigned>(error->scode));
        return text;
    }
    return ole::toString(value).value_or("?");
}

std::optional<ole::Variant> ValueText::parse(std::string_view text, qv::ValueType type)
{
    const ole::Variant given = std::string(text);
    switch (type) {
    case qv::ValueType::Bool:
        return converted(ole::toBool(given));
    case qv::ValueType::Short:
    case qv::ValueType::Enumeration:
        return converted(ole::toShort(given));
    case qv::ValueType::Long:
        return converted(ole::toLong(given));
    case qv::ValueType::Color:
        if (const auto number = hexNumber(text))
            return ole::Variant(static_cast<std::int32_t>(*number));
        return converted(ole::toLong(given));
    case qv::ValueType::Single:
        return converted(ole::toFloat(given));
    case qv::ValueType::String:
        return given;
    default:
        return std::nullopt;
    }
}

std::string_view ValueText::typeName(qv::ValueType type)
{
    switch (type) {
    case qv::ValueType::Void:
        return "Void";
    case qv::ValueType::Bool:
        return "Boolean";
    case qv::ValueType::Short:
        return "Short";
    case qv::ValueType::Long:
        return "Long";
    case qv::ValueType::Single:
        return "Single";
    case qv::ValueType::String:
        return "String";
    case qv::ValueType::Color:
        return "Color";
    case qv::ValueType::Font:
        return "Font";
    case qv::ValueType::Picture:
        return "Picture";
    case qv::ValueType::Handle:
        return "Handle";
    case qv::ValueType::Enumeration:
        return "Enumeration";
    }
    return "?";
}
