#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace ole {

// Little-endian writes that append to a persisted property stream, in the encodings
// StreamReader reads.
class StreamWriter {
public:
    explicit StreamWriter(std::vector<std::uint8_t> &out) : m_out(out) {}

    void writeU8(std::uint8_t value);
    void writeI16(std::int16_t value);
    void writeU16(std::uint16_t value);
    void writeI32(std::int32_t value);
    void writeU32(std::uint32_t value);
    void writeBytes(std::span<const std::uint8_t> bytes);
    // The shortest length form that holds the text. False, writing nothing, for text of 4 GiB
    // or more, which no length form can hold.
    bool writeString(std::string_view text);

private:
    std::vector<std::uint8_t> &m_out;
};

} // namespace ole
