#pragma once

#include "wrappers/CDispatchDriver.h"

// Name, dispatch identifier and type of each property of the standard font object.
#define TARVIL_OLEFONT_PROPERTIES(X)                                                               \
    X(Name, 0, std::string)                                                                        \
    X(Size, 2, ole::Currency)                                                                      \
    X(Bold, 3, bool)                                                                               \
    X(Italic, 4, bool)                                                                             \
    X(Underline, 5, bool)                                                                          \
    X(Strikethrough, 6, bool)                                                                      \
    X(Weight, 7, std::int16_t)                                                                     \
    X(Charset, 8, std::int16_t)

// Typed access to a font object; keeps the object alive while it lives.
class COleFont : public CDispatchDriver {
public:
    using CDispatchDriver::CDispatchDriver;

    TARVIL_OLEFONT_PROPERTIES(TARVIL_DISPATCH_PROPERTY)
};
