#include "wrappers/CDispatchDriver.h"

void CDispatchDriver::Attach(ole::Dispatch *object)
{
    // A pointer that shares no ownership: the object's owner decides its lifetime.
    m_dispatch = ole::DispatchPtr(ole::DispatchPtr(), object);
}

void CDispatchDriver::InvokeMethod(ole::DispId id)
{
    if (begin())
        finish(m_dispatch->invoke(id, {}, nullptr, &m_lastException));
}

bool CDispatchDriver::getVariant(ole::DispId id, ole::Variant &result)
{
    if (!begin())
        return false;
    finish(m_dispatch->getProperty(id, result, &m_lastException));
    return ole::succeeded(m_lastResult);
}

void CDispatchDriver::putVariant(ole::DispId id, const ole::Variant &value)
{
    if (begin())
        finish(m_dispatch->putProperty(id, value, &m_lastException));
}

bool CDispatchDriver::begin()
{
    m_lastException = {};
    m_lastResult = m_dispatch ? ole::S_OK : ole::E_POINTER;
    return m_dispatch != nullptr;
}

void CDispatchDriver::finish(ole::HRESULT result)
{
    m_lastResult = result;
    // Only an automation error carries the exception details; drop whatever else was written.
    if (result != ole::DISP_E_EXCEPTION)
        m_lastException = {};
}
