#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/ControlSite.h"

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace ole {
class Control;
}

namespace ui {

class ControlContainer;

// The container's side of one hosted control: creates the control and its window, passes the
// control's events on with the control id, and answers its ambient properties. When the
// control cannot be created, an empty placeholder widget takes its window's place.
class HostedControlSite : public ole::ControlSite {
public:
    HostedControlSite(ControlContainer &container, int id, std::string displayName);
    ~HostedControlSite() override;
    HostedControlSite(const HostedControlSite &) = delete;
    HostedControlSite &operator=(const HostedControlSite &) = delete;

    // Creates the control (site first, then InitNew for an empty stream or Load, then its
    // window at `geometry` in `parent`); returns its window or the placeholder.
    QWidget *create(const ole::Clsid &clsid, std::span<const std::uint8_t> stream, QWidget *parent,
                    const QRect &geometry);

    // Null when the control could not be created.
    ole::Control *control() const { return m_control.get(); }

    void fireEvent(ole::DispId event, std::span<ole::Variant> args) override;
    void propertyChanged(ole::DispId id) override;
    bool requestEdit(ole::DispId id) override;
    ole::Variant ambientProperty(ole::DispId id) override;
    std::string formatValue(const ole::Variant &value, std::string_view format) override;
    void modalDialog(bool starting) override;

private:
    QWidget *createPlaceholder(QWidget *parent, const QRect &geometry, const ole::Clsid &clsid,
                               const char *failedStep, ole::HRESULT hr);

    ControlContainer &m_container;
    int m_id;
    std::string m_displayName;
    std::shared_ptr<ole::Control> m_control;
    QPointer<QWidget> m_window;
};

} // namespace ui
