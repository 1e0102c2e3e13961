#include "platform/ui/HostedControlSite.h"

#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/ole/StdFont.h"
#include "platform/ui/ColorRef.h"
#include "platform/ui/ControlContainer.h"

#include <algorithm>

namespace ui {

namespace {

// The most characters a formatted value may have: the size of the controls' result buffer.
constexpr std::size_t kFormattedLimit = 512;

} // namespace

HostedControlSite::HostedControlSite(ControlContainer &container, int id, std::string displayName)
    : m_container(container), m_id(id), m_displayName(std::move(displayName))
{}

HostedControlSite::~HostedControlSite()
{
    // The window goes when control returns to the event loop: the site may end inside one of
    // the window's own events (a Click whose handler closes the dialog). Hidden at once, it
    // takes no more input meanwhile.
    if (m_window) {
        m_window->hide();
        m_window->deleteLater();
    }
    if (m_control)
        m_control->setClientSite(nullptr);
}

QWidget *HostedControlSite::create(const ole::Clsid &clsid, std::span<const std::uint8_t> stream,
                                   QWidget *parent, const QRect &geometry)
{
    std::shared_ptr<ole::Control> control;
    ole::HRESULT hr = ole::ComponentLoader::createInstance(clsid, control);
    if (ole::failed(hr))
        return createPlaceholder(parent, geometry, clsid, "create", hr);

    control->setClientSite(this);
    hr = stream.empty() ? control->initNew() : control->load(stream);
    if (ole::failed(hr)) {
        control->setClientSite(nullptr);
        return createPlaceholder(parent, geometry, clsid, stream.empty() ? "initNew" : "load", hr);
    }
    QWidget *window = control->createWindow(parent, geometry);
    if (!window) {
        control->setClientSite(nullptr);
        return createPlaceholder(parent, geometry, clsid, "createWindow", ole::E_FAIL);
    }
    m_control = std::move(control);
    m_window = window;
    return window;
}

QWidget *HostedControlSite::createPlaceholder(QWidget *parent, const QRect &geometry,
                                              const ole::Clsid &clsid, const char *failedStep,
                                              ole::HRESULT hr)
{
    auto *placeholder = new QWidget(parent);
    placeholder->setObjectName(
        QStringLiteral("placeholder %1 %2: %3 failed 0x%4")
            .arg(m_id)
            .arg(QString::fromStdString(clsid.toString()), QLatin1String(failedStep))
            .arg(static_cast<std::uint32_t>(hr), 8, 16, QLatin1Char('0')));
    placeholder->setGeometry(geometry);
    placeholder->show();
    m_window = placeholder;
    return placeholder;
}

void HostedControlSite::fireEvent(ole::DispId event, std::span<ole::Variant> args)
{
    m_container.dispatchEvent(m_id, event, args);
}

void HostedControlSite::propertyChanged(ole::DispId id)
{
    if (m_container.m_propertyChanged)
        m_container.m_propertyChanged(m_id, id);
}

bool HostedControlSite::requestEdit(ole::DispId id)
{
    return !m_container.m_requestEdit || m_container.m_requestEdit(m_id, id);
}

ole::Variant HostedControlSite::ambientProperty(ole::DispId id)
{
    const QWidget *host = m_container.m_host;
    switch (id) {
    case ole::DISPID_AMBIENT_USERMODE:
        return m_container.m_userMode;
    case ole::DISPID_AMBIENT_DISPLAYNAME:
        return m_displayName;
    case ole::DISPID_AMBIENT_FONT:
        return ole::DispatchPtr(host ? ole::StdFont::fromQFont(host->font())
                                     : std::make_shared<ole::StdFont>());
    case ole::DISPID_AMBIENT_BACKCOLOR:
    case ole::DISPID_AMBIENT_FORECOLOR: {
        const QPalette palette = host ? host->palette() : QPalette();
        const QColor color = palette.color(
            id == ole::DISPID_AMBIENT_BACKCOLOR ? QPalette::Window : QPalette::WindowText);
        return toColorRef(color);
    }
    default:
        return {};
    }
}

std::string HostedControlSite::formatValue(const ole::Variant &value, std::string_view format)
{
    // Without the host's service the result is empty: the control keeps its text as it is.
    if (!m_container.m_format)
        return {};
    std::string formatted = m_container.m_format(value, format);
    formatted.resize(std::min<std::size_t>(formatted.size(), kFormattedLimit));
    return formatted;
}

void HostedControlSite::modalDialog(bool) {}

} // namespace ui
