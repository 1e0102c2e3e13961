#pragma once

#include "wrappers/CControlWrapper.h"

// Name, dispatch identifier and type of every property of the 3-D frame control.
#define TARVIL_QV3DFRM_PROPERTIES(X)                                                               \
    X(FontBold, 2, bool)                                                                           \
    X(FontItalic, 3, bool)                                                                         \
    X(FontName, 4, std::string)                                                                    \
    X(FontSize, 5, float)                                                                          \
    X(FontStrikethru, 6, bool)                                                                     \
    X(FontUnderline, 7, bool)                                                                      \
    X(Alignment, 8, std::int32_t)                                                                  \
    X(AutoSize, 9, bool)                                                                           \
    X(BevelSize, 10, std::int16_t)                                                                 \
    X(BevelStyle, 11, std::int32_t)                                                                \
    X(BorderColor, 12, std::int32_t)                                                               \
    X(BorderStyle, 13, std::int32_t)                                                               \
    X(FillColor, 14, std::int32_t)                                                                 \
    X(FontStyle, 15, std::int32_t)                                                                 \
    X(FontTransparent, 16, bool)                                                                   \
    X(LightColor, 17, std::int32_t)                                                                \
    X(ShadowColor, 18, std::int32_t)                                                               \
    X(TextColor, 19, std::int32_t)                                                                 \
    X(WallPaper, 20, std::int32_t)                                                                 \
    X(Picture, 21, CPicture)                                                                       \
    X(NoPrefix, 22, bool)                                                                          \
    X(BackColor, -501, std::int32_t)                                                               \
    X(Enabled, -514, bool)                                                                         \
    X(Font, -512, COleFont)                                                                        \
    X(ForeColor, -513, std::int32_t)                                                               \
    X(hWnd, -515, std::int16_t)                                                                    \
    X(MouseIcon, 23, CPicture)                                                                     \
    X(MousePointer, 1, std::int32_t)                                                               \
    X(FormatString, 24, std::string)                                                               \
    X(Caption, -518, std::string)

// Typed access to a hosted 3-D frame control.
class CQv3dfrm : public CControlWrapper {
public:
    static constexpr ole::Clsid kClsid{
        0xA49F71D7, 0xE142, 0x46A4, {0xA5, 0x24, 0x3D, 0x95, 0x30, 0x04, 0xE4, 0xC6}};

    CQv3dfrm() : CControlWrapper(kClsid) {}

    TARVIL_QV3DFRM_PROPERTIES(TARVIL_DISPATCH_PROPERTY)
};
