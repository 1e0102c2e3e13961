#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ole {

// Little-endian reads over a persisted property stream that came from outside. A read that would
// go past the end fails, leaves its output and the position unchanged, and reads nothing; a
// length field is checked against the bytes that are there before anything is allocated.
class StreamReader {
public:
    explicit StreamReader(std::span<const std::uint8_t> data) : m_data(data) {}

    bool readU8(std::uint8_t &value);
    bool readI16(std::int16_t &value);
    bool readU16(std::uint16_t &value);
    bool readI32(std::int32_t &value);
    bool readU32(std::uint32_t &value);
    bool readBytes(std::size_t count, std::vector<std::uint8_t> &bytes);
    // One length byte, 0xFF followed by a 2-byte length, 0xFFFF by a 4-byte length; then the
    // characters without terminator.
    bool readString(std::string &text);

    std::size_t position() const { return m_position; }
    std::size_t remaining() const { return m_data.size() - m_position; }

private:
    // The next `count` bytes, consumed; empty span and nothing consumed when fewer remain.
    std::span<const std::uint8_t> take(std::size_t count);

    std::span<const std::uint8_t> m_data;
    std::size_t m_position = 0;
};

} // namespace ole
