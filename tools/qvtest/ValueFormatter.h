#pragma once

#include "platform/ole/Variant.h"

#include <string>
#include <string_view>

// The formatting service qvtest offers the controls it hosts, so that a FormatString can be seen
// at work. A number is formatted by a pattern of digit places: "0" a digit always shown, "#" a
// digit shown only when it counts, one "." before the decimals, a "," among the whole places for
// thousands separators; text before and after the places stays ("$#,##0.00 net"). A date, or a
// date and time, in ISO form ("2026-12-08", "2026-12-08T09:30:00") is formatted by a date
// pattern as Qt writes them (yyyy, MM, MMM, dd, ddd, hh, mm, ss, AP). Anything else, and a
// number with a format of no digit places, formats to empty text: the control keeps its text.
class ValueFormatter {
public:
    static std::string format(const ole::Variant &value, std::string_view format);
};
