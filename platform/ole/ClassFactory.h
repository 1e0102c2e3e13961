#pragma once

#include "platform/ole/Types.h"

#include <memory>

namespace ole {

class Control;
class PropertyPage;

// A library's factory for one class: a control or a property page. Asked for the other kind,
// it answers E_NOINTERFACE.
class ClassFactory {
public:
    virtual ~ClassFactory() = default;
    virtual HRESULT createInstance(std::shared_ptr<Control> &instance) = 0;
    virtual HRESULT createPage(std::shared_ptr<PropertyPage> &page) = 0;
};

} // namespace ole
