#pragma once

#include "platform/ole/PropertyDescription.h"
#include "platform/ole/Types.h"
#include "platform/ole/Variant.h"

#include <span>
#include <string_view>
#include <vector>

namespace ole {

// Late-bound access by dispatch identifier. Errors raised by the object come back as
// DISP_E_EXCEPTION with `error` filled in when the caller passed one.
class Dispatch {
public:
    virtual ~Dispatch() = default;

    virtual HRESULT getProperty(DispId id, Variant &result, ExcepInfo *error = nullptr) = 0;
    virtual HRESULT putProperty(DispId id, const Variant &value, ExcepInfo *error = nullptr) = 0;
    virtual HRESULT invoke(DispId id, std::span<Variant> args, Variant *result = nullptr,
                           ExcepInfo *error = nullptr) = 0;
    // Name to identifier, case-insensitive; DISPID_UNKNOWN when the object has no such member.
    virtual DispId idOfName(std::string_view name) = 0;
    // The properties its type information offers for browsing (readable and writable, not
    // hidden); none when it has no type information.
    virtual std::vector<PropertyDescription> describeProperties() const { return {}; }
};

// One entry of an object's table of member names, for idOfName.
struct MemberName {
    std::string_view name;
    DispId id;
};

// The identifier of `name` in `members`, compared without regard to ASCII case; DISPID_UNKNOWN
// when it is not there.
DispId findMemberId(std::span<const MemberName> members, std::string_view name);

} // namespace ole
