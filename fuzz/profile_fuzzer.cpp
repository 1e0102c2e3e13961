// Feeds arbitrary bytes to the initialisation-file parser, then writes, reads and removes a
// section, key and value taken from the input, checking that the file keeps its meaning across a
// save and a reload.
#include "platform/profile/ProfileFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using profile::ProfileFile;

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

ProfileFile reloaded(const ProfileFile &file)
{
    const std::string bytes = file.toBytes();
    auto again = ProfileFile::fromBytes(bytes);
    check(again.toBytes() == bytes);
    return again;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    auto file = reloaded(ProfileFile::fromBytes(input));

    // The first three parts of the input, split at '|', name what to write.
    std::string_view parts[3];
    std::string_view rest = input;
    for (auto &part : parts) {
        part = rest.substr(0, rest.find('|'));
        rest.remove_prefix(std::min(rest.size(), part.size() + 1));
    }
    const auto [section, key, value] = parts;
    for (const auto &name : file.keys(section))
        check(file.value(section, name).has_value());

    if (!ProfileFile::isWritableSection(section) || !ProfileFile::isWritableKey(key) ||
        !ProfileFile::isWritableValue(value))
        return 0;
    file.setValue(section, key, value);
    check(file.value(section, key) == trimBlanks(value)); // the key index follows the change
    file = reloaded(file);
    check(file.value(section, key) == trimBlanks(value));

    file.removeKey(section, key);
    check(!reloaded(file).value(section, key));
    file.setValue(section, key, value);
    file.removeSection(section);
    check(reloaded(file).keys(section).empty());
    return 0;
}
