#pragma once

#include "platform/ui/PropertyChoicePage.h"

#include <string>

namespace ui {

// The stock picture page: one of the object's picture properties is chosen from a list and
// shown; Browse... loads a bitmap or icon file into it, Clear empties it.
class StockPicturePage : public PropertyChoicePage {
public:
    StockPicturePage() : PropertyChoicePage(ole::PropertyDescription::Kind::Picture) {}

    std::string caption() const override { return "Picture"; }

    enum Ids { IDC_PREVIEW = 12, IDC_BROWSE = 13, IDC_CLEAR = 14 };

protected:
    DialogTemplate pageTemplate() const override;
    void prepare(Dialog &page) override;
    void showValue(Dialog &page, const ole::Variant &value) const override;

private:
    void browse(Dialog &page);
};

} // namespace ui
