#include "controls/common/PanelProperties.h"

#include "controls/common/PropertyExchange.h"
#include "controls/qvrun32/Qvrun32.h"

#include <QPainter>

namespace qv {

std::vector<BoundProperty> PanelProperties::bind(ole::DispId first)
{
    ole::DispId id = first;
    return {
        {.id = id++, .member = &alignment, .low = 0, .high = 2},
        {.id = id++, .member = &autoSize},
        {.id = id++, .member = &bevelSize, .low = 0},
        {.id = id++, .member = &bevelStyle, .low = 0, .high = 4},
        {.id = id++, .member = &borderColor},
        {.id = id++, .member = &borderStyle, .low = 0, .high = 2},
        {.id = id++, .member = &fillColor},
        {.id = id++, .member = &fontStyle, .low = 0, .high = 4},
        {.id = id++, .member = &fontTransparent},
        {.id = id++, .member = &lightColor},
        {.id = id++, .member = &shadowColor},
        {.id = id++, .member = &textColor},
        {.id = id++, .member = &wallPaper, .low = 0, .high = 2},
    };
}

void PanelProperties::exchange(PropertyExchange &exchange)
{
    exchange.exchange(alignment);
    exchange.exchange(autoSize);
    exchange.exchange(bevelSize);
    exchange.exchange(bevelStyle);
    exchange.exchange(borderColor);
    exchange.exchange(borderStyle);
    exchange.exchange(fillColor);
    exchange.exchange(fontStyle);
    exchange.exchange(fontTransparent);
    exchange.exchange(lightColor);
    exchange.exchange(shadowColor);
    exchange.exchange(textColor);
    exchange.exchange(wallPaper);
}

int PanelProperties::borderWidth() const
{
    return borderStyle != qvrun32::BorderNone ? 1 : 0;
}

unsigned PanelProperties::alignmentFormat() const
{
    switch (alignment) {
    case 1:
        return qvrun32::DT_RIGHT;
    case 2:
        return qvrun32::DT_CENTER;
    default:
        return qvrun32::DT_LEFT;
    }
}

void PanelProperties::setTextBackground(QPainter &dc) const
{
    dc.setBackgroundMode(fontTransparent ? Qt::TransparentMode : Qt::OpaqueMode);
    dc.setBackground(toQColor(translateColor(fillColor)));
}

void PanelProperties::drawBevelFrame(QWidget *window, QPainter &dc, bool fillInterior,
                                     bool autosize, int wallpaper, int innerBevelStyle,
                                     int innerBevelSize, QRect &rect) const
{
    qvrun32::DrawBevelFrame(window, dc, bevelSize, borderWidth(), borderStyle, bevelStyle,
                            bevelStyle == qvrun32::BevelLowered, fillInterior,
                            translateColor(shadowColor), translateColor(lightColor),
                            translateColor(fillColor), translateColor(borderColor), 0, autosize, 1,
                            wallpaper, innerBevelStyle, innerBevelSize, rect);
}

} // namespace qv
