#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wavgen {

// The bytes of a WAV file holding 16-bit mono PCM samples at `sampleRate` samples per second.
std::string encodeWav(const std::vector<std::int16_t> &samples, std::uint32_t sampleRate);

} // namespace wavgen
