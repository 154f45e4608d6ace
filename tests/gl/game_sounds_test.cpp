#include "game/input_state.h"
#include "present/game_sounds.h"

#include "support/working_directory.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <array>
#include <cstdlib>

// The cues the frame loop's state gives, heard from the loopback mix of the build's sounds.
namespace {

constexpr int heard = 1000;
constexpr int silence = 2;

// The loudest sample of the next `seconds` of the mix, rendered a pass's share at a time.
int loudestOf(SoundMixer& mixer, double seconds)
{
    std::array<std::int16_t, 735 * 2> chunk{}; // 1/60 s of stereo
    int loudest = 0;
    for (int pass = 0; pass < static_cast<int>(seconds * 60.0 + 0.5); ++pass) {
        mixer.render(chunk);
        for (const std::int16_t sample : chunk) {
            loudest = std::max(loudest, std::abs(int{sample}));
        }
    }
    return loudest;
}

class GameSoundsTest : public ::testing::Test {
  protected:
    GameSoundsTest() { reset(); }
    ~GameSoundsTest() override { reset(); }

    static void reset()
    {
        outcome = AttemptOutcome{};
        input = InputState{};
    }

    // One pass's update that ended in these outcomes, then the loudest sample of the next
    // `seconds` of the mix.
    int hear(const Attempt& attempt, AttemptOutcome ended = {}, double seconds = 0.1)
    {
        sounds.update(glm::lookAt(glm::vec3(0.0f), glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(0, 1, 0)),
                      glm::perspective(1.0f, 1.0f, 0.1f, 100.0f), attempt, ended);
        return loudestOf(sounds.mixer(), seconds);
    }

    WorkingDirectory buildTree{KORVEL_BINARY_DIR};
    GameSounds sounds{SoundMixer::Output::loopback, 0.0f, 1.0f}; // the cues alone, no music
};

} // namespace

TEST_F(GameSoundsTest, EachOfTheLastTenSecondsTicksAndEachOutcomeSoundsOnceUnlessMuted)
{
    Attempt attempt;
    attempt.playTime = 50.5f;
    EXPECT_LE(hear(attempt), silence);
    attempt.playTime = 51.5f;
    EXPECT_LE(hear(attempt), silence) << "no tick before the last ten seconds";
    attempt.playTime = 110.5f;
    EXPECT_GT(hear(attempt), heard) << "9 s left";
    EXPECT_LE(hear(attempt), silence) << "one tick a second";

    outcome.dead = true;
    EXPECT_GT(hear(attempt, {.dead = true}), heard);
    hear(attempt, {}, 1.0);
    EXPECT_LE(hear(attempt), silence) << "the death is heard in its pass, not every pass after";

    outcome.won = true;
    input.sound = false;
    EXPECT_LE(hear(attempt, {.won = true}), silence) << "muted";
    outcome = AttemptOutcome{};
    input.sound = true;
    outcome.timeUp = true;
    EXPECT_GT(hear(attempt, {.timeUp = true}), heard);
}

// The game's pause holds the music and every effect and starts nothing new; what it held plays
// on when it ends. Pausing twice is pausing once.
TEST(GameSoundsPause, SilencesTheMusicAndEverythingUntilItEnds)
{
    const WorkingDirectory buildTree{KORVEL_BINARY_DIR};
    GameSounds sounds{SoundMixer::Output::loopback, 0.5f, 1.0f};
    EXPECT_GT(loudestOf(sounds.mixer(), 0.3), heard) << "the music";
    sounds.setPaused(true);
    sounds.setPaused(true);
    sounds.mixer().play(soundNames::winSound);
    loudestOf(sounds.mixer(), 1.0 / 60.0); // OpenAL fades the held sounds out, for no click
    EXPECT_LE(loudestOf(sounds.mixer(), 0.5), silence);
    sounds.setPaused(false);
    sounds.setPaused(false);
    EXPECT_GT(loudestOf(sounds.mixer(), 0.3), heard) << "the music again";
}

// The effects volume scales every effect, heard at the listener or placed in the world.
TEST(GameSoundsVolume, TheEffectsVolumeScalesEveryEffect)
{
    const WorkingDirectory buildTree{KORVEL_BINARY_DIR};
    const auto loudestEffects = [](float effectsVolume) {
        SoundMixer mixer(SoundMixer::Output::loopback, "assets", 0.0f, effectsVolume);
        mixer.play(soundNames::tickSound);
        const int tick = loudestOf(mixer, 0.1);
        mixer.playAt(soundNames::knifeSound, 0, glm::vec3(0.0f));
        return std::array{tick, loudestOf(mixer, 0.5)};
    };
    const std::array full = loudestEffects(1.0f);
    const std::array quarter = loudestEffects(0.25f);
    for (std::size_t effect = 0; effect < full.size(); ++effect) {
        EXPECT_GT(full[effect], heard);
        EXPECT_NEAR(quarter[effect] * 4, full[effect], 4 * silence) << "effect " << effect;
    }
}
