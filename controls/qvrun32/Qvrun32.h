#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

class QPainter;
class QRect;
class QWidget;

namespace ole {
class StdPicture;
}

// The controls' drawing runtime: three-dimensional text and bevelled frames, the picture
// holder, the About box and HIMETRIC conversions. Colours reaching it are already translated
// plain RGB values 0x00BBGGRR.
namespace qvrun32 {

using COLORREF = std::uint32_t;

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

// Draws ANSI `text` (length -1: up to its end) in `rect` with the painter's current font,
// raised or lowered in the light and shadow colours. With DT_CALCRECT it only measures, setting
// `rect` to the text's extent. Returns the height of the text.
int DrawText3d(QPainter &dc, std::string_view text, int length, QRect &rect, unsigned format,
               int fontStyle, COLORREF textColor, COLORREF lightColor, COLORREF shadowColor);
// As DrawText3d, with the text turned by `escapement` tenths of a degree counter-clockwise.
int DrawLabelText(QPainter &dc, std::string_view text, int length, QRect &rect, unsigned format,
                  int fontStyle, COLORREF textColor, COLORREF lightColor, COLORREF shadowColor,
                  int escapement);
// Draws the border (style 0 none, 1 single line, 2 single line with rounded corners, in
// `borderColor`, `borderWidth` wide) and the outer and inner bevels (styles 0 none, 1 raised,
// 2 inset, 3 raised-inset, 4 inset-raised; sizes in pixels; `pressed` gives the pushed-in look),
// fills what is inside with `fillColor` unless `picture` says a picture will cover it, and
// returns in `rect` the interior left inside them.
void DrawBevelFrame(QWidget *window, QPainter &dc, int bevelSize, int borderWidth,
                    int borderStyle, int bevelStyle, bool pressed, bool picture,
                    COLORREF shadowColor, COLORREF lightColor, COLORREF fillColor,
                    COLORREF borderColor, int reserved0, bool autosize, int reserved1,
                    int wallpaper, int innerBevelStyle, int innerBevelSize, QRect &rect);

// HIMETRIC (1/100 mm) to screen pixels.
int XHimetricToPixels(long himetric);
int YHimetricToPixels(long himetric);

// Holds a picture object and draws it into a rectangle.
class CQVPictureHolder {
public:
    CQVPictureHolder();
    virtual ~CQVPictureHolder();

    void SetPicture(std::shared_ptr<ole::StdPicture> picture);
    const std::shared_ptr<ole::StdPicture> &Picture() const { return m_picture; }
    bool IsEmpty() const;

    // Wallpaper 0 stretches the picture to `rect`, 1 copies it at natural size from the
    // top-left, 2 tiles it; the rest of `rect` is filled with `background`.
    virtual void Render(QPainter &dc, const QRect &rect, int wallpaper, COLORREF background);

private:
    std::shared_ptr<ole::StdPicture> m_picture;
};

// The About box of the controls.
class CQvAboutDlg {
public:
    explicit CQvAboutDlg(QWidget *parent);
    int DoModal();

private:
    QWidget *m_parent;
};

} // namespace qvrun32
