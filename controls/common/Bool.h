#pragma once

#include <cstdint>

namespace qv {

// A BOOL property as a control holds and persists it: any non-zero value is true, and the value
// itself is kept. Streams hold true as 0x01 or as 0xFF, and automation hands true over as -1;
// keeping the value saves each back as it came.
class Bool {
public:
    constexpr Bool() = default;
    constexpr explicit Bool(std::int8_t stored) : m_stored(stored) {}
    // True as the C runtime writes it (1).
    static constexpr Bool fromTruth(bool truth) { return Bool(truth ? 1 : 0); }
    // True as automation passes it (-1).
    static constexpr Bool fromVariant(bool truth) { return Bool(truth ? -1 : 0); }

    constexpr explicit operator bool() const { return m_stored != 0; }
    constexpr std::int8_t stored() const { return m_stored; }

private:
    std::int8_t m_stored = 0;
};

} // namespace qv
