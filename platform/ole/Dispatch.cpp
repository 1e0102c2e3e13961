#include "platform/ole/Dispatch.h"

#include <algorithm>
#include <cctype>

namespace ole {

DispId findMemberId(std::span<const MemberName> members, std::string_view name)
{
    const auto sameName = [name](const MemberName &member) {
        return std::ranges::equal(member.name, name, [](unsigned char a, unsigned char b) {
            return std::tolower(a) == std::tolower(b);
        });
    };
    const auto it = std::ranges::find_if(members, sameName);
    return it == members.end() ? DISPID_UNKNOWN : it->id;
}

} // namespace ole
