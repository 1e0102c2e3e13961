#include "platform/text/Ansi.h"

#include <algorithm>
#include <array>

namespace text {
namespace {

// Characters of the bytes 0x80-0x9F. The five bytes Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the control characters of the same value, as Windows maps them.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr unsigned char kFirstHigh = 0x80;
constexpr unsigned char kLastHigh = 0x9F;

char toByte(char16_t unit)
{
    if (unit < kFirstHigh || (unit > kLastHigh && unit <= 0xFF))
        return static_cast<char>(unit);
    const auto found = std::find(kHighControls.begin(), kHighControls.end(), unit);
    if (found == kHighControls.end())
        return '?';
    return static_cast<char>(kFirstHigh + (found - kHighControls.begin()));
}

} // namespace

QString fromAnsi(std::string_view ansi)
{
    QString unicode(static_cast<qsizetype>(ansi.size()), Qt::Uninitialized);
    QChar *out = unicode.data();
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        const bool high = byte >= kFirstHigh && byte <= kLastHigh;
        *out++ = QChar(high ? kHighControls[byte - kFirstHigh] : char16_t{byte});
    }
    return unicode;
}

std::string toAnsi(QStringView unicode)
{
    std::string ansi;
    ansi.reserve(static_cast<std::size_t>(unicode.size()));
    for (qsizetype i = 0; i < unicode.size(); ++i) {
        const QChar unit = unicode[i];
        if (unit.isHighSurrogate() && i + 1 < unicode.size() && unicode[i + 1].isLowSurrogate()) {
            ++i;
            ansi += '?';
        } else {
            ansi += toByte(unit.unicode());
        }
    }
    return ansi;
}

} // namespace text
