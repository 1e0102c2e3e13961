#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// A persisted property stream written out by hand, field by field, little-endian, so that the
// tests hold the controls to the layout rather than to their own writer.
struct StreamBytes {
    static constexpr std::uint8_t kNoObject = 0xFF; // no picture, or the default font

    StreamBytes &byte(std::uint8_t value)
    {
        bytes.push_back(value);
        return *this;
    }
    StreamBytes &shortValue(std::int16_t value)
    {
        return byte(value & 0xFF).byte(value >> 8 & 0xFF);
    }
    StreamBytes &longValue(std::uint32_t value)
    {
        return shortValue(static_cast<std::int16_t>(value))
            .shortValue(static_cast<std::int16_t>(value >> 16));
    }
    // A string of less than 255 characters: its length byte, then its characters.
    StreamBytes &text(std::string_view value)
    {
        byte(static_cast<std::uint8_t>(value.size()));
        bytes.insert(bytes.end(), value.begin(), value.end());
        return *this;
    }
    // Version 1.0, a 32 x 16 pixel extent in HIMETRIC, the stock mask 0x4D and its fields:
    // ForeColor, BackColor, the default font, and Enabled as `enabled`.
    StreamBytes &stockPart(std::uint8_t enabled)
    {
        return longValue(0x00010000)
            .longValue(847)
            .longValue(423)
            .longValue(0x4D)
            .longValue(0x80000012)
            .longValue(0x8000000F)
            .byte(kNoObject)
            .byte(enabled);
    }

    std::vector<std::uint8_t> bytes;
};
