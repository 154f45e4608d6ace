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
        int loudest = 0;
        for (int pass = 0; pass < static_cast<int>(seconds * 60.0 + 0.5); ++pass) {
            sounds.mixer().render(chunk);
            for (const std::int16_t sample : chunk) {
                loudest = std::max(loudest, std::abs(int{sample}));
            }
        }
        return loudest;
    }

    WorkingDirectory buildTree{KORVEL_BINARY_DIR};
    GameSounds sounds{SoundMixer::Output::loopback};
    std::array<std::int16_t, 735 * 2> chunk{}; // 1/60 s of stereo
};

constexpr int heard = 1000;
constexpr int silence = 2;

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
