#pragma once

#include "wrappers/CControlWrapper.h"

// Name, dispatch identifier and type of every property of the 3-D command button control.
#define TARVIL_QVCM200_PROPERTIES(X)                                                               \
    X(Caption, -518, std::string)                                                                  \
    X(FontName, 2, std::string)                                                                    \
    X(FontSize, 3, float)                                                                          \
    X(FontBold, 4, bool)                                                                           \
    X(FontItalic, 5, bool)                                                                         \
    X(FontStrikethru, 6, bool)                                                                     \
    X(FontUnderline, 7, bool)                                                                      \
    X(PictureUp, 8, CPicture)                                                                      \
    X(PictureDown, 9, CPicture)                                                                    \
    X(Autosize, 10, bool)                                                                          \
    X(Alignment, 11, std::int32_t)                                                                 \
    X(MultiLine, 12, bool)                                                                         \
    X(StateButton, 13, bool)                                                                       \
    X(Value, 14, bool)                                                                             \
    X(FontStyle, 15, std::int32_t)                                                                 \
    X(BevelSize, 16, std::int16_t)                                                                 \
    X(BorderColor, 17, std::int32_t)                                                               \
    X(BorderStyle, 18, std::int32_t)                                                               \
    X(FillColor, 19, std::int32_t)                                                                 \
    X(LightColor, 20, std::int32_t)                                                                \
    X(ShadowColor, 21, std::int32_t)                                                               \
    X(TextColor, 22, std::int32_t)                                                                 \
    X(WallPaper, 23, std::int32_t)                                                                 \
    X(BevelStyle, 24, std::int32_t)                                                                \
    X(BackColor, -501, std::int32_t)                                                               \
    X(Enabled, -514, bool)                                                                         \
    X(Font, -512, COleFont)                                                                        \
    X(ForeColor, -513, std::int32_t)                                                               \
    X(hWnd, -515, std::int16_t)                                                                    \
    X(FontTransparent, 25, bool)                                                                   \
    X(MousePointer, 1, std::int32_t)                                                               \
    X(MouseIcon, 26, CPicture)                                                                     \
    X(_Value, 0, bool)

// Typed access to a hosted 3-D command button control.
class CQvcm200 : public CControlWrapper {
public:
    static constexpr ole::Clsid kClsid{
        0x17CCB4CE, 0xE838, 0x4FB1, {0xB1, 0x2E, 0xEF, 0xE1, 0x50, 0x18, 0x6E, 0x2A}};

    CQvcm200() : CControlWrapper(kClsid) {}

    TARVIL_QVCM200_PROPERTIES(TARVIL_DISPATCH_PROPERTY)
};
