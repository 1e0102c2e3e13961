#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/Dispatch.h"

#include <cstdint>
#include <span>
#include <vector>

class QWidget;
class QRect;

namespace ole {

class ControlSite;

// An in-process control: an automation object with persisted properties and a window. The
// container sets the site, then initialises it (InitNew) or loads its stream, then creates its
// window as a child of the dialog.
class Control : public Dispatch {
public:
    virtual void setClientSite(ControlSite *site) = 0;
    virtual HRESULT initNew() = 0;
    // Loads a persisted property stream; a damaged stream fails cleanly and changes nothing.
    virtual HRESULT load(std::span<const std::uint8_t> stream) = 0;
    virtual HRESULT save(std::vector<std::uint8_t> &stream) = 0;
    // Creates the control's window in `parent` at `geometry` (pixels) and returns it; the parent
    // owns the widget, the control keeps a guarded reference to it.
    virtual QWidget *createWindow(QWidget *parent, const QRect &geometry) = 0;
    virtual QWidget *window() const = 0;
    // The container's ambient property `id` changed (DISPID_UNKNOWN: all of them).
    virtual void ambientPropertyChanged(DispId id) = 0;
    // The class identifiers of its property pages, in the order a frame shows them.
    virtual std::vector<Clsid> propertyPages() const { return {}; }
    // The last reference goes: called just before the control is destroyed, while all of it
    // still exists, so that it can let go of its window.
    virtual void close() {}
};

} // namespace ole
