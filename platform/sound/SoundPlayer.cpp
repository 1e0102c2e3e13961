#include "platform/sound/SoundPlayer.h"

namespace sound {

SoundPlayer::~SoundPlayer() = default;

} // namespace sound
