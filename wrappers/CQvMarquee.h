#pragma once

#include "wrappers/CControlWrapper.h"

// Name, dispatch identifier and type of every property of the marquee control.
#define TARVIL_QVMARQUEE_PROPERTIES(X)                                                             \
    X(FontSize, 2, float)                                                                          \
    X(FontBold, 3, bool)                                                                           \
    X(FontItalic, 4, bool)                                                                         \
    X(FontStrikethru, 5, bool)                                                                     \
    X(FontUnderline, 6, bool)                                                                      \
    X(Autosize, 7, bool)                                                                           \
    X(FontTransparent, 8, bool)                                                                    \
    X(PictureTop, 9, std::int16_t)                                                                 \
    X(PictureLeft, 10, std::int16_t)                                                               \
    X(PictureRight, 11, std::int16_t)                                                              \
    X(PictureBottom, 12, std::int16_t)                                                             \
    X(CaptionTop, 13, std::int16_t)                                                                \
    X(CaptionLeft, 14, std::int16_t)                                                               \
    X(CaptionRight, 15, std::int16_t)                                                              \
    X(CaptionBottom, 16, std::int16_t)                                                             \
    X(BorderColor, 17, std::int32_t)                                                               \
    X(LightColor, 18, std::int32_t)                                                                \
    X(OuterFillColor, 19, std::int32_t)                                                            \
    X(ShadowColor, 20, std::int32_t)                                                               \
    X(Style, 21, std::int32_t)                                                                     \
    X(TextColor, 22, std::int32_t)                                                                 \
    X(TextFillColor, 23, std::int32_t)                                                             \
    X(Interval, 24, std::int32_t)                                                                  \
    X(Picture1, 25, CPicture)                                                                      \
    X(Picture2, 26, CPicture)                                                                      \
    X(Picture3, 27, CPicture)                                                                      \
    X(FontStyle, 28, std::int32_t)                                                                 \
    X(BackColor, -501, std::int32_t)                                                               \
    X(Enabled, -514, bool)                                                                         \
    X(Caption, -518, std::string)                                                                  \
    X(Font, -512, COleFont)                                                                        \
    X(ForeColor, -513, std::int32_t)                                                               \
    X(hWnd, -515, std::int16_t)                                                                    \
    X(_Caption, 0, std::string)                                                                    \
    X(Direction, 29, std::int32_t)                                                                 \
    X(MousePointer, 1, std::int32_t)                                                               \
    X(MouseIcon, 30, CPicture)                                                                     \
    X(FontName, 31, std::string)

// Typed access to a hosted marquee control.
class CQvMarquee : public CControlWrapper {
public:
    static constexpr ole::Clsid kClsid{
        0x67318EFD, 0x317B, 0x4B4C, {0xA2, 0x6A, 0xA2, 0x18, 0x8F, 0x88, 0x83, 0x64}};

    CQvMarquee() : CControlWrapper(kClsid) {}

    TARVIL_QVMARQUEE_PROPERTIES(TARVIL_DISPATCH_PROPERTY)
};
