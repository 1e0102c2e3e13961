#include "platform/ole/Variant.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace ole {

namespace {

// Automation's True is -1 when a boolean becomes a number.
constexpr std::int32_t kNumericTrue = -1;
constexpr double kCurrencyScale = 10000.0;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// A decimal number written out in full ("12", "-3.5", "+7", "1e3"); nothing else may follow.
std::optional<double> parseNumber(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Any value as a double, when it is a number, a boolean, empty or a numeric string.
std::optional<double> numericValue(const Variant &value)
{
    if (std::holds_alternative<std::monostate>(value))
        return 0.0;
    if (const auto *b = std::get_if<bool>(&value))
        return *b ? kNumericTrue : 0;
    if (const auto *s = std::get_if<std::int16_t>(&value))
        return *s;
    if (const auto *l = std::get_if<std::int32_t>(&value))
        return *l;
    if (const auto *f = std::get_if<float>(&value))
        return std::isfinite(*f) ? std::optional<double>(*f) : std::nullopt;
    if (const auto *c = std::get_if<Currency>(&value))
        return static_cast<double>(c->value) / kCurrencyScale;
    if (const auto *text = std::get_if<std::string>(&value))
        return parseNumber(*text);
    return std::nullopt;
}

// Rounds half to even, as automation does, and refuses what does not fit.
template <typename Integer> std::optional<Integer> toInteger(const Variant &value)
{
    if (const auto *s = std::get_if<std::int16_t>(&value))
        return std::in_range<Integer>(*s) ? std::optional<Integer>(static_cast<Integer>(*s))
                                          : std::nullopt;
    if (const auto *l = std::get_if<std::int32_t>(&value))
        return std::in_range<Integer>(*l) ? std::optional<Integer>(static_cast<Integer>(*l))
                                          : std::nullopt;
    const auto number = numericValue(value);
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number);
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max()))
        return std::nullopt;
    return static_cast<Integer>(rounded);
}

std::string currencyText(Currency currency)
{
    // Whole units, then up to four decimals without trailing zeros.
    const bool negative = currency.value < 0;
    const auto magnitude = negative ? 0 - static_cast<std::uint64_t>(currency.value)
                                    : static_cast<std::uint64_t>(currency.value);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
    auto fraction = magnitude % 10000;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + 10000).substr(1);
        digits.erase(digits.find_last_not_of('0') + 1);
        text += '.' + digits;
    }
    return text;
}

} // namespace

std::optional<bool> toBool(const Variant &value)
{
    if (const auto *b = std::get_if<bool>(&value))
        return *b;
    if (const auto *text = std::get_if<std::string>(&value)) {
        if (equalsIgnoringCase(trimmed(*text), "True"))
            return true;
        if (equalsIgnoringCase(trimmed(*text), "False"))
            return false;
    }
    const auto number = numericValue(value);
    if (!number)
        return std::nullopt;
    return *number != 0;
}

std::optional<std::int16_t> toShort(const Variant &value)
{
    return toInteger<std::int16_t>(value);
}

std::optional<std::int32_t> toLong(const Variant &value)
{
    return toInteger<std::int32_t>(value);
}

std::optional<float> toFloat(const Variant &value)
{
    const auto number = numericValue(value);
    if (!number || std::fabs(*number) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*number);
}

std::optional<double> toDouble(const Variant &value)
{
    return numericValue(value);
}

std::optional<Currency> toCurrency(const Variant &value)
{
    if (const auto *c = std::get_if<Currency>(&value))
        return *c;
    const auto number = numericValue(value);
    if (!number)
        return std::nullopt;
    const double scaled = std::nearbyint(*number * kCurrencyScale);
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double kLimit = 9223372036854775808.0;
    if (scaled >= kLimit || scaled < -kLimit)
        return std::nullopt;
    return Currency{static_cast<std::int64_t>(scaled)};
}

std::optional<std::string> toString(const Variant &value)
{
    if (std::holds_alternative<std::monostate>(value))
        return std::string();
    if (const auto *text = std::get_if<std::string>(&value))
        return *text;
    if (const auto *b = std::get_if<bool>(&value))
        return std::string(*b ? "True" : "False");
    if (const auto *s = std::get_if<std::int16_t>(&value))
        return std::to_string(*s);
    if (const auto *l = std::get_if<std::int32_t>(&value))
        return std::to_string(*l);
    if (const auto *f = std::get_if<float>(&value)) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, *f);
        return std::string(buffer, result.ptr);
    }
    if (const auto *c = std::get_if<Currency>(&value))
        return currencyText(*c);
    return std::nullopt;
}

std::optional<DispatchPtr> toDispatch(const Variant &value)
{
    if (std::holds_alternative<std::monostate>(value))
        return DispatchPtr();
    if (const auto *object = std::get_if<DispatchPtr>(&value))
        return *object;
    return std::nullopt;
}

} // namespace ole
