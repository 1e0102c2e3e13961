#include "platform/ui/DialogUnits.h"

#include "platform/text/Ansi.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstdint>
#include <limits>

namespace ui {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    std::int64_t product = std::int64_t{a} * b;
    std::int64_t divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const std::int64_t half = divisor / 2;
    const std::int64_t result = (product < 0 ? product - half : product + half) / divisor;
    if (result > std::numeric_limits<int>::max() || result < -std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(result);
}

DialogUnits::DialogUnits(const QFont &font)
{
    const QFontMetrics metrics(font);
    const int alphabetWidth = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseWidth = (alphabetWidth / 26 + 1) / 2;
    m_baseHeight = metrics.height();
}

QFont DialogUnits::dialogFont(const std::string &name, int pointSize)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int dpi = screen ? qRound(screen->logicalDotsPerInchY()) : 96;
    QFont font(text::fromAnsi(name));
    // A point size becomes the character height in pixels, as Windows sizes dialog fonts.
    font.setPixelSize(std::max(1, MulDiv(pointSize, dpi, 72)));
    return font;
}

QRect DialogUnits::toPixels(const QRect &dialogUnits) const
{
    return QRect(MulDiv(dialogUnits.x(), m_baseWidth, 4), MulDiv(dialogUnits.y(), m_baseHeight, 8),
                 MulDiv(dialogUnits.width(), m_baseWidth, 4),
                 MulDiv(dialogUnits.height(), m_baseHeight, 8));
}

} // namespace ui
