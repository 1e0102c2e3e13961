#include "platform/text/LeadingInteger.h"

#include <algorithm>
#include <climits>

namespace text {

int LeadingInteger(std::string_view text)
{
    // Digits beyond int's range stop mattering once the number passes it.
    constexpr long long kBeyond = static_cast<long long>(INT_MAX) + 1;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long number = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        number = std::min(number * 10 + (text[i] - '0'), kBeyond);
    return static_cast<int>(std::clamp(negative ? -number : number, static_cast<long long>(INT_MIN),
                                       static_cast<long long>(INT_MAX)));
}

} // namespace text
