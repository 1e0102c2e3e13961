#pragma once

#include "platform/sound/SoundPlayer.h"

#include <functional>
#include <string>
#include <vector>

// Stands in for the sound device: remembers what would have been heard, and how.
class RecordingSoundPlayer : public sound::SoundPlayer {
public:
    struct Played {
        std::string file;
        unsigned flags;
        friend bool operator==(const Played &, const Played &) = default;
    };

    bool sndPlaySound(const std::string &file, unsigned flags) override
    {
        played.push_back({file, flags});
        if (flags == sound::SND_SYNC && whileSynchronous)
            whileSynchronous();
        return plays;
    }

    std::vector<Played> played;
    // What sndPlaySound answers: false stands for a device that cannot play.
    bool plays = true;
    // What happens while a synchronous sound plays, when the program can handle no events.
    std::function<void()> whileSynchronous;
};
