#pragma once

#include <string>

namespace sound {

// Flags of sndPlaySound: wait until the sound has played, or return at once and let it play on.
constexpr unsigned SND_SYNC = 0;
constexpr unsigned SND_ASYNC = 1;

// Plays WAV files. Whoever plays sounds is handed one of these, so tests can put a recording
// fake in place of the real device.
class SoundPlayer {
public:
    virtual ~SoundPlayer();

    // Plays `file` (ANSI path or bare file name) as `flags` say; false when nothing could be
    // played at all.
    virtual bool sndPlaySound(const std::string &file, unsigned flags) = 0;
};

} // namespace sound
