#include "controls/qvrun32/CQVPictureHolder.h"

#include "controls/qvrun32/Qvrun32.h"
#include "platform/ole/StdPicture.h"

#include <QBrush>
#include <QPainter>

namespace qvrun32 {

CQVPictureHolder::CQVPictureHolder() = default;

CQVPictureHolder::~CQVPictureHolder() = default;

void CQVPictureHolder::SetPicture(std::shared_ptr<ole::StdPicture> picture)
{
    m_picture = std::move(picture);
}

bool CQVPictureHolder::IsEmpty() const
{
    if (!m_picture || m_picture->image().isNull())
        return true;
    const ole::StdPicture::Type type = m_picture->type();
    return type != ole::StdPicture::Type::Bitmap && type != ole::StdPicture::Type::Icon;
}

QSize CQVPictureHolder::NaturalSize() const
{
    return IsEmpty() ? QSize() : m_picture->image().size();
}

void CQVPictureHolder::Render(QPainter &dc, const QRect &rect, int wallpaper, COLORREF background)
{
    dc.fillRect(rect, toQColor(background));
    if (IsEmpty() || rect.isEmpty())
        return;
    const QImage &image = m_picture->image();
    const QSize natural = NaturalSize();

    dc.save();
    dc.setClipRect(rect, Qt::IntersectClip);
    // A plain copy: no smoothing when the picture is scaled.
    dc.setRenderHint(QPainter::SmoothPixmapTransform, false);
    switch (wallpaper) {
    case WallpaperNatural:
        if (!natural.isEmpty())
            dc.drawImage(QRect(rect.topLeft(), natural), image);
        break;
    case WallpaperTile:
        // One brush fill, however small the tiles are.
        if (!natural.isEmpty()) {
            QBrush tiles(image);
            tiles.setTransform(
                QTransform::fromScale(static_cast<qreal>(natural.width()) / image.width(),
                                      static_cast<qreal>(natural.height()) / image.height()));
            dc.setBrushOrigin(rect.topLeft());
            dc.fillRect(rect, tiles);
        }
        break;
    default:
        dc.drawImage(rect, image);
        break;
    }
    dc.restore();
}

} // namespace qvrun32
