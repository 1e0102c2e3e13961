// The 3-D test control library's entry points.

#include "controls/common/QvControlLibrary.h"
#include "platform/ole/LibraryExports.h"
#include "tests/controls/qv/CQvTestCtrl.h"

using Library = qv::QvControlLibrary<qvtest::CQvTestCtrl>;

TARVIL_DLL_EXPORT ole::HRESULT DllRegisterServer()
{
    return Library::registerServer();
}

TARVIL_DLL_STANDARD_ENTRY_POINTS(Library)
