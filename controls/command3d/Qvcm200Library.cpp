// The 3-D command button library's entry points.

#include "controls/command3d/CQvCommandCtrl.h"
#include "controls/command3d/Qvcm200Pages.h"
#include "controls/common/QvControlLibrary.h"
#include "controls/common/QvPropertyPage.h"
#include "platform/ole/LibraryExports.h"

using Library =
    qv::QvControlLibrary<qvcm200::CQvCommandCtrl, qv::QvPropertyPage<qvcm200::kGeneralPage>,
                         qv::QvPropertyPage<qvcm200::kBevelPage>>;

TARVIL_DLL_EXPORT ole::HRESULT DllRegisterServer()
{
    return Library::registerServer();
}

TARVIL_DLL_STANDARD_ENTRY_POINTS(Library)
