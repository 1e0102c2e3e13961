#include "tools/qvtest/ControlTypeLibraries.h"

#include "controls/command3d/CQvCommandCtrl.h"
#include "controls/command3d/Qvcm200TypeLib.h"
#include "controls/frame3d/Qv3dfrmTypeLib.h"
#include "controls/label3d/Qv3dLabelTypeLib.h"
#include "controls/marquee/CQvMarqueeCtrl.h"
#include "controls/marquee/Qvmq200TypeLib.h"
#include "controls/text3d/Qv3dTextTypeLib.h"

#include <utility>

const qv::TypeLibInfo *ControlTypeLibraries::find(const ole::Clsid &clsid)
{
    static constexpr std::pair<ole::Clsid, const qv::TypeLibInfo *> kLibraries[] = {
        {qvmq200::CQvMarqueeCtrl::kClsid, &qvmq200::kTypeLib},
        {qvgtxt::CQv3dTextCtrl::kClsid, &qvgtxt::kTextTypeLib},
        {qv3dlbl::CQv3dLabelCtrl::kClsid, &qv3dlbl::kLabelTypeLib},
        {qvcm200::CQvCommandCtrl::kClsid, &qvcm200::kTypeLib},
        {qv3dfrm::CQv3dfrmCtrl::kClsid, &qv3dfrm::kFrameTypeLib},
    };
    for (const auto &[libraryClsid, typeLib] : kLibraries)
        if (libraryClsid == clsid)
            return typeLib;
    return nullptr;
}
