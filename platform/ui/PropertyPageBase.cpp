#include "platform/ui/PropertyPageBase.h"

#include "platform/ole/Dispatch.h"
#include "platform/ole/PropertyPageSite.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace ui {

void PropertyPageBase::setPageSite(ole::PropertyPageSite *site)
{
    m_site = site;
}

void PropertyPageBase::setObject(ole::Dispatch *object)
{
    m_object = object;
}

QWidget *PropertyPageBase::createWindow(QWidget *parent)
{
    DialogTemplate dialogTemplate = pageTemplate();
    dialogTemplate.styles.push_back("WS_CHILD");
    auto *page = new Dialog(std::move(dialogTemplate), parent);
    if (!page->Create()) {
        delete page;
        return nullptr;
    }
    m_window = page;
    if (m_object)
        readProperties(*page);
    return page;
}

ole::HRESULT PropertyPageBase::apply()
{
    if (!m_dirty || !m_window || !m_object)
        return ole::S_OK;
    if (const ole::HRESULT hr = writeProperties(*m_window); ole::failed(hr))
        return hr;
    m_dirty = false;
    if (m_site)
        m_site->onStatusChange();
    return ole::S_OK;
}

QWidget *PropertyPageBase::window() const
{
    return m_window;
}

void PropertyPageBase::setDirty()
{
    if (m_dirty)
        return;
    m_dirty = true;
    if (m_site)
        m_site->onStatusChange();
}

void PropertyPageBase::watchEdits(QWidget *control, std::function<void()> edited)
{
    const auto dirty = [this, edited = std::move(edited)] {
        if (edited)
            edited();
        setDirty();
    };
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        QObject::connect(edit, &QLineEdit::textEdited, edit, dirty);
    else if (auto *text = qobject_cast<QPlainTextEdit *>(control))
        QObject::connect(text, &QPlainTextEdit::textChanged, text, dirty);
    else if (auto *list = qobject_cast<QComboBox *>(control)) {
        QObject::connect(list, &QComboBox::activated, list, dirty);
        if (list->lineEdit())
            QObject::connect(list->lineEdit(), &QLineEdit::textEdited, list, dirty);
    } else if (auto *button = qobject_cast<QAbstractButton *>(control))
        QObject::connect(button, &QAbstractButton::clicked, button, dirty);
}

ole::Variant PropertyPageBase::get(ole::Dispatch &target, ole::DispId id)
{
    ole::Variant value;
    if (ole::failed(target.getProperty(id, value)))
        return {};
    return value;
}

ole::HRESULT PropertyPageBase::put(ole::Dispatch &target, ole::DispId id, const ole::Variant &value)
{
    ole::ExcepInfo error;
    const ole::HRESULT hr = target.putProperty(id, value, &error);
    if (ole::failed(hr))
        MessageBox(m_window,
                   hr == ole::DISP_E_EXCEPTION ? error.description : "Invalid property value.",
                   caption(), MessageIcon::Exclamation);
    return hr;
}

DialogTemplate PropertyPageBase::pageOf(int width, int height,
                                        std::vector<DialogControlTemplate> controls)
{
    DialogTemplate page;
    page.rect = QRect(0, 0, width, height);
    page.fontName = "MS Sans Serif";
    page.controls = std::move(controls);
    return page;
}

DialogControlTemplate PropertyPageBase::item(int id, std::string windowClass, QRect rect,
                                             std::string text, std::vector<std::string> styles)
{
    DialogControlTemplate control;
    control.id = id;
    control.windowClass = std::move(windowClass);
    control.rect = rect;
    control.text = std::move(text);
    control.styles = std::move(styles);
    control.styles.push_back("WS_TABSTOP");
    return control;
}

QWidget *PropertyPageBase::dialogItem(const Dialog &page, int id)
{
    return page.GetDlgItem(id);
}

} // namespace ui
