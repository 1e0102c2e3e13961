#pragma once

#include "wrappers/CDispatchDriver.h"

// Name, dispatch identifier and type of the read-only and the writable properties of the
// standard picture object.
#define TARVIL_PICTURE_READONLY_PROPERTIES(X)                                                      \
    X(Handle, 0, std::int32_t)                                                                     \
    X(Type, 3, std::int16_t)                                                                       \
    X(Width, 4, std::int32_t)                                                                      \
    X(Height, 5, std::int32_t)
#define TARVIL_PICTURE_PROPERTIES(X) X(hPal, 2, std::int32_t)

// Typed access to a picture object; keeps the object alive while it lives.
class CPicture : public CDispatchDriver {
public:
    using CDispatchDriver::CDispatchDriver;

    TARVIL_PICTURE_READONLY_PROPERTIES(TARVIL_DISPATCH_PROPERTY_GET)
    TARVIL_PICTURE_PROPERTIES(TARVIL_DISPATCH_PROPERTY)
};
