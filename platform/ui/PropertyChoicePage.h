#pragma once

#include "platform/ole/PropertyDescription.h"
#include "platform/ole/Variant.h"
#include "platform/ui/PropertyPageBase.h"

#include <optional>
#include <vector>

namespace ui {

// A stock page that edits one property at a time, chosen from a list of the object's
// properties of one kind (as its type information names them). The values edited are kept
// per property and written on Apply.
class PropertyChoicePage : public PropertyPageBase {
public:
    // The list of properties.
    static constexpr int IDC_PROPERTY = 11;

protected:
    explicit PropertyChoicePage(ole::PropertyDescription::Kind kind) : m_kind(kind) {}

    void readProperties(Dialog &page) final;
    ole::HRESULT writeProperties(Dialog &page) final;

    // Connects the page's own buttons; called once the list is filled.
    virtual void prepare(Dialog &page) = 0;
    // Shows `value`, that of the chosen property (empty when there is none).
    virtual void showValue(Dialog &page, const ole::Variant &value) const = 0;

    // The chosen property's value; empty when there is none.
    ole::Variant chosenValue(const Dialog &page) const;
    // Gives the chosen property `value`, to be written on Apply.
    void change(Dialog &page, ole::Variant value);

private:
    struct Choice {
        ole::DispId id;
        ole::Variant value;
        bool changed;
    };

    // The index of the chosen property in m_choices; nullopt when there is none.
    std::optional<std::size_t> chosen(const Dialog &page) const;

    const ole::PropertyDescription::Kind m_kind;
    std::vector<Choice> m_choices;
};

} // namespace ui
