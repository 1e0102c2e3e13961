#include "platform/ui/PropertyChoicePage.h"

#include "platform/ole/Dispatch.h"
#include "platform/text/Ansi.h"
#include "platform/ui/Dialog.h"

#include <QComboBox>

namespace ui {

void PropertyChoicePage::readProperties(Dialog &page)
{
    auto *list = control<QComboBox>(page, IDC_PROPERTY);
    for (const ole::PropertyDescription &property : object()->describeProperties()) {
        if (property.kind != m_kind)
            continue;
        m_choices.push_back({property.id, get(property.id), false});
        list->addItem(text::fromAnsi(property.name));
    }
    QObject::connect(list, &QComboBox::currentIndexChanged, list,
                     [this, &page] { showValue(page, chosenValue(page)); });
    prepare(page);
    showValue(page, chosenValue(page));
}

ole::HRESULT PropertyChoicePage::writeProperties(Dialog &)
{
    for (Choice &choice : m_choices) {
        if (!choice.changed)
            continue;
        if (const ole::HRESULT hr = put(choice.id, choice.value); ole::failed(hr))
            return hr;
        choice.changed = false;
    }
    return ole::S_OK;
}

ole::Variant PropertyChoicePage::chosenValue(const Dialog &page) const
{
    const auto index = chosen(page);
    return index ? m_choices[*index].value : ole::Variant();
}

void PropertyChoicePage::change(Dialog &page, ole::Variant value)
{
    const auto index = chosen(page);
    if (!index)
        return;
    Choice &choice = m_choices[*index];
    choice.value = std::move(value);
    choice.changed = true;
    showValue(page, choice.value);
    setDirty();
}

std::optional<std::size_t> PropertyChoicePage::chosen(const Dialog &page) const
{
    const int index = control<QComboBox>(page, IDC_PROPERTY)->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= m_choices.size())
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

} // namespace ui
