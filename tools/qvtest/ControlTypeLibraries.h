#pragma once

#include "controls/common/TypeInfo.h"
#include "platform/ole/Clsid.h"

// The type information of the 3-D controls, which the controls describe themselves with: their
// properties with types, their events, their enumerations.
class ControlTypeLibraries {
public:
    // The type library of the control class `clsid`; null for a class none of them describes.
    static const qv::TypeLibInfo *find(const ole::Clsid &clsid);
};
