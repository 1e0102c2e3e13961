#include "platform/ui/ColorRef.h"

namespace ui {

QColor fromColorRef(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int toColorRef(const QColor &color)
{
    return color.red() | color.green() << 8 | color.blue() << 16;
}

} // namespace ui
