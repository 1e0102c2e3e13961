#pragma once

#include "platform/ui/PropertyChoicePage.h"

#include <string>

namespace ui {

// The stock colour page: one of the object's colour properties is chosen from a list, its
// colour shows beside it, and Edit... picks another.
class StockColorPage : public PropertyChoicePage {
public:
    StockColorPage() : PropertyChoicePage(ole::PropertyDescription::Kind::Color) {}

    std::string caption() const override { return "Color"; }

    enum Ids { IDC_SAMPLE = 12, IDC_EDIT = 13 };

protected:
    DialogTemplate pageTemplate() const override;
    void prepare(Dialog &page) override;
    void showValue(Dialog &page, const ole::Variant &value) const override;

private:
    void editColor(Dialog &page);
};

} // namespace ui
