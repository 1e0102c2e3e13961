#pragma once

#include "platform/ole/PropertyPage.h"
#include "platform/ole/Variant.h"
#include "platform/ui/DialogTemplate.h"

#include <QPointer>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

namespace ole {
class Dispatch;
class PropertyPageSite;
} // namespace ole

namespace ui {

class Dialog;

// What every property page does alike: its window is a child dialog built from the page's
// template; an edit in a watched control makes the page dirty and tells the frame; Apply writes
// through the page and makes it clean again; a value the object refuses is told in a message
// box with the object's own error text.
class PropertyPageBase : public ole::PropertyPage {
public:
    void setPageSite(ole::PropertyPageSite *site) final;
    void setObject(ole::Dispatch *object) final;
    QWidget *createWindow(QWidget *parent) final;
    bool isPageDirty() const final { return m_dirty; }
    ole::HRESULT apply() final;

protected:
    // The page's dialog; WS_CHILD is added to its styles.
    virtual DialogTemplate pageTemplate() const = 0;
    // Fills the page's controls from the object, once, when the window is made.
    virtual void readProperties(Dialog &page) = 0;
    // Writes the page's values to the object; the first failure ends it and is returned.
    virtual ole::HRESULT writeProperties(Dialog &page) = 0;

    ole::Dispatch *object() const { return m_object; }
    // The page's window; null before it is made.
    QWidget *window() const;
    void setDirty();
    // Typing into `control` (an edit field or an editable list), choosing from it (a list) or
    // clicking it (a check box) calls `edited`, then makes the page dirty.
    void watchEdits(QWidget *control, std::function<void()> edited = {});
    // Property `id` of `target` (the object when not given); empty when it cannot be read.
    static ole::Variant get(ole::Dispatch &target, ole::DispId id);
    ole::Variant get(ole::DispId id) const { return get(*m_object, id); }
    // Sets property `id` of `target`; a refusal is told to the user and returned.
    ole::HRESULT put(ole::Dispatch &target, ole::DispId id, const ole::Variant &value);
    ole::HRESULT put(ole::DispId id, const ole::Variant &value)
    {
        return put(*m_object, id, value);
    }

    // A page template `width` by `height` dialog units in the dialogs' font.
    static DialogTemplate pageOf(int width, int height,
                                 std::vector<DialogControlTemplate> controls);
    // A control of a page template: `rect` in dialog units, `text` ANSI.
    static DialogControlTemplate item(int id, std::string windowClass, QRect rect,
                                      std::string text = {}, std::vector<std::string> styles = {});
    // The page's control `id` as a widget of type `W`; null when it is not one.
    template <typename W> static W *control(const Dialog &page, int id)
    {
        return qobject_cast<W *>(dialogItem(page, id));
    }

private:
    static QWidget *dialogItem(const Dialog &page, int id);

    ole::PropertyPageSite *m_site = nullptr;
    ole::Dispatch *m_object = nullptr;
    QPointer<Dialog> m_window;
    bool m_dirty = false;
};

} // namespace ui
