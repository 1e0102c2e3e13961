#include "tools/qvtest/ValueFormatter.h"

#include "platform/text/Ansi.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

// More decimals than a double holds would only show its noise.
constexpr int kMostDecimals = 15;
// Beyond this a number is written in full by no pattern: %f would give hundreds of digits.
constexpr double kLargestNumber = 1e18;

// The whole digits with a ',' between each group of three.
std::string grouped(const std::string &digits)
{
    std::string result;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            result += ',';
        result += digits[i];
    }
    return result;
}

std::string formatNumber(double number, std::string_view format)
{
    const auto first = format.find_first_of("0#");
    if (first == std::string_view::npos || std::fabs(number) >= kLargestNumber)
        return {};
    const auto last = format.find_last_of("0#");
    const std::string_view places = format.substr(first, last - first + 1);
    if (places.find_first_not_of("0#,.") != std::string_view::npos ||
        std::count(places.begin(), places.end(), '.') > 1)
        return {};
    const auto point = places.find('.');
    const std::string_view whole = places.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : places.substr(point + 1);
    const int mostDecimals =
        std::min<int>(kMostDecimals,
                      static_cast<int>(std::count_if(decimals.begin(), decimals.end(),
                                                     [](char c) { return c == '0' || c == '#'; })));
    const auto leastDecimals =
        static_cast<std::size_t>(std::count(decimals.begin(), decimals.end(), '0'));
    const auto leastWhole = static_cast<std::size_t>(std::count(whole.begin(), whole.end(), '0'));

    char digits[64];
    std::snprintf(digits, sizeof digits, "%.*f", mostDecimals, std::fabs(number));
    std::string text(digits);
    const auto dot = text.find('.');
    std::string wholeDigits = text.substr(0, dot);
    std::string decimalDigits = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    while (decimalDigits.size() > leastDecimals && decimalDigits.back() == '0')
        decimalDigits.pop_back();
    if (wholeDigits == "0" && leastWhole == 0)
        wholeDigits.clear();
    if (wholeDigits.size() < leastWhole)
        wholeDigits.insert(0, leastWhole - wholeDigits.size(), '0');
    if (whole.find(',') != std::string_view::npos)
        wholeDigits = grouped(wholeDigits);
    const bool zero =
        std::all_of(text.begin(), text.end(), [](char c) { return c == '0' || c == '.'; });

    std::string result(format.substr(0, first));
    if (number < 0 && !zero)
        result += '-';
    result += wholeDigits;
    if (!decimalDigits.empty())
        result += '.' + decimalDigits;
    result += format.substr(last + 1);
    return result;
}

std::string formatDate(std::string_view text, std::string_view format)
{
    const QString given = text::fromAnsi(text).trimmed();
    QDateTime moment = QDateTime::fromString(given, Qt::ISODate);
    if (!moment.isValid()) {
        const QDate day = QDate::fromString(given, Qt::ISODate);
        if (!day.isValid())
            return {};
        moment = QDateTime(day, QTime(0, 0));
    }
    return text::toAnsi(QLocale::c().toString(moment, text::fromAnsi(format)));
}

} // namespace

std::string ValueFormatter::format(const ole::Variant &value, std::string_view format)
{
    const auto text = ole::toString(value);
    if (!text || format.empty())
        return {};
    if (const auto number = ole::toDouble(ole::Variant(*text)))
        return formatNumber(*number, format);
    return formatDate(*text, format);
}
