#include <SDL.h>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <vector>

// The sounds the build synthesizes must load through the same loader the player uses, be short,
// differ from each other, and start and end in silence so that they do not click.
TEST(BundledSounds, AreShortDistinctAndFadedWav)
{
    const std::vector<std::string> names = {
        "tarvil.wav",   "pageexit.wav", "pagesent.wav", "beep.wav", "newchat.wav", "chatlink.wav",
        "lostchat.wav", "memory.wav",   "delivery.wav", "read.wav", "default.wav"};
    std::set<std::vector<std::int16_t>> distinct;
    for (const std::string &name : names) {
        SCOPED_TRACE(name);
        const std::string path = std::string(TARVIL_BUNDLED_SOUNDS_DIR) + '/' + name;
        SDL_AudioSpec layout{};
        Uint8 *data = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV(path.c_str(), &layout, &data, &length), nullptr) << SDL_GetError();
        const std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> owned(data, &SDL_FreeWAV);
        EXPECT_EQ(layout.format, AUDIO_S16LSB);
        EXPECT_EQ(layout.channels, 1);
        EXPECT_EQ(layout.freq, 22050);

        std::vector<std::int16_t> samples(length / 2);
        std::copy_n(data, samples.size() * 2, reinterpret_cast<Uint8 *>(samples.data()));
        const double seconds = static_cast<double>(samples.size()) / layout.freq;
        EXPECT_GE(seconds, 0.1);
        EXPECT_LE(seconds, 0.8);
        ASSERT_FALSE(samples.empty());
        EXPECT_LT(std::abs(samples.front()), 500);
        EXPECT_LT(std::abs(samples.back()), 500);
        const auto loudest = std::max_element(
            samples.begin(), samples.end(), [](int a, int b) { return std::abs(a) < std::abs(b); });
        EXPECT_GT(std::abs(*loudest), 3000) << "audible";
        EXPECT_LT(std::abs(*loudest), 32767) << "not clipped";
        distinct.insert(samples);
    }
    EXPECT_EQ(distinct.size(), names.size());
}
