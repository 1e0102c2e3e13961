#pragma once

#include <string_view>

namespace text {

// The number at the start of a text as the C library's atoi reads it: blanks, an optional sign,
// decimal digits; whatever follows is ignored. 0 when there are no digits; clamped to int.
int LeadingInteger(std::string_view text);

} // namespace text
