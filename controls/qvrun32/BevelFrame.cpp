#include "controls/qvrun32/Qvrun32.h"

#include <QMargins>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace qvrun32 {

namespace {

// Outer radius of a rounded border, in pixels, beyond its width.
constexpr int kRoundedCornerRadius = 3;

struct BevelColours {
    QColor light;
    QColor shadow;
};

// `rect` with `margins` taken off, never narrower or lower than nothing.
QRect shrink(const QRect &rect, const QMargins &margins)
{
    const int left = std::min(rect.x() + std::max(margins.left(), 0), rect.x() + rect.width());
    const int top = std::min(rect.y() + std::max(margins.top(), 0), rect.y() + rect.height());
    const int right = std::max(rect.x() + rect.width() - std::max(margins.right(), 0), left);
    const int bottom = std::max(rect.y() + rect.height() - std::max(margins.bottom(), 0), top);
    return QRect(left, top, right - left, bottom - top);
}

// The room a bevel takes on each side.
QMargins bevelMargins(int style, int size)
{
    switch (style) {
    case BevelLowered:
    case BevelRaised:
    case BevelChiseled:
        return QMargins(size, size, size, size);
    case BevelShadowedRight:
        return QMargins(0, 0, size, size);
    case BevelShadowedLeft:
        return QMargins(size, size, 0, 0);
    default:
        return QMargins();
    }
}

// A logical rectangle in device pixels. Each edge is scaled and rounded on its own, so
// rectangles that meet in logical pixels meet in device pixels, at any ratio.
QRect toDevice(const QRect &logical, qreal ratio)
{
    const auto edge = [ratio](int value) {
        return qRound(value * ratio);
    };
    const int left = edge(logical.x());
    const int top = edge(logical.y());
    return QRect(left, top, edge(logical.x() + logical.width()) - left,
                 edge(logical.y() + logical.height()) - top);
}

void fillBand(QPainter &dc, int x, int y, int width, int height, const QColor &colour)
{
    if (width > 0 && height > 0)
        dc.fillRect(QRect(x, y, width, height), colour);
}

// Fills the ring between `outer` and `inner` (device pixels).
void fillRing(QPainter &dc, const QRect &outer, const QRect &inner, const QColor &colour)
{
    const int outerRight = outer.x() + outer.width();
    const int innerRight = inner.x() + inner.width();
    const int innerBottom = inner.y() + inner.height();
    fillBand(dc, outer.x(), outer.y(), outer.width(), inner.y() - outer.y(), colour);
    fillBand(dc, outer.x(), innerBottom, outer.width(), outer.y() + outer.height() - innerBottom,
             colour);
    fillBand(dc, outer.x(), inner.y(), inner.x() - outer.x(), inner.height(), colour);
    fillBand(dc, innerRight, inner.y(), outerRight - innerRight, inner.height(), colour);
}

// Colours of the top-left and bottom-right sides of the band `index` (0 outermost) of a bevel
// `width` device pixels wide on that side. A chiseled bevel is a groove: lowered outside,
// raised inside.
std::pair<QColor, QColor> bandColours(int style, int index, int width, const BevelColours &c)
{
    const bool raised =
        style == BevelRaised || (style == BevelChiseled && index >= (width + 1) / 2);
    return raised ? std::pair(c.light, c.shadow) : std::pair(c.shadow, c.light);
}

// Draws a lowered, raised or chiseled bevel between `outer` and `inner` (device pixels) one
// device pixel wide band after another, so that the corners are mitred on the device grid. The
// top-left sides own the top-left corner, the bottom-right sides the other three.
void drawBands(QPainter &dc, const QRect &outer, const QRect &inner, int style,
               const BevelColours &colours)
{
    const int left = inner.x() - outer.x();
    const int top = inner.y() - outer.y();
    const int right = outer.x() + outer.width() - inner.x() - inner.width();
    const int bottom = outer.y() + outer.height() - inner.y() - inner.height();
    const int bands = std::max({left, top, right, bottom});
    for (int i = 0; i < bands; ++i) {
        const int x = outer.x() + std::min(i, left);
        const int y = outer.y() + std::min(i, top);
        const int xEnd = outer.x() + outer.width() - std::min(i, right);
        const int yEnd = outer.y() + outer.height() - std::min(i, bottom);
        if (i < top)
            fillBand(dc, x, y, xEnd - x - (i < right ? 1 : 0), 1,
                     bandColours(style, i, top, colours).first);
        if (i < left)
            fillBand(dc, x, y, 1, yEnd - y - (i < bottom ? 1 : 0),
                     bandColours(style, i, left, colours).first);
        if (i < bottom)
            fillBand(dc, x, yEnd - 1, xEnd - x, 1, bandColours(style, i, bottom, colours).second);
        if (i < right)
            fillBand(dc, xEnd - 1, y, 1, yEnd - y, bandColours(style, i, right, colours).second);
    }
}

// Draws a drop shadow `size` pixels deep inside `outer` (logical pixels): an L along the right
// and bottom or the left and top, offset by its depth; the two corners it leaves get
// `fillColour`.
void drawDropShadow(QPainter &dc, qreal ratio, const QRect &outer, int style, int size,
                    const QColor &shadow, const QColor &fillColour)
{
    const int depth = std::min({size, outer.width(), outer.height()});
    if (depth <= 0)
        return;
    const int right = outer.x() + outer.width();
    const int bottom = outer.y() + outer.height();
    const auto fill = [&](int x, int y, int width, int height, const QColor &colour) {
        const QRect band = toDevice(QRect(x, y, width, height), ratio);
        fillBand(dc, band.x(), band.y(), band.width(), band.height(), colour);
    };
    fill(right - depth, outer.y(), depth, depth, fillColour);
    fill(outer.x(), bottom - depth, depth, depth, fillColour);
    if (style == BevelShadowedRight) {
        fill(right - depth, outer.y() + depth, depth, outer.height() - depth, shadow);
        fill(outer.x() + depth, bottom - depth, outer.width() - 2 * depth, depth, shadow);
    } else {
        fill(outer.x(), outer.y(), depth, outer.height() - depth, shadow);
        fill(outer.x() + depth, outer.y(), outer.width() - 2 * depth, depth, shadow);
    }
}

// Draws one bevel inside `outer` (logical pixels) and returns what is left inside it.
QRect drawBevel(QPainter &dc, qreal ratio, const QRect &outer, int style, int size,
                const BevelColours &colours, const QColor &fillColour)
{
    const QRect inner = shrink(outer, bevelMargins(style, size));
    if (inner == outer)
        return inner;
    if (style == BevelShadowedRight || style == BevelShadowedLeft)
        drawDropShadow(dc, ratio, outer, style, size, colours.shadow, fillColour);
    else
        drawBands(dc, toDevice(outer, ratio), toDevice(inner, ratio), style, colours);
    return inner;
}

// Draws the border inside `outer` (logical pixels) and returns what is left inside it.
QRect drawBorder(QPainter &dc, qreal ratio, const QRect &outer, int style, int width,
                 const QColor &colour)
{
    if (width <= 0)
        return outer;
    const QRect inner = shrink(outer, QMargins(width, width, width, width));
    const QRect deviceOuter = toDevice(outer, ratio);
    const QRect deviceInner = toDevice(inner, ratio);
    // A width given with no border style still draws a square line: a focused borderless
    // button shows its focus that way.
    if (style != BorderRounded) {
        fillRing(dc, deviceOuter, deviceInner, colour);
        return inner;
    }
    // Only the outer corners are curved: the straight edges stay on the device grid, and the
    // inside stays square so that the bevel meets the border without a gap.
    const qreal radius = (kRoundedCornerRadius + width) * ratio;
    QPainterPath ring;
    ring.setFillRule(Qt::OddEvenFill);
    ring.addRoundedRect(QRectF(deviceOuter), radius, radius);
    ring.addRect(QRectF(deviceInner));
    dc.setRenderHint(QPainter::Antialiasing, true);
    dc.fillPath(ring, colour);
    dc.setRenderHint(QPainter::Antialiasing, false);
    return inner;
}

} // namespace

