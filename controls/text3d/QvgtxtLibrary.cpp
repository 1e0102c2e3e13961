// The 3-D text box library's entry points.

#include "controls/common/QvControlLibrary.h"
#include "controls/common/QvPropertyPage.h"
#include "controls/text3d/CQv3dTextCtrl.h"
#include "controls/text3d/Qv3dTextPages.h"
#include "platform/ole/LibraryExports.h"

using Library =
    qv::QvControlLibrary<qvgtxt::CQv3dTextCtrl, qv::QvPropertyPage<qvgtxt::kGeneralPage>>;

TARVIL_DLL_EXPORT ole::HRESULT DllRegisterServer()
{
    return Library::registerServer();
}

TARVIL_DLL_STANDARD_ENTRY_POINTS(Library)
