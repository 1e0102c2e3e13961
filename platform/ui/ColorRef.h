#pragma once

#include <QColor>

// Colours as settings, window messages and the container store them: 0x00BBGGRR, red in the
// low byte; the high byte is ignored.
namespace ui {

QColor fromColorRef(int value);
int toColorRef(const QColor &color);

} // namespace ui
