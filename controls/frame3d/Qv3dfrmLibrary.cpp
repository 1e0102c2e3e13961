// The 3-D frame library's entry points.

#include "controls/common/QvControlLibrary.h"
#include "controls/common/QvPropertyPage.h"
#include "controls/frame3d/CQv3dfrmCtrl.h"
#include "controls/frame3d/Qv3dfrmPages.h"
#include "platform/ole/LibraryExports.h"

using Library =
    qv::QvControlLibrary<qv3dfrm::CQv3dfrmCtrl, qv::QvPropertyPage<qv3dfrm::kGeneralPage>>;

TARVIL_DLL_EXPORT ole::HRESULT DllRegisterServer()
{
    return Library::registerServer();
}

TARVIL_DLL_STANDARD_ENTRY_POINTS(Library)
