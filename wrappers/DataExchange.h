#pragma once

#include "platform/ole/Types.h"

#include <string>

class CControlWrapper;

namespace ui {
class Dialog;
}

// Dialog data exchange with hosted controls, by control id.

// Binds `wrapper` to the dialog's hosted control `controlId`. When the id holds a placeholder
// (the control could not be created) or nothing, the wrapper is left unbound, and its calls do
// nothing and return zero values.
void DDX_Control(ui::Dialog &dialog, int controlId, CControlWrapper &wrapper);

// Exchanges a string member with property `dispid` of the dialog's hosted control `controlId`:
// writes `value` to the property when the window opens (`saveAndValidate` false), reads the
// property into `value` when the window is accepted (true). False when the control is missing
// or refuses; `value` is then left as it was.
bool DDX_OCText(ui::Dialog &dialog, int controlId, ole::DispId dispid, std::string &value,
                bool saveAndValidate);
