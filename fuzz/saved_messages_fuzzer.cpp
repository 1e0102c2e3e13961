// Reads arbitrary bytes as "Message.sav" is read at start-up, and checks what the reader and
// writer promise together: what was read writes back to bytes that read the same, and a file
// that read without damage is never shorter than what it writes back to, and is identical to it
// when equally long (only the shortest length and count forms, and the class introduced once,
// are written).
#include "paging/SavedMessagesFile.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const std::uint8_t> input(data, size);
    const saved::Parsed parsed = saved::Parse(input);
    const std::vector<std::uint8_t> written = saved::Serialize(parsed.records);

    const saved::Parsed again = saved::Parse(written);
    if (again.damaged || again.records != parsed.records)
        std::abort();
    if (!parsed.damaged &&
        (written.size() > size || (written.size() == size && !std::ranges::equal(written, input))))
        std::abort();
    return 0;
}
