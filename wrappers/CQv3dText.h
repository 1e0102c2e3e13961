#pragma once

#include "wrappers/CControlWrapper.h"

// Name, dispatch identifier and type of every property of the 3-D text control.
#define TARVIL_QV3DTEXT_PROPERTIES(X)                                                              \
    X(FontBold, 2, bool)                                                                           \
    X(FontItalic, 3, bool)                                                                         \
    X(FontName, 4, std::string)                                                                    \
    X(FontSize, 5, float)                                                                          \
    X(FontStrikethru, 6, bool)                                                                     \
    X(FontUnderline, 7, bool)                                                                      \
    X(Alignment, 8, std::int32_t)                                                                  \
    X(BevelSize, 9, std::int16_t)                                                                  \
    X(BevelStyle, 10, std::int32_t)                                                                \
    X(BorderColor, 11, std::int32_t)                                                               \
    X(BorderStyle, 12, std::int32_t)                                                               \
    X(FillColor, 13, std::int32_t)                                                                 \
    X(LightColor, 14, std::int32_t)                                                                \
    X(ShadowColor, 15, std::int32_t)                                                               \
    X(TextColor, 16, std::int32_t)                                                                 \
    X(Multiline, 17, bool)                                                                         \
    X(ScrollBars, 18, std::int32_t)                                                                \
    X(SelLength, 19, std::int32_t)                                                                 \
    X(SelStart, 20, std::int32_t)                                                                  \
    X(SelText, 21, std::string)                                                                    \
    X(TextLength, 22, std::int32_t)                                                                \
    X(DataLength, 23, bool)                                                                        \
    X(ReadOnly, 24, bool)                                                                          \
    X(BackColor, -501, std::int32_t)                                                               \
    X(Enabled, -514, bool)                                                                         \
    X(Font, -512, COleFont)                                                                        \
    X(ForeColor, -513, std::int32_t)                                                               \
    X(hWnd, -515, std::int16_t)                                                                    \
    X(Text, -517, std::string)                                                                     \
    X(_Text, 0, std::string)                                                                       \
    X(MousePointer, 1, std::int32_t)                                                               \
    X(MouseIcon, 25, CPicture)

// Typed access to a hosted 3-D text control.
class CQv3dText : public CControlWrapper {
public:
    static constexpr ole::Clsid kClsid{
        0x7F5B66D2, 0x02C7, 0x4839, {0xAE, 0x0F, 0xC7, 0x84, 0xFC, 0x59, 0x94, 0xBC}};

    CQv3dText() : CControlWrapper(kClsid) {}

    TARVIL_QV3DTEXT_PROPERTIES(TARVIL_DISPATCH_PROPERTY)
};
