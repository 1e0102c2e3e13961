#pragma once

#include "platform/ole/Types.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace ole {

class Dispatch;
using DispatchPtr = std::shared_ptr<Dispatch>;

// Currency: a 64-bit integer in units of 1/10000.
struct Currency {
    std::int64_t value = 0;
    friend bool operator==(const Currency &, const Currency &) = default;
};

// An error value (VT_ERROR), e.g. an optional argument left out.
struct ErrorValue {
    HRESULT scode = S_OK;
    friend bool operator==(const ErrorValue &, const ErrorValue &) = default;
};

// An automation value. Strings hold ANSI (Windows-1252) bytes, as all text of the program does.
using Variant = std::variant<std::monostate, bool, std::int16_t, std::int32_t, float, Currency,
                             std::string, DispatchPtr, ErrorValue>;

// Coercions as automation does them when a property of a declared type receives a value of
// another type. Empty converts to 0, false or ""; numbers convert between each other when the
// value fits (no silent narrowing); strings parse as decimal numbers; "True"/"False" and numbers
// convert to bool. A value that cannot be converted gives nullopt (DISP_E_TYPEMISMATCH).
std::optional<bool> toBool(const Variant &value);
std::optional<std::int16_t> toShort(const Variant &value);
std::optional<std::int32_t> toLong(const Variant &value);
std::optional<float> toFloat(const Variant &value);
std::optional<double> toDouble(const Variant &value);
std::optional<Currency> toCurrency(const Variant &value);
std::optional<std::string> toString(const Variant &value);
std::optional<DispatchPtr> toDispatch(const Variant &value);

} // namespace ole
