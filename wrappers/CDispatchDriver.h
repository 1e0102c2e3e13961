#pragma once

#include "platform/ole/Dispatch.h"
#include "platform/ole/Types.h"
#include "platform/ole/Variant.h"

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

class CDispatchDriver;

// The parameter type of a setter for a property of type T: drivers are set from the object they
// drive.
template <typename T>
using PropertyArgument =
    std::conditional_t<std::is_base_of_v<CDispatchDriver, T>, const ole::DispatchPtr &,
                       std::conditional_t<std::is_arithmetic_v<T>, T, const T &>>;

// Typed property access by dispatch identifier on an automation object.
//
// Failures never throw and never crash: a getter that fails returns the type's zero value (false,
// 0, "", an empty variant, an unbound driver). The outcome of the latest call, get, set or
// method, stays readable through LastResult() and LastException() until the next call:
// - S_OK: the call succeeded;
// - the control's own failure, e.g. DISP_E_EXCEPTION with the automation error (scode,
//   description) in LastException();
// - DISP_E_TYPEMISMATCH: the control answered a value that does not convert to the type;
// - E_POINTER: the driver is bound to nothing (e.g. its control could not be created).
class CDispatchDriver {
public:
    CDispatchDriver() = default;
    // Keeps `object` alive for as long as this driver (or a copy of it) lives.
    explicit CDispatchDriver(ole::DispatchPtr object) : m_dispatch(std::move(object)) {}

    // Binds to an object someone else owns, e.g. a control its container hosts; null unbinds.
    // The owner must outlive the binding.
    void Attach(ole::Dispatch *object);
    bool IsBound() const { return m_dispatch != nullptr; }

    ole::HRESULT LastResult() const { return m_lastResult; }
    const ole::ExcepInfo &LastException() const { return m_lastException; }

    // T is bool, std::int16_t, std::int32_t, float, ole::Currency, std::string,
    // ole::DispatchPtr, ole::Variant, or a driver class constructed from an ole::DispatchPtr.
    template <typename T> T GetProperty(ole::DispId id);
    template <typename T> void SetProperty(ole::DispId id, PropertyArgument<T> value);

protected:
    // Invokes method `id` without arguments, ignoring any result.
    void InvokeMethod(ole::DispId id);

private:
    bool getVariant(ole::DispId id, ole::Variant &result);
    void putVariant(ole::DispId id, const ole::Variant &value);
    bool begin();
    void finish(ole::HRESULT result);

    ole::DispatchPtr m_dispatch;
    ole::HRESULT m_lastResult = ole::S_OK;
    ole::ExcepInfo m_lastException;
};

// A Get/Set pair for property `name` with identifier `dispid` of type `type`, as members of a
// class derived from CDispatchDriver; used to expand the property tables.
#define TARVIL_DISPATCH_PROPERTY_GET(name, dispid, type)                                           \
    type Get##name()                                                                               \
    {                                                                                              \
        return GetProperty<type>(dispid);                                                          \
    }
#define TARVIL_DISPATCH_PROPERTY(name, dispid, type)                                               \
    TARVIL_DISPATCH_PROPERTY_GET(name, dispid, type)                                               \
    void Set##name(PropertyArgument<type> value)                                                   \
    {                                                                                              \
        SetProperty<type>(dispid, value);                                                          \
    }

template <typename T> T CDispatchDriver::GetProperty(ole::DispId id)
{
    if constexpr (std::is_base_of_v<CDispatchDriver, T>) {
        return T(GetProperty<ole::DispatchPtr>(id));
    } else {
        ole::Variant value;
        if (!getVariant(id, value))
            return T{};
        if constexpr (std::is_same_v<T, ole::Variant>) {
            return value;
        } else {
            std::optional<T> converted;
            if constexpr (std::is_same_v<T, bool>)
                converted = ole::toBool(value);
            else if constexpr (std::is_same_v<T, std::int16_t>)
                converted = ole::toShort(value);
            else if constexpr (std::is_same_v<T, std::int32_t>)
                converted = ole::toLong(value);
            else if constexpr (std::is_same_v<T, float>)
                converted = ole::toFloat(value);
            else if constexpr (std::is_same_v<T, ole::Currency>)
                converted = ole::toCurrency(value);
            else if constexpr (std::is_same_v<T, std::string>)
                converted = ole::toString(value);
            else if constexpr (std::is_same_v<T, ole::DispatchPtr>)
                converted = ole::toDispatch(value);
            else
                static_assert(std::is_same_v<T, ole::DispatchPtr>, "not an automation type");
            if (!converted) {
                m_lastResult = ole::DISP_E_TYPEMISMATCH;
                return T{};
            }
            return std::move(*converted);
        }
    }
}

template <typename T> void CDispatchDriver::SetProperty(ole::DispId id, PropertyArgument<T> value)
{
    if constexpr (std::is_same_v<T, ole::Variant>)
        putVariant(id, value);
    else if constexpr (std::is_base_of_v<CDispatchDriver, T>)
        putVariant(id, ole::Variant(std::in_place_type<ole::DispatchPtr>, value));
    else
        putVariant(id, ole::Variant(std::in_place_type<T>, value));
}
