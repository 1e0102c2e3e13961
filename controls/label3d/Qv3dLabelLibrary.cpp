// The 3-D label library's entry points.

#include "controls/common/QvControlLibrary.h"
#include "controls/label3d/CQv3dLabelCtrl.h"
#include "platform/ole/LibraryExports.h"

using Library = qv::QvControlLibrary<qv3dlbl::CQv3dLabelCtrl>;

TARVIL_DLL_EXPORT ole::HRESULT DllRegisterServer()
{
    return Library::registerServer();
}

TARVIL_DLL_STANDARD_ENTRY_POINTS(Library)
