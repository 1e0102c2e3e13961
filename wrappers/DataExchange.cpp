#include "wrappers/DataExchange.h"

#include "platform/ole/Control.h"
#include "platform/ui/Dialog.h"
#include "wrappers/CControlWrapper.h"

void DDX_Control(ui::Dialog &dialog, int controlId, CControlWrapper &wrapper)
{
    wrapper.Attach(dialog.controls().control(controlId));
}

bool DDX_OCText(ui::Dialog &dialog, int controlId, ole::DispId dispid, std::string &value,
                bool saveAndValidate)
{
    CDispatchDriver control;
    control.Attach(dialog.controls().control(controlId));
    if (!saveAndValidate) {
        control.SetProperty<std::string>(dispid, value);
        return ole::succeeded(control.LastResult());
    }
    std::string read = control.GetProperty<std::string>(dispid);
    if (ole::failed(control.LastResult()))
        return false;
    value = std::move(read);
    return true;
}
