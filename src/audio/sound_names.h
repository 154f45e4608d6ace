#pragma once

#include <array>
#include <string>

// The game's sounds by index, and the music, with their names from audio/sound_assets.inc.
namespace soundNames {

#define KORVEL_MUSIC(name)
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
#undef KORVEL_MUSIC
#define KORVEL_SOUND(index, name)
#define KORVEL_MUSIC(name) #name
inline constexpr const char* musicName =
#include "audio/sound_assets.inc"
    ;
#undef KORVEL_SOUND
#undef KORVEL_MUSIC

// A sound's file below the assets folder, "sounds/NAME.wav".
inline std::string soundFile(SoundIndex sound)
{
    return std::string("sounds/") + names[sound] + ".wav";
}

// The music's file below the assets folder.
inline std::string musicFile()
{
    return std::string("sounds/") + musicName + ".wav";
}

} // namespace soundNames
