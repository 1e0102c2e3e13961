#pragma once

#include "controls/qvrun32/CQVPictureHolder.h"
#include "controls/qvrun32/CQvAboutDlg.h"
#include "controls/qvrun32/ColorRef.h"

#include <string_view>

class QPainter;
class QRect;
class QWidget;

// The controls' drawing runtime: three-dimensional text and bevelled frames, the picture
// holder, the About box and HIMETRIC conversions. Colours reaching it are already translated
// plain RGB values 0x00BBGGRR.
namespace qvrun32 {

// Text-format flags, with the values of the platform's text drawing.
enum : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
};

// Font styles of the 3-D text routines.
enum FontStyle { None = 0, Raised = 1, RaisedShading = 2, Lowered = 3, LoweredShading = 4 };

// Border styles of DrawBevelFrame.
enum BorderStyle { BorderNone = 0, BorderSingle = 1, BorderRounded = 2 };

// Bevel styles of DrawBevelFrame, outer and inner, numbered as the controls number their own
// bevel styles so that they pass them on unchanged. A shadowed style casts a drop shadow of the
// bevel size to the right and bottom, or to the left and top.
enum BevelStyle {
    BevelLowered = 0,
    BevelRaised = 1,
    BevelChiseled = 2,
    BevelShadowedRight = 3,
    BevelShadowedLeft = 4,
};

// Draws ANSI `text` (a negative length: up to its terminating zero or the end of the view) in
// `rect` with the painter's current font, raised or lowered in the light and shadow colours.
// An opaque background mode fills the text's extent once, behind all of its copies. With
// DT_CALCRECT it only measures, setting `rect` to the text's extent from its top-left corner.
// Returns the height of the text.
int DrawText3d(QPainter &dc, std::string_view text, int length, QRect &rect, unsigned format,
               int fontStyle, COLORREF textColor, COLORREF lightColor, COLORREF shadowColor);
// As DrawText3d, with the text turned by `escapement` tenths of a degree counter-clockwise; the
// turned text is placed in `rect` by the alignment flags.
int DrawLabelText(QPainter &dc, std::string_view text, int length, QRect &rect, unsigned format,
                  int fontStyle, COLORREF textColor, COLORREF lightColor, COLORREF shadowColor,
                  int escapement);

// Draws into the control's whole drawing rectangle `rect`, from the outside in: the border
// (BorderStyle, `borderWidth` pixels in `borderColor`; BorderNone with a width draws a square line
// like BorderSingle, callers pass width 0 for no border), the outer bevel (`bevelStyle`,
// `bevelSize` pixels) and the inner bevel (`innerBevelStyle`, `innerBevelSize`) in the light and
// shadow colours; an unknown bevel style draws no bevel. `pressed` gives the pushed-in look: light
// and shadow change places, except on a lowered bevel, which looks pushed in already. When
// `fillInterior` is set the interior is filled with `fillColor`; callers clear it when a picture
// will cover the interior. Returns in `rect` the interior left inside. Edges fall on device pixels
// at any device pixel ratio. The window, the two reserved values, the autosize flag and the
// wallpaper mode belong to the callers' argument list but do not change the drawing: callers draw
// their pictures themselves.
void DrawBevelFrame(QWidget *window, QPainter &dc, int bevelSize, int borderWidth, int borderStyle,
                    int bevelStyle, bool pressed, bool fillInterior, COLORREF shadowColor,
                    COLORREF lightColor, COLORREF fillColor, COLORREF borderColor, int reserved0,
                    bool autosize, int reserved1, int wallpaper, int innerBevelStyle,
                    int innerBevelSize, QRect &rect);

// HIMETRIC (1/100 mm) to pixels at the primary screen's logical resolution (96 dpi without a
// screen), rounded to the nearest pixel.
int XHimetricToPixels(long himetric);
int YHimetricToPixels(long himetric);

} // namespace qvrun32
