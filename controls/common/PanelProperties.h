#pragma once

#include "controls/common/Bool.h"
#include "controls/common/CQvControlBase.h"
#include "controls/common/Colors.h"

#include <cstdint>
#include <vector>

class QPainter;
class QRect;
class QWidget;

namespace qv {

class PropertyExchange;

// The properties of a bordered, bevelled panel that the label and the frame share: they have
// them in this order, under consecutive identifiers, persisted one after the other.
struct PanelProperties {
    explicit PanelProperties(std::int16_t resetBorderStyle) : borderStyle(resetBorderStyle) {}

    // Served by the shared layer under the identifiers from `first` on, each change with all
    // its effects; the control may change an entry's effects before it binds them.
    std::vector<BoundProperty> bind(ole::DispId first);
    void exchange(PropertyExchange &exchange);

    // 1 when there is a border, else 0.
    int borderWidth() const;
    // The text-format flags of the horizontal alignment.
    unsigned alignmentFormat() const;
    // The caption's background: filled with FillColor behind the text unless FontTransparent.
    void setTextBackground(QPainter &dc) const;
    // Draws the border and the bevels into `rect`, with the pushed-in look for a lowered bevel,
    // and returns the interior in it. The rest of the arguments go to the drawing runtime as
    // given.
    void drawBevelFrame(QWidget *window, QPainter &dc, bool fillInterior, bool autosize,
                        int wallpaper, int innerBevelStyle, int innerBevelSize, QRect &rect) const;

    std::int16_t alignment = 0;
    Bool autoSize;
    std::int16_t bevelSize = 0;
    std::int16_t bevelStyle = 0;
    OLE_COLOR borderColor = systemColor(COLOR_WINDOWFRAME);
    std::int16_t borderStyle;
    OLE_COLOR fillColor = systemColor(COLOR_BTNFACE);
    std::int16_t fontStyle = 0;
    Bool fontTransparent;
    OLE_COLOR lightColor = systemColor(COLOR_WINDOW);
    OLE_COLOR shadowColor = systemColor(COLOR_BTNSHADOW);
    OLE_COLOR textColor = systemColor(COLOR_WINDOWTEXT);
    std::int16_t wallPaper = 0;
};

} // namespace qv
