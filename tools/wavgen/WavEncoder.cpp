#include "WavEncoder.h"

namespace wavgen {
namespace {

// WAV fields are little-endian whatever the machine.
void putLittleEndian(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

std::string encodeWav(const std::vector<std::int16_t> &samples, std::uint32_t sampleRate)
{
    constexpr std::uint32_t kBytesPerSample = 2;
    constexpr std::uint32_t kHeaderBytes = 44;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);

    std::string out;
    out.reserve(kHeaderBytes + dataBytes);
    out += "RIFF";
    putLittleEndian(out, kHeaderBytes - 8 + dataBytes, 4);
    out += "WAVEfmt ";
    putLittleEndian(out, 16, 4);                           // format chunk size
    putLittleEndian(out, 1, 2);                            // PCM
    putLittleEndian(out, 1, 2);                            // mono
    putLittleEndian(out, sampleRate, 4);                   // frames per second
    putLittleEndian(out, sampleRate * kBytesPerSample, 4); // bytes per second
    putLittleEndian(out, kBytesPerSample, 2);              // bytes per frame
    putLittleEndian(out, kBytesPerSample * 8, 2);          // bits per sample
    out += "data";
    putLittleEndian(out, dataBytes, 4);
    for (const std::int16_t sample : samples)
        putLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    return out;
}

} // namespace wavgen
