#pragma once

#include "platform/ole/ClassFactory.h"

#include <atomic>
#include <new>

namespace ole {

// The class factory of a control class `T` (default-constructible, derived from Control). It
// counts the instances alive, so that the library can answer DllCanUnloadNow.
template <typename T> class ControlFactory : public ClassFactory {
public:
    HRESULT createInstance(std::shared_ptr<Control> &instance) override
    {
        T *object = new (std::nothrow) T();
        if (!object)
            return E_OUTOFMEMORY;
        ++m_liveInstances;
        instance = std::shared_ptr<Control>(object, [this](T *dead) {
            dead->close();
            delete dead;
            --m_liveInstances;
        });
        return S_OK;
    }

    bool hasLiveInstances() const { return m_liveInstances > 0; }

private:
    std::atomic<int> m_liveInstances = 0;
};

} // namespace ole
