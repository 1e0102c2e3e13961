#pragma once

#include "platform/ole/Types.h"

#include <memory>

namespace ole {

class Control;

// A library's factory for one class of control.
class ClassFactory {
public:
    virtual ~ClassFactory() = default;
    virtual HRESULT createInstance(std::shared_ptr<Control> &instance) = 0;
};

} // namespace ole
