#include "controls/common/CQvPropertyPage.h"

#include "controls/common/CQvControlBase.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/text/Ansi.h"
#include "platform/ui/Dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

namespace qv {

namespace {

// The layout in dialog units.
constexpr int kMargin = 7;
constexpr int kPageWidth = 242;
constexpr int kLabelWidth = 75;
constexpr int kFieldLeft = 85;
constexpr int kFieldWidth = 150;
constexpr int kRowStep = 16;
constexpr int kFieldHeight = 12;
constexpr int kLongTextHeight = 36;
constexpr int kListHeight = 80; // with the dropped-down list
constexpr int kCheckColumn = 118;
constexpr int kCheckHeight = 10;
constexpr int kCheckStep = 14;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

using Kind = PageField::Kind;

} // namespace

CQvPropertyPage::CQvPropertyPage(const PageInfo &info) : m_info(info) {}

ui::DialogTemplate CQvPropertyPage::pageTemplate() const
{
    std::vector<ui::DialogControlTemplate> controls;
    int top = kMargin;
    // The rows of fields first, then the check boxes two to a row.
    for (std::size_t i = 0; i < m_info.fields.size(); ++i) {
        const PageField &field = m_info.fields[i];
        if (field.kind == Kind::Check)
            continue;
        const int height = field.kind == Kind::LongText ? kLongTextHeight : kFieldHeight;
        controls.push_back(item(fieldId(i) - 1, "STATIC", QRect(kMargin, top + 2, kLabelWidth, 10),
                                std::string(field.label)));
        if (field.kind == Kind::List)
            controls.push_back(item(fieldId(i), "COMBOBOX",
                                    QRect(kFieldLeft, top, kFieldWidth, kListHeight), {},
                                    {"CBS_DROPDOWNLIST", "WS_VSCROLL"}));
        else
            controls.push_back(
                item(fieldId(i), "EDIT", QRect(kFieldLeft, top, kFieldWidth, height), {},
                     field.kind == Kind::LongText
                         ? std::vector<std::string>{"ES_MULTILINE", "WS_BORDER", "WS_VSCROLL"}
                         : std::vector<std::string>{"WS_BORDER"}));
        top += height + kRowStep - kFieldHeight;
    }
    int checks = 0;
    for (std::size_t i = 0; i < m_info.fields.size(); ++i) {
        const PageField &field = m_info.fields[i];
        if (field.kind != Kind::Check)
            continue;
        controls.push_back(
            item(fieldId(i), "BUTTON",
                 QRect(kMargin + (checks % 2) * kCheckColumn, top + (checks / 2) * kCheckStep,
                       kCheckColumn - kMargin, kCheckHeight),
                 std::string(field.label), {"BS_AUTOCHECKBOX"}));
        ++checks;
    }
    top += (checks + 1) / 2 * kCheckStep;
    if (m_info.about) {
        controls.push_back(
            item(IDC_ABOUT, "BUTTON",
                 QRect(kPageWidth - kMargin - kButtonWidth, top + 4, kButtonWidth, kButtonHeight),
                 "A&bout..."));
        top += 4 + kButtonHeight;
    }
    return pageOf(kPageWidth, top + kMargin, std::move(controls));
}

void CQvPropertyPage::readProperties(ui::Dialog &page)
{
    for (std::size_t i = 0; i < m_info.fields.size(); ++i) {
        const PageField &field = m_info.fields[i];
        QWidget *widget = page.GetDlgItem(fieldId(i));
        const ole::Variant value = get(field.id);
        const QString text = text::fromAnsi(ole::toString(value).value_or(std::string()));
        switch (field.kind) {
        case Kind::List:
            fillList(field, widget);
            static_cast<QComboBox *>(widget)->setCurrentIndex(ole::toShort(value).value_or(-1));
            break;
        case Kind::Number:
        case Kind::Text:
            static_cast<QLineEdit *>(widget)->setText(text);
            break;
        case Kind::LongText:
            static_cast<QPlainTextEdit *>(widget)->setPlainText(
                QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            break;
        case Kind::Check:
            static_cast<QCheckBox *>(widget)->setChecked(ole::toBool(value).value_or(false));
            break;
        }
        watchEdits(widget, [this, i] { m_edited.insert(i); });
    }
    if (auto *about = control<QPushButton>(page, IDC_ABOUT))
        QObject::connect(about, &QPushButton::clicked, about, [this] { showAboutBox(); });
}

ole::HRESULT CQvPropertyPage::writeProperties(ui::Dialog &page)
{
    while (!m_edited.empty()) {
        const std::size_t i = *m_edited.begin();
        const PageField &field = m_info.fields[i];
        QWidget *widget = page.GetDlgItem(fieldId(i));
        ole::Variant value;
        switch (field.kind) {
        case Kind::List:
            value = static_cast<std::int16_t>(static_cast<QComboBox *>(widget)->currentIndex());
            break;
        case Kind::Number:
        case Kind::Text:
            value = text::toAnsi(static_cast<QLineEdit *>(widget)->text());
            break;
        case Kind::LongText:
            value = text::toAnsi(static_cast<QPlainTextEdit *>(widget)->toPlainText().replace(
                QStringLiteral("\n"), QStringLiteral("\r\n")));
            break;
        case Kind::Check:
            value = static_cast<QCheckBox *>(widget)->isChecked();
            break;
        }
        if (const ole::HRESULT hr = put(field.id, value); ole::failed(hr))
            return hr;
        m_edited.erase(i);
    }
    return ole::S_OK;
}

void CQvPropertyPage::showAboutBox()
{
    if (m_aboutRequests > 0)
        return;
    ++m_aboutRequests;
    std::shared_ptr<ole::Control> about;
    if (ole::succeeded(ole::ComponentLoader::createInstance(m_info.control->clsid, about)))
        about->invoke(ole::DISPID_ABOUTBOX, {});
    about.reset();
    --m_aboutRequests;
}

void CQvPropertyPage::fillList(const PageField &field, QWidget *widget) const
{
    auto *list = static_cast<QComboBox *>(widget);
    if (list->count() > 0)
        return;
    for (std::string_view item : field.items)
        list->addItem(text::fromAnsi(item));
    const auto &enumerations = m_info.control->typeLib->enumerations;
    const auto found = std::ranges::find(enumerations, field.enumeration, &EnumInfo::name);
    if (!field.items.empty() || found == enumerations.end())
        return;
    for (const EnumValue &constant : found->values)
        list->addItem(text::fromAnsi(std::to_string(constant.value) + " - " +
                                     std::string(constant.description)));
}

} // namespace qv
