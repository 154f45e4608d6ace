#include "present/game_sounds.h"

#include "game/input_state.h"
#include "physics/obstacles.h"
#include "physics/player.h"

#include <glm/matrix.hpp>

using namespace soundNames;

namespace {

constexpr std::size_t hazardVoice = level::knifeCount; // after one voice per knife
constexpr int tickingSeconds = 10;

// The player's own sounds belong to play: keys pressed after the end move nothing visible.
bool playerHeard()
{
    return input.sound && attemptPlaying();
}

} // namespace

GameSounds::GameSounds(SoundMixer::Output output, float musicVolume, float effectsVolume)
    : mix(output, "assets", musicVolume, effectsVolume), earlierHop(obstacles.hopListener)
{
    playerMotion.jumpListener = [this](bool second) {
        if (playerHeard()) {
            mix.play(second ? secondJumpSound : jumpSound);
        }
    };
    playerMotion.landingListener = [this] {
        if (playerHeard()) {
            mix.play(landingSound);
        }
    };
    obstacles.throwListener = [this](std::size_t knife, const glm::vec3& position) {
        if (input.sound) {
            mix.playAt(knifeSound, knife, position);
        }
    };
    obstacles.hopListener = [this](const glm::vec3& spot) {
        if (earlierHop) {
            earlierHop(spot);
        }
        if (input.sound) {
            mix.playAt(hopSound, hazardVoice, spot);
        }
    };
}

GameSounds::~GameSounds()
{
    playerMotion.jumpListener = nullptr;
    playerMotion.landingListener = nullptr;
    obstacles.throwListener = nullptr;
    obstacles.hopListener = earlierHop;
}

void GameSounds::update(const glm::mat4& view, const glm::mat4& projection, const Attempt& attempt,
                        const AttemptOutcome& ended)
{
    mix.setOn(input.sound);
    const glm::mat4 camera = glm::inverse(view);
    const float upward = projection[1][1] < 0.0f ? -1.0f : 1.0f;
    mix.setListener(glm::vec3(camera[3]), -glm::vec3(camera[2]), upward * glm::vec3(camera[1]));

    if (ended.dead) {
        mix.play(deathSound);
    }
    if (ended.won) {
        mix.play(winSound);
    }
    if (ended.timeUp) {
        mix.play(timeUpSound);
    }

    const int secondsLeft = attempt.secondsLeft();
    if (attemptPlaying() && secondsLeft < secondsLeftHeard && secondsLeft >= 1 &&
        secondsLeft <= tickingSeconds) {
        mix.play(tickSound);
    }
    secondsLeftHeard = secondsLeft;
}
