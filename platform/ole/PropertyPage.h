#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/Types.h"

#include <string>

class QWidget;

namespace ole {

class Dispatch;
class PropertyPageSite;

// The framework's stock property pages, which any control may list after its own.
inline constexpr Clsid CLSID_StockFontPage{
    0x0BE35200, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
inline constexpr Clsid CLSID_StockColorPage{
    0x0BE35201, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
inline constexpr Clsid CLSID_StockPicturePage{
    0x0BE35202, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

// A property page: a window showing some properties of an object, read through its dispatch
// when the window is made, and written back when the frame around it applies. The frame sets
// the site and the object before it makes the window.
class PropertyPage {
public:
    virtual ~PropertyPage() = default;

    virtual void setPageSite(PropertyPageSite *site) = 0;
    // The object the page shows; it outlives the page's window.
    virtual void setObject(Dispatch *object) = 0;
    // The title of the page's tab (ANSI).
    virtual std::string caption() const = 0;
    // Makes the page's window inside `parent`, showing the object's current values. The parent
    // owns the widget.
    virtual QWidget *createWindow(QWidget *parent) = 0;
    // An edit is waiting to be applied.
    virtual bool isPageDirty() const = 0;
    // Writes the edited values to the object. On a failure the page stays dirty, has told the
    // user why, and the failure is returned.
    virtual HRESULT apply() = 0;
};

} // namespace ole
