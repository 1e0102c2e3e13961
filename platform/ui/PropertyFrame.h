#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/PropertyPageSite.h"
#include "platform/ole/Types.h"

#include <QDialog>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

class QPushButton;
class QTabWidget;

namespace ole {
class Dispatch;
class PropertyPage;
} // namespace ole

namespace ui {

// The window that shows an object's property pages as tabs, with OK, Cancel and Apply. Apply
// is enabled while a page has edits waiting and writes them; OK writes them and closes, unless
// the object refused a value; Cancel closes and writes nothing. The stock font, colour and
// picture pages are made here; any other page comes from the library registered for it, and a
// page that cannot be made is left out.
class PropertyFrame : public QDialog, private ole::PropertyPageSite {
public:
    // `caption` (ANSI) names the object: the title is it followed by " Properties".
    PropertyFrame(QWidget *owner, std::string_view caption, ole::Dispatch &object,
                  std::span<const ole::Clsid> pages);
    ~PropertyFrame() override;

    QTabWidget *tabs() const { return m_tabs; }
    QPushButton *applyButton() const { return m_apply; }
    // Applies every dirty page; the first refusal stops it and is returned.
    ole::HRESULT applyPages();
    // OK: closes only when every page applied.
    void accept() override;

private:
    void onStatusChange() override;
    static std::shared_ptr<ole::PropertyPage> createPage(const ole::Clsid &clsid);

    std::vector<std::shared_ptr<ole::PropertyPage>> m_pages;
    QTabWidget *m_tabs;
    QPushButton *m_apply;
};

// Shows the property pages `pages` of `object` in a property frame, modal to `owner`, and
// returns when it closes: S_OK, or E_INVALIDARG when none of the pages could be made.
ole::HRESULT OleCreatePropertyFrame(QWidget *owner, std::string_view caption, ole::Dispatch &object,
                                    std::span<const ole::Clsid> pages);

} // namespace ui
