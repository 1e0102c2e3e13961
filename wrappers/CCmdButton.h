#pragma once

#include "wrappers/CControlWrapper.h"

// Name, dispatch identifier and type of every property of the push-button control. The program
// needs only Enabled; the properties without a known meaning are named after their identifier
// (Property1 is identifier 1), and the objects they hold of no known interface are reached
// through a plain CDispatchDriver.
#define TARVIL_CMDBUTTON_PROPERTIES(X)                                                             \
    X(Property1, 1, std::int32_t)                                                                  \
    X(Property3, 3, std::string)                                                                   \
    X(Property4, 4, bool)                                                                          \
    X(Property5, 5, bool)                                                                          \
    X(Property6, 6, bool)                                                                          \
    X(Property7, 7, float)                                                                         \
    X(Property8, 8, bool)                                                                          \
    X(Property9, 9, CDispatchDriver)                                                               \
    X(Property10, 10, std::int32_t)                                                                \
    X(Property11, 11, std::int32_t)                                                                \
    X(Property12, 12, std::int32_t)                                                                \
    X(Property13, 13, std::int16_t)                                                                \
    X(Property14, 14, std::int32_t)                                                                \
    X(Property15, 15, bool)                                                                        \
    X(Property16, 16, float)                                                                       \
    X(Property17, 17, std::int32_t)                                                                \
    X(Property18, 18, bool)                                                                        \
    X(Property19, 19, bool)                                                                        \
    X(Property20, 20, std::int32_t)                                                                \
    X(Property21, 21, bool)                                                                        \
    X(Property22, 22, bool)                                                                        \
    X(Property23, 23, bool)                                                                        \
    X(Property24, 24, CDispatchDriver)                                                             \
    X(Property25, 25, CDispatchDriver)                                                             \
    X(Property26, 26, std::int32_t)                                                                \
    X(Property27, 27, std::int32_t)                                                                \
    X(Property28, 28, std::int32_t)                                                                \
    X(Property29, 29, std::int32_t)                                                                \
    X(Property30, 30, std::int32_t)                                                                \
    X(Property31, 31, std::string)                                                                 \
    X(Property32, 32, std::int32_t)                                                                \
    X(Property33, 33, CDispatchDriver)                                                             \
    X(Property34, 34, std::int32_t)                                                                \
    X(Property35, 35, std::int32_t)                                                                \
    X(Property36, 36, ole::Variant)                                                                \
    X(Property37, 37, std::int32_t)                                                                \
    X(BackColor, -501, std::int32_t)                                                               \
    X(ForeColor, -513, std::int32_t)                                                               \
    X(Font, -512, COleFont)                                                                        \
    X(Caption, -518, std::string)                                                                  \
    X(BorderStyle, -504, std::int32_t)                                                             \
    X(Enabled, -514, bool)                                                                         \
    X(hWnd, -515, std::int32_t)

// Typed access to a hosted push-button control.
class CCmdButton : public CControlWrapper {
public:
    static constexpr ole::Clsid kClsid{
        0x94737E71, 0x55A9, 0x45C7, {0x8B, 0x33, 0xBD, 0xB0, 0x6C, 0xC4, 0x43, 0x0A}};

    CCmdButton() : CControlWrapper(kClsid) {}

    TARVIL_CMDBUTTON_PROPERTIES(TARVIL_DISPATCH_PROPERTY)
};
