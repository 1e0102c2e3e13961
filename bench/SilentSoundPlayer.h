#pragma once

#include "platform/sound/SoundPlayer.h"

namespace bench {

// A sound player that plays nothing and says it played.
class SilentSoundPlayer : public sound::SoundPlayer {
public:
    bool sndPlaySound(const std::string &, unsigned) override { return true; }
};

} // namespace bench
