#pragma once

#include "platform/ole/ClassFactory.h"
#include "platform/ole/Control.h"
#include "platform/ole/PropertyPage.h"

#include <atomic>
#include <new>
#include <type_traits>

namespace ole {

// The class factory of a class `T` of a control library (default-constructible, derived from
// Control or from PropertyPage). It counts the instances alive, so that the library can answer
// DllCanUnloadNow.
template <typename T> class ControlFactory : public ClassFactory {
public:
    HRESULT createInstance(std::shared_ptr<Control> &instance) override
    {
        if constexpr (std::is_base_of_v<Control, T>)
            return create(instance);
        else
            return E_NOINTERFACE;
    }

    HRESULT createPage(std::shared_ptr<PropertyPage> &page) override
    {
        if constexpr (std::is_base_of_v<PropertyPage, T>)
            return create(page);
        else
            return E_NOINTERFACE;
    }

    bool hasLiveInstances() const { return m_liveInstances > 0; }

private:
    template <typename Interface> HRESULT create(std::shared_ptr<Interface> &instance)
    {
        T *object = new (std::nothrow) T();
        if (!object)
            return E_OUTOFMEMORY;
        ++m_liveInstances;
        instance = std::shared_ptr<Interface>(object, [this](T *dead) {
            if constexpr (std::is_base_of_v<Control, T>)
                dead->close();
            delete dead;
            --m_liveInstances;
        });
        return S_OK;
    }

    std::atomic<int> m_liveInstances = 0;
};

} // namespace ole
