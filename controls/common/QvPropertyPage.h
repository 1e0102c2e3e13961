#pragma once

#include "controls/common/CQvPropertyPage.h"
#include "controls/common/PageInfo.h"

#include <string_view>

namespace qv {

// The class of the property page `Info` describes, as a control library serves it: its own
// class identifier and ProgID.
template <const PageInfo &Info> class QvPropertyPage final : public CQvPropertyPage {
public:
    static constexpr ole::Clsid kClsid = Info.clsid;
    static constexpr std::string_view kProgId = Info.progId;

    QvPropertyPage() : CQvPropertyPage(Info) {}
};

} // namespace qv
