#pragma once

#include "wrappers/CControlWrapper.h"

// Name, dispatch identifier and type of every property of the 3-D label control.
#define TARVIL_QV3DLABEL_PROPERTIES(X)                                                             \
    X(Caption, 2, std::string)                                                                     \
    X(FontBold, 3, bool)                                                                           \
    X(FontItalic, 4, bool)                                                                         \
    X(FontName, 5, std::string)                                                                    \
    X(FontSize, 6, float)                                                                          \
    X(FontStrikethru, 7, bool)                                                                     \
    X(FontUnderline, 8, bool)                                                                      \
    X(Alignment, 9, std::int32_t)                                                                  \
    X(AutoSize, 10, bool)                                                                          \
    X(BevelSize, 11, std::int16_t)                                                                 \
    X(BevelStyle, 12, std::int32_t)                                                                \
    X(BorderColor, 13, std::int32_t)                                                               \
    X(BorderStyle, 14, std::int32_t)                                                               \
    X(FillColor, 15, std::int32_t)                                                                 \
    X(FontStyle, 16, std::int32_t)                                                                 \
    X(FontTransparent, 17, bool)                                                                   \
    X(LightColor, 18, std::int32_t)                                                                \
    X(ShadowColor, 19, std::int32_t)                                                               \
    X(TextColor, 20, std::int32_t)                                                                 \
    X(WallPaper, 21, std::int32_t)                                                                 \
    X(Picture, 22, CPicture)                                                                       \
    X(BevelStyleInside, 23, std::int32_t)                                                          \
    X(BevelSizeInside, 24, std::int16_t)                                                           \
    X(Multiline, 25, bool)                                                                         \
    X(FontEscapement, 26, std::int16_t)                                                            \
    X(FontOrientation, 27, std::int16_t)                                                           \
    X(VAlignment, 28, std::int32_t)                                                                \
    X(NoPrefix, 29, bool)                                                                          \
    X(GlobalMem, 30, bool)                                                                         \
    X(MousePointer, 1, std::int32_t)                                                               \
    X(BackColor, -501, std::int32_t)                                                               \
    X(Enabled, -514, bool)                                                                         \
    X(Font, -512, COleFont)                                                                        \
    X(ForeColor, -513, std::int32_t)                                                               \
    X(hWnd, -515, std::int16_t)                                                                    \
    X(MouseIcon, 31, CPicture)                                                                     \
    X(FormatString, 32, std::string)                                                               \
    X(BevelSizeInner, 33, std::int16_t)                                                            \
    X(BevelStyleInner, 34, std::int32_t)

// Typed access to a hosted 3-D label control.
class CQv3dLabel : public CControlWrapper {
public:
    static constexpr ole::Clsid kClsid{
        0x550FA24F, 0x5C89, 0x4232, {0x95, 0xB0, 0xB3, 0x4B, 0xDF, 0x47, 0x90, 0x60}};

    CQv3dLabel() : CControlWrapper(kClsid) {}

    TARVIL_QV3DLABEL_PROPERTIES(TARVIL_DISPATCH_PROPERTY)
};
