// The library's entry points: self-registration and the class factory of the push button.

#include "controls/pushbutton/PushButtonCtrl.h"
#include "platform/ole/ControlLibrary.h"
#include "platform/ole/LibraryExports.h"

using Library = ole::ControlLibrary<pushbutton::PushButtonCtrl>;

TARVIL_DLL_EXPORT ole::HRESULT DllRegisterServer()
{
    ole::ClassEntry entry;
    entry.progId = pushbutton::PushButtonCtrl::kProgId;
    entry.version = "1.0";
    // Recompose on resize, cannot link inside, inside-out, activate when visible, set client
    // site first.
    entry.miscStatus = 0x20191;
    entry.typeName = "Push Button Control";
    return Library::registerServer(entry);
}

TARVIL_DLL_STANDARD_ENTRY_POINTS(Library)
