#include "platform/ole/StreamReader.h"

namespace ole {

namespace {

std::uint32_t littleEndian(std::span<const std::uint8_t> bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = (value << 8) | bytes[i];
    return value;
}

} // namespace

std::span<const std::uint8_t> StreamReader::take(std::size_t count)
{
    if (count > remaining())
        return {};
    const auto bytes = m_data.subspan(m_position, count);
    m_position += count;
    return bytes;
}

bool StreamReader::readU8(std::uint8_t &value)
{
    const auto bytes = take(1);
    if (bytes.empty())
        return false;
    value = bytes[0];
    return true;
}

bool StreamReader::readU16(std::uint16_t &value)
{
    const auto bytes = take(2);
    if (bytes.empty())
        return false;
    value = static_cast<std::uint16_t>(littleEndian(bytes));
    return true;
}

bool StreamReader::readI16(std::int16_t &value)
{
    std::uint16_t raw = 0;
    if (!readU16(raw))
        return false;
    value = static_cast<std::int16_t>(raw);
    return true;
}

bool StreamReader::readU32(std::uint32_t &value)
{
    const auto bytes = take(4);
    if (bytes.empty())
        return false;
    value = littleEndian(bytes);
    return true;
}

bool StreamReader::readI32(std::int32_t &value)
{
    std::uint32_t raw = 0;
    if (!readU32(raw))
        return false;
    value = static_cast<std::int32_t>(raw);
    return true;
}

bool StreamReader::readBytes(std::size_t count, std::vector<std::uint8_t> &bytes)
{
    if (count == 0) {
        bytes.clear();
        return true;
    }
    const auto taken = take(count);
    if (taken.empty())
        return false;
    bytes.assign(taken.begin(), taken.end());
    return true;
}

bool StreamReader::readString(std::string &text)
{
    const std::size_t start = m_position;
    std::uint8_t shortLength = 0;
    std::uint16_t mediumLength = 0;
    std::uint32_t length = 0;
    bool ok = readU8(shortLength);
    length = shortLength;
    if (ok && shortLength == 0xFF) {
        ok = readU16(mediumLength);
        length = mediumLength;
        if (ok && mediumLength == 0xFFFF)
            ok = readU32(length);
    }
    const auto characters = ok ? take(length) : std::span<const std::uint8_t>();
    if (!ok || (length != 0 && characters.empty())) {
        m_position = start;
        return false;
    }
    text.assign(characters.begin(), characters.end());
    return true;
}

} // namespace ole
