#include "controls/qvrun32/Qvrun32.h"
#include "platform/text/Ansi.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace qvrun32 {

namespace {

struct TextCopy {
    QPoint offset;
    COLORREF colour;
};

// The copies that make up a font style, in painting order; the text itself comes last, on top.
// Raised text is lit from the top-left, lowered text from the bottom-right; "more shading"
// deepens the shade by a second copy.
std::vector<TextCopy> copiesOf(int fontStyle, COLORREF text, COLORREF light, COLORREF shadow)
{
    switch (fontStyle) {
    case Raised:
        return {{{-1, -1}, light}, {{1, 1}, shadow}, {{0, 0}, text}};
    case RaisedShading:
        return {{{-1, -1}, light}, {{2, 2}, shadow}, {{1, 1}, shadow}, {{0, 0}, text}};
    case Lowered:
        return {{{-1, -1}, shadow}, {{1, 1}, light}, {{0, 0}, text}};
    case LoweredShading:
        return {{{-1, -1}, shadow}, {{2, 2}, light}, {{1, 1}, light}, {{0, 0}, text}};
    default:
        return {{{0, 0}, text}};
    }
}

QString textOf(std::string_view ansi, int length)
{
    if (length < 0)
        ansi = ansi.substr(0, ansi.find('\0'));
    else
        ansi = ansi.substr(0, std::min(static_cast<std::size_t>(length), ansi.size()));
    QString text = text::fromAnsi(ansi);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

int layoutFlags(unsigned format)
{
    int flags = (format & DT_CENTER)  ? Qt::AlignHCenter
                : (format & DT_RIGHT) ? Qt::AlignRight
                                      : Qt::AlignLeft;
    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        flags |= (format & DT_VCENTER)  ? Qt::AlignVCenter
                 : (format & DT_BOTTOM) ? Qt::AlignBottom
                                        : Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
        if (format & DT_WORDBREAK)
            flags |= Qt::TextWordWrap;
    }
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    // "&x" underlines x and "&&" shows "&".
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    return flags;
}

// Where the text goes: the layout box handed to the painter and the part of it the text covers,
// both in the coordinates that `placement` maps into the painter's.
struct TextPlacement {
    QRectF box;
    QRectF covered;
    QTransform placement;
};

TextPlacement placeText(const QFontMetrics &metrics, const QRect &rect, int flags,
                        const QString &text, int escapement)
{
    const int tenths = escapement % 3600;
    if (tenths == 0)
        return {rect, metrics.boundingRect(rect, flags, text), QTransform()};
    // Turned text: lay it out across the wider way of the rectangle, turn the laid-out box
    // about its centre and align the turned box in the rectangle.
    const qreal degrees = tenths / 10.0;
    const qreal radians = degrees * std::numbers::pi / 180.0;
    const bool across = std::abs(std::sin(radians)) > std::abs(std::cos(radians));
    const QSize layout = across ? rect.size().transposed() : rect.size();
    const QRect measured = metrics.boundingRect(QRect(QPoint(0, 0), layout), flags, text);
    const QRectF box(-measured.width() / 2.0, -measured.height() / 2.0, measured.width(),
                     measured.height());
    const QTransform turn = QTransform().rotate(-degrees);
    const QSizeF turned = turn.mapRect(box).size();
    const qreal x = (flags & Qt::AlignHCenter) ? rect.x() + rect.width() / 2.0
                    : (flags & Qt::AlignRight) ? rect.x() + rect.width() - turned.width() / 2.0
                                               : rect.x() + turned.width() / 2.0;
    const qreal y = (flags & Qt::AlignVCenter)  ? rect.y() + rect.height() / 2.0
                    : (flags & Qt::AlignBottom) ? rect.y() + rect.height() - turned.height() / 2.0
                                                : rect.y() + turned.height() / 2.0;
    return {box, box, turn * QTransform::fromTranslate(x, y)};
}

int drawText(QPainter &dc, std::string_view ansi, int length, QRect &rect, unsigned format,
             int fontStyle, COLORREF textColor, COLORREF lightColor, COLORREF shadowColor,
             int escapement)
{
    const QString text = textOf(ansi, length);
    int flags = layoutFlags(format);
    const QFontMetrics metrics(dc.font(), dc.device());
    const TextPlacement place = placeText(metrics, rect, flags, text, escapement);
    const int height = qRound(place.covered.height());
    if (format & DT_CALCRECT) {
        rect = QRect(rect.topLeft(), place.placement.mapRect(place.covered).size().toSize());
        return height;
    }

    dc.save();
    if (!(format & DT_NOCLIP))
        dc.setClipRect(rect, Qt::IntersectClip);
    // Every copy is drawn transparently; an opaque background is filled once behind them all,
    // or it would wipe out the copies drawn before it.
    if (dc.backgroundMode() == Qt::OpaqueMode) {
        dc.save();
        dc.setTransform(place.placement, true);
        dc.fillRect(place.covered, dc.background());
        dc.restore();
    }
    dc.setBackgroundMode(Qt::TransparentMode);
    flags |= Qt::TextDontClip;
    if (escapement % 3600 != 0)
        flags = (flags & ~Qt::AlignVertical_Mask) | Qt::AlignVCenter;
    for (const TextCopy &copy : copiesOf(fontStyle, textColor, lightColor, shadowColor)) {
        dc.save();
        dc.translate(copy.offset);
        dc.setTransform(place.placement, true);
        dc.setPen(toQColor(copy.colour));
        dc.drawText(place.box, flags, text);
        dc.restore();
    }
    dc.restore();
    return height;
}

} // namespace

int DrawText3d(QPainter &dc, std::string_view text, int length, QRect &rect, unsigned format,
               int fontStyle, COLORREF textColor, COLORREF lightColor, COLORREF shadowColor)
{
    return drawText(dc, text, length, rect, format, fontStyle, textColor, lightColor, shadowColor,
                    0);
}

int DrawLabelText(QPainter &dc, std::string_view text, int length, QRect &rect, unsigned format,
                  int fontStyle, COLORREF textColor, COLORREF lightColor, COLORREF shadowColor,
                  int escapement)
{
    return drawText(dc, text, length, rect, format, fontStyle, textColor, lightColor, shadowColor,
                    escapement);
}

} // namespace qvrun32