void DrawBevelFrame(QWidget * /*window*/, QPainter &dc, int bevelSize, int borderWidth,
                    int borderStyle, int bevelStyle, bool pressed, bool fillInterior,
                    COLORREF shadowColor, COLORREF lightColor, COLORREF fillColor,
                    COLORREF borderColor, int /*reserved0*/, bool /*autosize*/, int /*reserved1*/,
                    int /*wallpaper*/, int innerBevelStyle, int innerBevelSize, QRect &rect)
{
    const qreal ratio = dc.device() ? dc.device()->devicePixelRatioF() : 1.0;
    const QColor fillColour = toQColor(fillColor);
    const BevelColours colours{toQColor(lightColor), toQColor(shadowColor)};
    const BevelColours pushed{colours.shadow, colours.light};

    dc.save();
    dc.setRenderHint(QPainter::Antialiasing, false);
    // Work in device pixels from here on.
    dc.scale(1.0 / ratio, 1.0 / ratio);

    QRect inside =
        drawBorder(dc, ratio, rect.normalized(), borderStyle, borderWidth, toQColor(borderColor));
    inside = drawBevel(dc, ratio, inside, bevelStyle, bevelSize,
                       pressed && bevelStyle != BevelLowered ? pushed : colours, fillColour);
    inside = drawBevel(dc, ratio, inside, innerBevelStyle, innerBevelSize, colours, fillColour);
    if (fillInterior)
        dc.fillRect(toDevice(inside, ratio), fillColour);

    dc.restore();
    rect = inside;
}

} // namespace qvrun32
