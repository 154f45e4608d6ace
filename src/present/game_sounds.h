#pragma once

#include "audio/sound_mixer.h"
#include "game/game_state.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <functional>

// What the player hears, started by the game's events: the player's jumps and landings, the
// knives' throws and the hazard's hops come through their listeners; the outcome and the last
// ten seconds are heard once per pass, after the update; the music plays under them from the
// start. The M switch (input.sound) mutes all.
class GameSounds {
  public:
    // Installs the listeners; the hazard's hop listener keeps the one already there. The volumes
    // are the settings', 0 to 1.
    GameSounds(SoundMixer::Output output, float musicVolume, float effectsVolume);
    // Takes the listeners away again, giving the hop back its earlier one.
    ~GameSounds();
    GameSounds(const GameSounds&) = delete;
    GameSounds& operator=(const GameSounds&) = delete;

    // After a pass's update: the switch, the ears at the active camera (view and projection:
    // which way is up on the screen follows the projection's sign), then the sound of each
    // outcome the pass ended in and the tick of each of the last ten seconds.
    void update(const glm::mat4& view, const glm::mat4& projection, const Attempt& attempt,
                const AttemptOutcome& ended);

    // While the game is paused every sound holds where it is, and none starts.
    void setPaused(bool paused) { mix.setPaused(paused); }

    SoundMixer& mixer() { return mix; }

  private:
    SoundMixer mix;
    std::function<void(const glm::vec3&)> earlierHop;
    int secondsLeftHeard = -1;
};
