#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ole {

// A class identifier (GUID). Text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; binary form the
// 16 bytes of persisted streams: first field 4 bytes, then two 2-byte fields, all
// little-endian, then 8 single bytes.
struct Clsid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    static std::optional<Clsid> fromString(std::string_view text);
    static std::optional<Clsid> fromBytes(std::span<const std::uint8_t> bytes);
    std::string toString() const;
    std::array<std::uint8_t, 16> toBytes() const;
    bool isNull() const { return *this == Clsid{}; }

    friend auto operator<=>(const Clsid &, const Clsid &) = default;
};

} // namespace ole
