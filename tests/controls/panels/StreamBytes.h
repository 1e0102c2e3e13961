#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// A persisted property stream written out by hand, field by field, little-endian, so that the
// tests hold the controls to the layout rather than to the controls' own writer.
class StreamBytes {
public:
    StreamBytes &byte(std::uint8_t value)
    {
        bytes.push_back(value);
        return *this;
    }
    StreamBytes &shortValue(std::int16_t value)
    {
        return little(static_cast<std::uint16_t>(value), 2);
    }
    StreamBytes &longValue(std::uint32_t value) { return little(value, 4); }
    // A string shorter than 255 characters: its length byte, then its characters.
    StreamBytes &text(std::string_view value)
    {
        byte(static_cast<std::uint8_t>(value.size()));
        bytes.insert(bytes.end(), value.begin(), value.end());
        return *this;
    }
    // The stream's version, a 32 x 16 pixel extent in HIMETRIC at 96 dpi, the stock-property mask
    // 0x4D and its fields: ForeColor, BackColor, the default font and Enabled as `enabled`.
    StreamBytes &stockPart(std::uint8_t enabled)
    {
        return longValue(0x00010000)
            .longValue(847)
            .longValue(423)
            .longValue(0x4D)
            .longValue(0x80000012)
            .longValue(0x8000000F)
            .byte(kDefaultObject)
            .byte(enabled);
    }

    static constexpr std::uint8_t kDefaultObject = 0xFF;
    std::vector<std::uint8_t> bytes;

private:
    StreamBytes &little(std::uint32_t value, int size)
    {
        for (int i = 0; i < size; ++i)
            byte(static_cast<std::uint8_t>(value >> (8 * i)));
        return *this;
    }
};
