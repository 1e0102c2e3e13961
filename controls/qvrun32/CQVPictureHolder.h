#pragma once

#include "controls/qvrun32/ColorRef.h"

#include <QSize>
#include <memory>

class QPainter;
class QRect;

namespace ole {
class StdPicture;
}

namespace qvrun32 {

// How a picture fills a rectangle.
enum Wallpaper { WallpaperStretch = 0, WallpaperNatural = 1, WallpaperTile = 2 };

// Holds a picture object and draws it into a rectangle.
class CQVPictureHolder {
public:
    CQVPictureHolder();
    virtual ~CQVPictureHolder();

    void SetPicture(std::shared_ptr<ole::StdPicture> picture);
    const std::shared_ptr<ole::StdPicture> &Picture() const { return m_picture; }
    // True without a picture or with one that has nothing to draw.
    bool IsEmpty() const;
    // The picture's size in pixels, whatever resolution its file states; empty when IsEmpty().
    QSize NaturalSize() const;

    // Fills `rect` with `background` and draws the picture over it by the Wallpaper mode
    // (an unknown mode stretches): stretched to `rect`, at its natural size from the top-left,
    // or tiled at its natural size from the top-left. Icons
    // keep their transparency. Nothing is drawn outside `rect`.
    virtual void Render(QPainter &dc, const QRect &rect, int wallpaper, COLORREF background);

private:
    std::shared_ptr<ole::StdPicture> m_picture;
};

} // namespace qvrun32
