#include "platform/ole/Clsid.h"

#include <cstdio>

namespace ole {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at `pos` of `text`; false when any of them is not a hex digit.
bool readHex(std::string_view text, std::size_t pos, int digits, std::uint32_t &value)
{
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int digit = hexDigit(text[pos + static_cast<std::size_t>(i)]);
        if (digit < 0)
            return false;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return true;
}

} // namespace

std::optional<Clsid> Clsid::fromString(std::string_view text)
{
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    constexpr std::string_view kShape = "{........-....-....-....-............}";
    if (text.size() != kShape.size())
        return std::nullopt;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        if (kShape[i] != '.' && text[i] != kShape[i])
            return std::nullopt;
    }
    Clsid clsid;
    std::uint32_t part = 0;
    if (!readHex(text, 1, 8, clsid.data1))
        return std::nullopt;
    if (!readHex(text, 10, 4, part))
        return std::nullopt;
    clsid.data2 = static_cast<std::uint16_t>(part);
    if (!readHex(text, 15, 4, part))
        return std::nullopt;
    clsid.data3 = static_cast<std::uint16_t>(part);
    constexpr std::size_t kBytePositions[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (std::size_t i = 0; i < 8; ++i) {
        if (!readHex(text, kBytePositions[i], 2, part))
            return std::nullopt;
        clsid.data4[i] = static_cast<std::uint8_t>(part);
    }
    return clsid;
}

std::optional<Clsid> Clsid::fromBytes(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != 16)
        return std::nullopt;
    Clsid clsid;
    clsid.data1 = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                  static_cast<std::uint32_t>(bytes[2]) << 16 |
                  static_cast<std::uint32_t>(bytes[3]) << 24;
    clsid.data2 = static_cast<std::uint16_t>(bytes[4] | bytes[5] << 8);
    clsid.data3 = static_cast<std::uint16_t>(bytes[6] | bytes[7] << 8);
    for (std::size_t i = 0; i < 8; ++i)
        clsid.data4[i] = bytes[8 + i];
    return clsid;
}

std::string Clsid::toString() const
{
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(data1), static_cast<unsigned>(data2),
                  static_cast<unsigned>(data3), data4[0], data4[1], data4[2], data4[3], data4[4],
                  data4[5], data4[6], data4[7]);
    return text;
}

std::array<std::uint8_t, 16> Clsid::toBytes() const
{
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(data1 >> (8 * i));
    for (std::size_t i = 0; i < 2; ++i) {
        bytes[4 + i] = static_cast<std::uint8_t>(data2 >> (8 * i));
        bytes[6 + i] = static_cast<std::uint8_t>(data3 >> (8 * i));
    }
    for (std::size_t i = 0; i < 8; ++i)
        bytes[8 + i] = data4[i];
    return bytes;
}

} // namespace ole
