// The 3-D label library's entry points.

#include "controls/common/QvControlLibrary.h"
#include "controls/common/QvPropertyPage.h"
#include "controls/label3d/CQv3dLabelCtrl.h"
#include "controls/label3d/Qv3dLabelPages.h"
#include "platform/ole/LibraryExports.h"

using Library =
    qv::QvControlLibrary<qv3dlbl::CQv3dLabelCtrl, qv::QvPropertyPage<qv3dlbl::kGeneralPage>,
                         qv::QvPropertyPage<qv3dlbl::kBevelPage>,
                         qv::QvPropertyPage<qv3dlbl::kLetteringPage>>;

TARVIL_DLL_EXPORT ole::HRESULT DllRegisterServer()
{
    return Library::registerServer();
}

TARVIL_DLL_STANDARD_ENTRY_POINTS(Library)
