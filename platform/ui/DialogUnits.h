#pragma once

#include <QFont>
#include <QRect>
#include <string>

namespace ui {

// a × b / c rounded to the nearest integer, halves away from zero; -1 when c is 0 or the result
// does not fit, as Windows computes it.
int MulDiv(int a, int b, int c);

// Dialog units of one dialog font: a horizontal unit is a quarter of the font's average
// character width, a vertical unit an eighth of its height, both measured as Windows does.
class DialogUnits {
public:
    explicit DialogUnits(const QFont &font);

    // The template's font: `name` at `pointSize` points on the primary screen.
    static QFont dialogFont(const std::string &name, int pointSize);

    int baseWidth() const { return m_baseWidth; }
    int baseHeight() const { return m_baseHeight; }
    // Each of x, y, width and height converted on its own, as the dialog manager does.
    QRect toPixels(const QRect &dialogUnits) const;

private:
    int m_baseWidth;
    int m_baseHeight;
};

} // namespace ui
