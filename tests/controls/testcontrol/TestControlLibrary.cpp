// The test control library's entry points.

#include "platform/ole/ControlLibrary.h"
#include "platform/ole/LibraryExports.h"
#include "tests/controls/testcontrol/TestCtrl.h"

using Library = ole::ControlLibrary<testcontrol::TestCtrl>;

TARVIL_DLL_EXPORT ole::HRESULT DllRegisterServer()
{
    ole::ClassEntry entry;
    entry.progId = "TVTEST.TestCtrl.1";
    entry.version = "1.0";
    entry.typeName = "Test Control";
    return Library::registerServer(entry);
}

TARVIL_DLL_STANDARD_ENTRY_POINTS(Library)
