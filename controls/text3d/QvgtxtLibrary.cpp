// The 3-D text box library's entry points.

#include "controls/common/QvControlLibrary.h"
#include "controls/text3d/CQv3dTextCtrl.h"
#include "platform/ole/LibraryExports.h"

using Library = qv::QvControlLibrary<qvgtxt::CQv3dTextCtrl>;

TARVIL_DLL_EXPORT ole::HRESULT DllRegisterServer()
{
    return Library::registerServer();
}

TARVIL_DLL_STANDARD_ENTRY_POINTS(Library)
