#include "platform/profile/ProfileFile.h"

#include <algorithm>
#include <set>

namespace profile {
namespace {

constexpr std::string_view kBlanks = " \t";
// Characters that would end a line early or be cut by a peer that stops at a zero byte.
constexpr std::string_view kLineBreaks{"\r\n\0", 3};

std::string_view trim(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowerName(std::string_view name)
{
    std::string lower(trim(name));
    std::transform(lower.begin(), lower.end(), lower.begin(), asciiLower);
    return lower;
}

bool sameName(std::string_view a, std::string_view b)
{
    a = trim(a);
    b = trim(b);
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

// The name of a section header: the text between '[' and the first ']' (or the line's end).
std::optional<std::string_view> headerName(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    return trim(line.substr(0, line.find(']')));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

// A key line: a non-empty name before the first '='. Headers and ';' comments are not key lines.
std::optional<Entry> entry(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() == '[' || line.front() == ';')
        return std::nullopt;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const auto key = trim(line.substr(0, equals));
    if (key.empty())
        return std::nullopt;
    return Entry{key, trim(line.substr(equals + 1))};
}

// Names cannot hold a line feed, so it separates the section from the key in the index.
std::string indexName(std::string_view section, std::string_view key)
{
    std::string name = lowerName(section);
    name += '\n';
    name += lowerName(key);
    return name;
}

std::string keyLine(std::string_view key, std::string_view value)
{
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

} // namespace

ProfileFile ProfileFile::fromBytes(std::string_view bytes)
{
    ProfileFile file;
    while (!bytes.empty()) {
        const auto lineFeed = bytes.find('\n');
        auto line = bytes.substr(0, lineFeed);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        file.m_lines.emplace_back(line);
        if (lineFeed == std::string_view::npos)
            break;
        bytes.remove_prefix(lineFeed + 1);
    }
    return file;
}

std::string ProfileFile::toBytes() const
{
    std::size_t size = 0;
    for (const auto &line : m_lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const auto &line : m_lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<ProfileFile::Range> ProfileFile::findSection(std::string_view section) const
{
    for (std::size_t begin = 0; begin < m_lines.size(); ++begin) {
        const auto name = headerName(m_lines[begin]);
        if (!name || !sameName(*name, section))
            continue;
        std::size_t end = begin + 1;
        while (end < m_lines.size() && !headerName(m_lines[end]))
            ++end;
        return Range{begin, end};
    }
    return std::nullopt;
}

const std::unordered_map<std::string, std::size_t> &ProfileFile::keyLines() const
{
    if (m_keyLines)
        return *m_keyLines;
    m_keyLines.emplace();
    std::set<std::string> sections;
    std::optional<std::string_view> section; // the section the lines belong to, when its first
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (const auto name = headerName(m_lines[i])) {
            section = name;
            if (!sections.insert(lowerName(*name)).second)
                section.reset();
        } else if (const auto found = entry(m_lines[i]); found && section) {
            m_keyLines->emplace(indexName(*section, found->key), i);
        }
    }
    return *m_keyLines;
}

std::optional<std::string_view> ProfileFile::value(std::string_view section,
                                                   std::string_view key) const
{
    const auto &lines = keyLines();
    const auto found = lines.find(indexName(section, key));
    if (found == lines.end())
        return std::nullopt;
    return entry(m_lines[found->second])->value;
}

std::vector<std::string> ProfileFile::keys(std::string_view section) const
{
    std::vector<std::string> names;
    const auto range = findSection(section);
    if (!range)
        return names;
    std::set<std::string> seen;
    for (std::size_t i = range->begin + 1; i < range->end; ++i) {
        if (const auto found = entry(m_lines[i]);
            found && seen.insert(lowerName(found->key)).second)
            names.emplace_back(found->key);
    }
    return names;
}

std::vector<std::string> ProfileFile::sections() const
{
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (const auto &line : m_lines) {
        if (const auto name = headerName(line); name && seen.insert(lowerName(*name)).second)
            names.emplace_back(*name);
    }
    return names;
}

bool ProfileFile::isWritableSection(std::string_view section)
{
    return section.find_first_of(kLineBreaks) == std::string_view::npos &&
           section.find(']') == std::string_view::npos;
}

bool ProfileFile::isWritableKey(std::string_view key)
{
    // A name starting with '[' would read back as a section header, one with ';' as a comment.
    const auto name = trim(key);
    return !name.empty() && name.front() != '[' && name.front() != ';' &&
           name.find_first_of(kLineBreaks) == std::string_view::npos &&
           name.find('=') == std::string_view::npos;
}

bool ProfileFile::isWritableValue(std::string_view value)
{
    return value.find_first_of(kLineBreaks) == std::string_view::npos;
}

bool ProfileFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const auto range = findSection(section);
    if (!range) {
        std::string header = "[";
        header += trim(section);
        header += ']';
        m_keyLines.reset();
        m_lines.push_back(std::move(header));
        m_lines.push_back(keyLine(trim(key), value));
        return true;
    }
    std::size_t insertAt = range->begin + 1;
    for (std::size_t i = range->begin + 1; i < range->end; ++i) {
        const auto found = entry(m_lines[i]);
        if (!found)
            continue;
        if (sameName(found->key, key)) {
            // The key keeps the spelling it has in the file.
            auto line = keyLine(found->key, value);
            if (line == m_lines[i])
                return false;
            m_lines[i] = std::move(line);
            return true;
        }
        insertAt = i + 1;
    }
    m_keyLines.reset();
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   keyLine(trim(key), value));
    return true;
}

bool ProfileFile::removeKey(std::string_view section, std::string_view key)
{
    const auto range = findSection(section);
    if (!range)
        return false;
    const auto first = m_lines.begin() + static_cast<std::ptrdiff_t>(range->begin + 1);
    const auto last = m_lines.begin() + static_cast<std::ptrdiff_t>(range->end);
    const auto kept = std::remove_if(first, last, [key](const std::string &line) {
        const auto found = entry(line);
        return found && sameName(found->key, key);
    });
    if (kept == last)
        return false;
    m_keyLines.reset();
    m_lines.erase(kept, last);
    return true;
}

bool ProfileFile::removeSection(std::string_view section)
{
    bool removed = false;
    while (const auto range = findSection(section)) {
        m_keyLines.reset();
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(range->begin),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(range->end));
        removed = true;
    }
    return removed;
}

} // namespace profile
