#include "platform/ui/StockFontPage.h"

#include "platform/ole/Dispatch.h"
#include "platform/ole/StdFont.h"
#include "platform/text/Ansi.h"
#include "platform/ui/Dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <array>
#include <utility>

namespace ui {

namespace {

using ole::StdFont;

// The style check boxes and the font properties they stand for.
constexpr std::array<std::pair<int, ole::DispId>, 4> kStyles = {{
    {StockFontPage::IDC_BOLD, StdFont::DISPID_BOLD},
    {StockFontPage::IDC_ITALIC, StdFont::DISPID_ITALIC},
    {StockFontPage::IDC_UNDERLINE, StdFont::DISPID_UNDERLINE},
    {StockFontPage::IDC_STRIKEOUT, StdFont::DISPID_STRIKETHROUGH},
}};

} // namespace

DialogTemplate StockFontPage::pageTemplate() const
{
    return pageOf(
        242, 60,
        {
            item(10, "STATIC", QRect(7, 9, 40, 10), "&Font:"),
            item(IDC_NAME, "COMBOBOX", QRect(50, 7, 120, 80), {}, {"CBS_DROPDOWN"}),
            item(12, "STATIC", QRect(177, 9, 25, 10), "&Size:"),
            item(IDC_SIZE, "EDIT", QRect(204, 7, 30, 12), {}, {"WS_BORDER"}),
            item(IDC_BOLD, "BUTTON", QRect(50, 27, 60, 10), "&Bold", {"BS_AUTOCHECKBOX"}),
            item(IDC_ITALIC, "BUTTON", QRect(50, 41, 60, 10), "&Italic", {"BS_AUTOCHECKBOX"}),
            item(IDC_UNDERLINE, "BUTTON", QRect(120, 27, 60, 10), "&Underline",
                 {"BS_AUTOCHECKBOX"}),
            item(IDC_STRIKEOUT, "BUTTON", QRect(120, 41, 60, 10), "S&trikeout",
                 {"BS_AUTOCHECKBOX"}),
        });
}

void StockFontPage::readProperties(Dialog &page)
{
    m_font = ole::toDispatch(get(ole::DISPID_FONT)).value_or(nullptr);
    if (!m_font) {
        // An object without a font has nothing to show here.
        for (QWidget *child : page.findChildren<QWidget *>())
            child->setEnabled(false);
        return;
    }
    auto *name = control<QComboBox>(page, IDC_NAME);
    name->addItems(QFontDatabase::families());
    name->setCurrentText(
        text::fromAnsi(ole::toString(get(*m_font, StdFont::DISPID_NAME)).value_or("")));
    auto *size = control<QLineEdit>(page, IDC_SIZE);
    size->setText(text::fromAnsi(ole::toString(get(*m_font, StdFont::DISPID_SIZE)).value_or("")));
    watchEdits(name);
    watchEdits(size);
    for (const auto &[id, property] : kStyles) {
        auto *box = control<QCheckBox>(page, id);
        box->setChecked(ole::toBool(get(*m_font, property)).value_or(false));
        watchEdits(box);
    }
}

ole::HRESULT StockFontPage::writeProperties(Dialog &page)
{
    const std::string name = text::toAnsi(control<QComboBox>(page, IDC_NAME)->currentText());
    const std::string size = text::toAnsi(control<QLineEdit>(page, IDC_SIZE)->text());
    if (const ole::HRESULT hr = put(*m_font, StdFont::DISPID_NAME, name); ole::failed(hr))
        return hr;
    if (const ole::HRESULT hr = put(*m_font, StdFont::DISPID_SIZE, size); ole::failed(hr))
        return hr;
    for (const auto &[id, property] : kStyles) {
        const bool checked = control<QCheckBox>(page, id)->isChecked();
        if (const ole::HRESULT hr = put(*m_font, property, checked); ole::failed(hr))
            return hr;
    }
    return ole::S_OK;
}

} // namespace ui
