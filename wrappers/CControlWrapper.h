#pragma once

#include "platform/ole/Clsid.h"
#include "wrappers/CDispatchDriver.h"
#include "wrappers/COleFont.h"
#include "wrappers/CPicture.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QRect;

namespace ui {
class ControlContainer;
}

// The program's typed view of a hosted control of one class. The container owns the control;
// the wrapper only refers to it, so it must not outlive the window that hosts the control.
// Failures are reported as CDispatchDriver describes.
class CControlWrapper : public CDispatchDriver {
public:
    explicit CControlWrapper(const ole::Clsid &clsid) : m_clsid(clsid) {}

    // Creates this wrapper's control as control `id` of `parent` at `rect` (pixels), new or from
    // its persisted state, and binds to it. `windowName` is the display name the control sees.
    // Of the window styles, "WS_VISIBLE" shows the window and "WS_DISABLED" disables the control.
    // False, and the wrapper unbound, when the control cannot be created (its place then holds
    // the container's empty placeholder).
    bool Create(std::string_view windowName, const std::vector<std::string> &styles,
                const QRect &rect, ui::ControlContainer &parent, int id,
                std::span<const std::uint8_t> persisted = {});

    void Refresh();
    void AboutBox();

private:
    ole::Clsid m_clsid;
};
