#pragma once

#include "platform/ole/Variant.h"
#include "platform/ui/PropertyPageBase.h"

#include <string>

namespace ui {

// The stock font page: the name, size and style of the object's Font, written to that font
// object, which tells the object of each change.
class StockFontPage : public PropertyPageBase {
public:
    std::string caption() const override { return "Font"; }

    enum Ids {
        IDC_NAME = 11,
        IDC_SIZE = 13,
        IDC_BOLD = 14,
        IDC_ITALIC = 15,
        IDC_UNDERLINE = 16,
        IDC_STRIKEOUT = 17
    };

protected:
    DialogTemplate pageTemplate() const override;
    void readProperties(Dialog &page) override;
    ole::HRESULT writeProperties(Dialog &page) override;

private:
    ole::DispatchPtr m_font;
};

} // namespace ui
