#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/Types.h"
#include "platform/ole/Variant.h"

#include <QRect>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class QWidget;

namespace ole {
class Control;
}

namespace ui {

class HostedControlSite;

// Hosts the controls of one window: creates each by class identifier from the registered
// libraries, loads its persisted stream, places its window, and passes its events to the window
// by control id. Its ambient properties are the host's: its font, its window colours, the user
// mode and each control's name; its formatting service is the host's, when it sets one. A control
// that cannot be created leaves an empty placeholder in its place and the window works on.
class ControlContainer {
public:
    using EventHandler =
        std::function<void(int controlId, ole::DispId event, std::span<ole::Variant> args)>;
    using PropertyChangedHandler = std::function<void(int controlId, ole::DispId property)>;
    using RequestEditHandler = std::function<bool(int controlId, ole::DispId property)>;
    using FormatHandler =
        std::function<std::string(const ole::Variant &value, std::string_view format)>;

    // `host` is the window whose children the controls become. `userMode` is the ambient user
    // mode the controls see (true: run mode).
    explicit ControlContainer(QWidget *host, bool userMode = true);
    ~ControlContainer();
    ControlContainer(const ControlContainer &) = delete;
    ControlContainer &operator=(const ControlContainer &) = delete;

    // Creates control `id`; an empty stream means a new control (InitNew). Returns its window,
    // or the placeholder widget when the class is unknown or its library fails. Never null.
    QWidget *createControl(int id, const ole::Clsid &clsid, std::span<const std::uint8_t> stream,
                           const QRect &geometry, std::string_view displayName);

    // Takes control `id` (or its placeholder) away; nothing happens for an unknown id.
    void removeControl(int id);

    // The hosted control with this id, or null for a placeholder or an unknown id.
    ole::Control *control(int id) const;

    void setEventHandler(EventHandler handler);
    // Told when a control's property changed; without one, changes are not followed.
    void setPropertyChangedHandler(PropertyChangedHandler handler);
    // Asked before a control changes a request-edit property; without one, every change may go.
    void setRequestEditHandler(RequestEditHandler handler);
    // The formatting service the controls ask for: `value` formatted by `format`, empty when it
    // cannot be formatted. Without one, the container offers no formatting service.
    void setFormatHandler(FormatHandler handler);
    // Switches the controls between run mode (true) and design mode; each is told.
    void setUserMode(bool userMode);

    // The window-text and enable operations of a hosted control: the Caption (or Text) and
    // Enabled properties. False when there is no such control or it refuses.
    bool setWindowText(int id, std::string_view text);
    bool enableWindow(int id, bool enable);

private:
    friend class HostedControlSite;
    void dispatchEvent(int id, ole::DispId event, std::span<ole::Variant> args);

    QWidget *m_host;
    bool m_userMode;
    EventHandler m_handler;
    PropertyChangedHandler m_propertyChanged;
    RequestEditHandler m_requestEdit;
    FormatHandler m_format;
    std::map<int, std::unique_ptr<HostedControlSite>> m_sites;
};

} // namespace ui
