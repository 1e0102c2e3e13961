#pragma once

#include "platform/ole/Types.h"

#include <string>

namespace ole {

// One property of an object as its type information describes it, for the stock property
// pages, which offer the properties of one kind.
struct PropertyDescription {
    enum class Kind { Other, Color, Font, Picture };

    std::string name;
    DispId id = DISPID_UNKNOWN;
    Kind kind = Kind::Other;
};

} // namespace ole
