#pragma once

#include "controls/common/PageInfo.h"
#include "platform/ui/PropertyPageBase.h"

#include <set>
#include <string>

class QWidget;

namespace qv {

// A display control's own property page, laid out from its table: a label and a field per row,
// the check boxes two to a row, and the About button last. Fields edited since the last Apply
// are the ones written.
class CQvPropertyPage : public ui::PropertyPageBase {
public:
    explicit CQvPropertyPage(const PageInfo &info);

    std::string caption() const override { return std::string(m_info.caption); }

    // Control ids: the field of row i is kFirstField + 2 i, its label the id before it.
    static constexpr int kFirstField = 1001;
    static constexpr int IDC_ABOUT = 2000;

protected:
    ui::DialogTemplate pageTemplate() const override;
    void readProperties(ui::Dialog &page) override;
    ole::HRESULT writeProperties(ui::Dialog &page) override;

private:
    // Shows the About box through a temporary control of the page's class, destroyed
    // afterwards; a request while one is being prepared or shown is dropped.
    void showAboutBox();
    // Fills a list that has no items yet.
    void fillList(const PageField &field, QWidget *list) const;
    static int fieldId(std::size_t index) { return kFirstField + 2 * static_cast<int>(index); }

    const PageInfo &m_info;
    std::set<std::size_t> m_edited; // indices of fields edited since the last Apply
    int m_aboutRequests = 0;
};

} // namespace qv
