// Writes the program's own event sounds: short synthesized tones and chirps, 16-bit mono
// 22050 Hz, each note faded in and out so that it does not click. The output depends on nothing
// but this file, so every build makes the same sounds.
//
// Usage: tarvil_wavgen FOLDER NAME.wav...

#include "WavEncoder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string_view>
#include <vector>

namespace {

constexpr std::uint32_t kRate = 22050;
constexpr double kPeak = 0.45 * 32767;
constexpr double kAttackSeconds = 0.006;
constexpr double kReleaseSeconds = 0.02;

// One note: a sine whose pitch glides from startHz to endHz; a rest when both are zero.
struct Note {
    double startHz;
    double endHz;
    double seconds;
};

struct Sound {
    std::string_view name;
    double decayPerSecond; // how fast each note dies away; 0 holds it steady
    std::vector<Note> notes;
};

constexpr double kC5 = 523.25, kD5 = 587.33, kE5 = 659.26, kFs5 = 739.99, kG5 = 783.99, kA5 = 880.0,
                 kC6 = 1046.5, kE6 = 1318.51;

const std::vector<Sound> &sounds()
{
    static const std::vector<Sound> kTable = {
        {"tarvil.wav", 4, {{kC5, kC5, 0.12}, {kE5, kE5, 0.12}, {kG5, kG5, 0.12}, {kC6, kC6, 0.24}}},
        {"pageexit.wav", 4, {{kG5, kG5, 0.13}, {kE5, kE5, 0.13}, {kC5, kC5, 0.28}}},
        {"pagesent.wav", 2, {{500, 1500, 0.22}}},
        {"beep.wav", 0, {{kA5, kA5, 0.1}, {0, 0, 0.06}, {kA5, kA5, 0.12}}},
        {"newchat.wav", 1, {{kE5, kE5, 0.1}, {kA5, kA5, 0.1}, {kE5, kE5, 0.1}, {kA5, kA5, 0.16}}},
        {"chatlink.wav", 5, {{kA5, kA5, 0.12}, {kE6, kE6, 0.22}}},
        {"lostchat.wav", 2, {{900, 350, 0.4}}},
        {"memory.wav", 9, {{kC6, kC6, 0.4}}},
        {"delivery.wav", 6, {{kD5, kD5, 0.08}, {kFs5, kFs5, 0.08}, {kA5, kA5, 0.18}}},
        {"read.wav", 6, {{kE6, kE6, 0.1}, {kC6, kC6, 0.2}}},
        {"default.wav", 7, {{kFs5, kFs5, 0.25}}},
    };
    return kTable;
}

void render(const Note &note, double decayPerSecond, std::vector<std::int16_t> &out)
{
    const auto frames = static_cast<int>(note.seconds * kRate);
    double phase = 0;
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double hz = note.startHz + (note.endHz - note.startHz) * t / note.seconds;
        phase += 2 * std::numbers::pi * hz / kRate;
        // A little of the second and third harmonic makes a softer, bell-like tone.
        const double wave =
            (std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.1 * std::sin(3 * phase)) / 1.4;
        const double fadeIn = std::min(1.0, t / kAttackSeconds);
        const double fadeOut = std::min(1.0, (note.seconds - t) / kReleaseSeconds);
        const double envelope = fadeIn * fadeOut * std::exp(-decayPerSecond * t);
        out.push_back(static_cast<std::int16_t>(std::lround(kPeak * envelope * wave)));
    }
}

const Sound *find(std::string_view name)
{
    for (const Sound &sound : sounds())
        if (sound.name == name)
            return &sound;
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER NAME.wav...\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    for (int i = 2; i < argc; ++i) {
        const Sound *sound = find(argv[i]);
        if (sound == nullptr) {
            std::fprintf(stderr, "%s: no sound is made under the name %s\n", argv[0], argv[i]);
            return 1;
        }
        std::vector<std::int16_t> samples;
        for (const Note &note : sound->notes)
            render(note, sound->decayPerSecond, samples);
        const std::string bytes = wavgen::encodeWav(samples, kRate);
        const std::string path = folder + '/' + argv[i];
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], path.c_str());
            return 1;
        }
    }
    return 0;
}
