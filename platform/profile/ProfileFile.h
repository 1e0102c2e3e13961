#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace profile {

// The lines of an initialisation file: "[section]" headers, "key=value" lines, and every other
// line (comments, blank lines, junk), which is kept as it is. Section and key names match without
// regard to ASCII case and surrounding blanks; when a section appears twice, the first one counts.
class ProfileFile {
public:
    // Splits the bytes into lines at LF, dropping a CR before it.
    static ProfileFile fromBytes(std::string_view bytes);
    // Every line followed by CR LF.
    std::string toBytes() const;

    // The value of the first line of the key in the section, without surrounding blanks. Found
    // through an index of every key, made by the first look-up after a change, so that reading
    // thousands of keys of one section does not scan the section once per key.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;
    // The section's key names in file order, each once.
    std::vector<std::string> keys(std::string_view section) const;
    // The section names in file order, each once.
    std::vector<std::string> sections() const;

    // The names and values that can be written without changing the meaning of other lines.
    static bool isWritableSection(std::string_view section);
    static bool isWritableKey(std::string_view key);
    static bool isWritableValue(std::string_view value);

    // Mutators return whether a line changed. Their arguments must be writable (see above).
    // setValue replaces the key's value in place, or adds the key after the section's last key,
    // or appends the section at the end.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes every line of the key in the section.
    bool removeKey(std::string_view section, std::string_view key);
    // Removes every section of that name with all its lines.
    bool removeSection(std::string_view section);

private:
    struct Range {
        std::size_t begin; // the header line
        std::size_t end;   // the next header, or the end of the file
    };
    std::optional<Range> findSection(std::string_view section) const;
    // Every key of the first section of each name, as lowerName(section) '\n' lowerName(key), to
    // the key's first line. Made by the first look-up, and dropped by every change that moves,
    // adds or removes lines.
    const std::unordered_map<std::string, std::size_t> &keyLines() const;

    std::vector<std::string> m_lines;
    mutable std::optional<std::unordered_map<std::string, std::size_t>> m_keyLines;
};

} // namespace profile
