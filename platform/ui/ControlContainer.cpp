#include "platform/ui/ControlContainer.h"

#include "platform/ole/Control.h"
#include "platform/ui/HostedControlSite.h"

namespace ui {

ControlContainer::ControlContainer(QWidget *host, bool userMode)
    : m_host(host), m_userMode(userMode)
{}

ControlContainer::~ControlContainer() = default;

QWidget *ControlContainer::createControl(int id, const ole::Clsid &clsid,
                                         std::span<const std::uint8_t> stream,
                                         const QRect &geometry, std::string_view displayName)
{
    // Creating an id again replaces the control that had it.
    m_sites.erase(id);
    auto site = std::make_unique<HostedControlSite>(*this, id, std::string(displayName));
    QWidget *window = site->create(clsid, stream, m_host, geometry);
    m_sites.emplace(id, std::move(site));
    return window;
}

void ControlContainer::removeControl(int id)
{
    m_sites.erase(id);
}

ole::Control *ControlContainer::control(int id) const
{
    const auto it = m_sites.find(id);
    return it == m_sites.end() ? nullptr : it->second->control();
}

void ControlContainer::setEventHandler(EventHandler handler)
{
    m_handler = std::move(handler);
}

void ControlContainer::setPropertyChangedHandler(PropertyChangedHandler handler)
{
    m_propertyChanged = std::move(handler);
}

void ControlContainer::setRequestEditHandler(RequestEditHandler handler)
{
    m_requestEdit = std::move(handler);
}

void ControlContainer::setFormatHandler(FormatHandler handler)
{
    m_format = std::move(handler);
}

void ControlContainer::setUserMode(bool userMode)
{
    m_userMode = userMode;
    for (const auto &[id, site] : m_sites)
        if (ole::Control *hosted = site->control())
            hosted->ambientPropertyChanged(ole::DISPID_AMBIENT_USERMODE);
}

bool ControlContainer::setWindowText(int id, std::string_view text)
{
    ole::Control *hosted = control(id);
    if (!hosted)
        return false;
    const ole::Variant value = std::string(text);
    ole::HRESULT hr = hosted->putProperty(ole::DISPID_CAPTION, value);
    if (hr == ole::DISP_E_MEMBERNOTFOUND)
        hr = hosted->putProperty(ole::DISPID_TEXT, value);
    return ole::succeeded(hr);
}

bool ControlContainer::enableWindow(int id, bool enable)
{
    ole::Control *hosted = control(id);
    return hosted && ole::succeeded(hosted->putProperty(ole::DISPID_ENABLED, enable));
}

void ControlContainer::dispatchEvent(int id, ole::DispId event, std::span<ole::Variant> args)
{
    if (m_handler)
        m_handler(id, event, args);
}

} // namespace ui
