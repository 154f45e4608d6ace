#pragma once

#include <array>
#include <string>

// The game's sounds by index, with their names from audio/sound_assets.inc.
namespace soundNames {

#define KORVEL_SOUND(index, name) index,
enum SoundIndex {
#include "audio/sound_assets.inc"
    soundCount
};
#undef KORVEL_SOUND
#define KORVEL_SOUND(index, name) #name,
inline constexpr std::array<const char*, soundCount> names = {
#include "audio/sound_assets.inc"
};
#undef KORVEL_SOUND

// A sound's file below the assets folder, "sounds/NAME.wav".
inline std::string soundFile(SoundIndex sound)
{
    return std::string("sounds/") + names[sound] + ".wav";
}

} // namespace soundNames
