#pragma once

#include "platform/ole/Types.h"
#include "platform/ole/Variant.h"

#include <span>
#include <string>
#include <string_view>

namespace ole {

// What a hosted control may ask of its container: one site per control.
class ControlSite {
public:
    virtual ~ControlSite() = default;

    // An event of the control, by dispatch identifier. Arguments passed by reference (KeyPress's
    // KeyAscii) may be changed by the handler.
    virtual void fireEvent(DispId event, std::span<Variant> args) = 0;
    // A bindable property changed (DISPID_UNKNOWN: several or unknown).
    virtual void propertyChanged(DispId id) = 0;
    // May a request-edit property change now? The control keeps its value when the answer is no.
    virtual bool requestEdit(DispId id) = 0;
    // Ambient property of the container (user mode, display name, font ...); empty when unknown.
    virtual Variant ambientProperty(DispId id) = 0;
    // The container's formatting service: `value` formatted by `format`, at most 512
    // characters; empty when the container has no such service.
    virtual std::string formatValue(const Variant &value, std::string_view format) = 0;
    // The control starts (true) or ends (false) a modal dialog of its own.
    virtual void modalDialog(bool starting) = 0;
};

} // namespace ole
