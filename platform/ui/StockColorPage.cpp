#include "platform/ui/StockColorPage.h"

#include "platform/ui/ColorRef.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Dialog.h"

#include <QLabel>
#include <QPushButton>
#include <cstdint>

namespace ui {

namespace {

// A value with this high byte names a system colour by its index.
constexpr std::uint32_t kSystemColor = 0x80000000u;

bool isSystemColor(std::int32_t value)
{
    return (static_cast<std::uint32_t>(value) & 0xFF000000u) == kSystemColor;
}

} // namespace

DialogTemplate StockColorPage::pageTemplate() const
{
    return pageOf(
        242, 80,
        {
            item(10, "STATIC", QRect(7, 9, 70, 10), "Property &Name:"),
            item(IDC_PROPERTY, "COMBOBOX", QRect(80, 7, 120, 80), {}, {"CBS_DROPDOWNLIST"}),
            item(14, "STATIC", QRect(7, 29, 70, 10), "Color:"),
            item(IDC_SAMPLE, "STATIC", QRect(80, 27, 60, 14)),
            item(IDC_EDIT, "BUTTON", QRect(145, 27, 55, 14), "&Edit..."),
        });
}

void StockColorPage::prepare(Dialog &page)
{
    control<QLabel>(page, IDC_SAMPLE)->setAutoFillBackground(true);
    QObject::connect(control<QPushButton>(page, IDC_EDIT), &QPushButton::clicked, &page,
                     [this, &page] { editColor(page); });
}

void StockColorPage::showValue(Dialog &page, const ole::Variant &value) const
{
    auto *sample = control<QLabel>(page, IDC_SAMPLE);
    QPalette palette = page.palette();
    sample->clear();
    if (const auto color = ole::toLong(value); color && !isSystemColor(*color))
        palette.setColor(QPalette::Window, fromColorRef(*color));
    else if (color)
        sample->setText(QStringLiteral("System %1").arg(*color & 0xFF));
    sample->setPalette(palette);
}

void StockColorPage::editColor(Dialog &page)
{
    const auto current = ole::toLong(chosenValue(page));
    if (!current)
        return;
    if (const auto chosen = ChooseColor(&page, isSystemColor(*current) ? 0 : *current))
        change(page, std::int32_t{*chosen & 0x00FFFFFF});
}

} // namespace ui
