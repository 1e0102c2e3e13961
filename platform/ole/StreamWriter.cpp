#include "platform/ole/StreamWriter.h"

#include <limits>

namespace ole {

void StreamWriter::writeU8(std::uint8_t value)
{
    m_out.push_back(value);
}

void StreamWriter::writeU16(std::uint16_t value)
{
    m_out.push_back(static_cast<std::uint8_t>(value));
    m_out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void StreamWriter::writeI16(std::int16_t value)
{
    writeU16(static_cast<std::uint16_t>(value));
}

void StreamWriter::writeU32(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        m_out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void StreamWriter::writeI32(std::int32_t value)
{
    writeU32(static_cast<std::uint32_t>(value));
}

void StreamWriter::writeBytes(std::span<const std::uint8_t> bytes)
{
    m_out.insert(m_out.end(), bytes.begin(), bytes.end());
}

bool StreamWriter::writeString(std::string_view text)
{
    const auto length = text.size();
    if (length > std::numeric_limits<std::uint32_t>::max())
        return false;
    if (length < 0xFF) {
        writeU8(static_cast<std::uint8_t>(length));
    } else {
        writeU8(0xFF);
        if (length < 0xFFFF) {
            writeU16(static_cast<std::uint16_t>(length));
        } else {
            writeU16(0xFFFF);
            writeU32(static_cast<std::uint32_t>(length));
        }
    }
    m_out.insert(m_out.end(), text.begin(), text.end());
    return true;
}

} // namespace ole
