// Runs of their own: every attempt of a session with many restarts, knives in flight and the
// hazard hopping, plays again from its snapshot in a fresh game to the same foot in every pass
// and the same end state; and a run that was changed anywhere is found out.

#include "game/game_state.h"
#include "runs/ghost_track.h"
#include "runs/headless_game.h"
#include "runs/recording_replay.h"
#include "runs/run_check.h"
#include "runs/run_recording.h"

#include "attempt_runs.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

constexpr double frameTime = 1.0 / 60.0;

// Walks off the first counter run and dies on the floor, then restarts with F11, again and
// again, every cycle a little different: a jump here, a longer walk there. The knives (every
// 10 s) and the hazard (every 2 s) meet each restart in another state.
Route deathsEveryFewSeconds(int cycles)
{
    std::ostringstream text;
    double restart = 0.0;
    for (int i = 0; i < cycles; ++i) {
        const double walk = restart + 1.5 + 0.05 * (i % 4);
        text << walk << " D press\n";
        if (i % 3 == 1) {
            text << walk + 0.2 << " SPACE press\n" << walk + 0.3 << " SPACE release\n";
        }
        text << walk + 0.8 << " D release\n";
        restart = walk + 2.8 + 0.1 * (i % 2);
        text << restart - 0.1 << " F11 press\n" << restart << " F11 release\n";
    }
    ParseError error;
    std::optional<Route> route = parseRoute(text.str(), error);
    EXPECT_TRUE(route) << error.line << ": " << error.message;
    return route.value_or(Route{});
}

class AttemptRun : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        const Route route = deathsEveryFewSeconds(cycles);
        HeadlessGame game(std::filesystem::path{});
        attempts = new AttemptRuns;
        attempts->play(game, route, frameTime, route.events.back().time + 1.0);
    }
    static void TearDownTestSuite() { delete attempts; }

    static constexpr int cycles = 16;
    static AttemptRuns* attempts;
};

AttemptRuns* AttemptRun::attempts = nullptr;

// The first pass of the run at or after this many seconds of its frame time.
std::size_t passAfter(const RunRecording& run, double seconds)
{
    std::size_t pass = 0;
    while (pass + 1 < run.passes.size() &&
           run.passes[pass].updateSample - run.startSample < seconds) {
        ++pass;
    }
    return pass;
}

} // namespace

TEST_F(AttemptRun, EveryAttemptOfASessionWithManyRestartsReproducesFromItsSnapshot)
{
    ASSERT_EQ(attempts->runs.size(), static_cast<std::size_t>(cycles) + 1);
    for (std::size_t i = 0; i < attempts->runs.size(); ++i) {
        const RunRecording& run = attempts->runs[i];
        // Each run is one attempt, however long the session before it was.
        EXPECT_LT(run.passes.size(), 5u * 60u) << i;
        ParseError error;
        const std::optional<RunRecording> read = parseRecording(recordingText(run), error);
        ASSERT_TRUE(read) << i << ": " << error.line << ": " << error.message;
        const RunCheck check = checkRun(*read);
        EXPECT_EQ(check.difference, "") << "attempt " << i;
        if (i < attempts->runs.size() - 1) {
            EXPECT_TRUE(run.end.outcome.dead) << "attempt " << i << " dies on the floor";
        }
    }
    EXPECT_GT(attempts->runs.back().snapshot.physics.hazardHops, 20u) << "the hazard kept hopping";
    EXPECT_EQ(attempts->runs[3].snapshot.physics.bodies.size(), 8u)
        << "six knives, the pizza and the player's proxy";
}

// One event, one frame time, one value of the snapshot, the course, the build or the end state,
// a snapshot of another world or a run of the first format: each is found.
TEST_F(AttemptRun, AChangedEventFrameTimeSnapshotOrEndStateIsFoundAndAStrangeSnapshotRefused)
{
    const RunRecording& run = attempts->runs[5];
    const std::size_t walk = passAfter(run, 1.0);

    const RunRecording event =
        withEventIn(run, walk, InputEvent::keyEvent(Key::w, KeyAction::press, KeySource::keyboard));
    EXPECT_EQ(checkRun(event).difference.rfind("pass " + std::to_string(walk) + ": ", 0), 0u)
        << checkRun(event).difference;

    // A tenth of a millisecond more in one frame, while the player falls.
    RunRecording frame = run;
    const std::size_t falling = passAfter(run, 0.3);
    frame.passes[falling].updateSample += 1e-4;
    EXPECT_EQ(checkRun(frame).difference.rfind("pass " + std::to_string(falling) + ": ", 0), 0u)
        << checkRun(frame).difference;

    RunRecording motion = run;
    motion.snapshot.motion.speed.z += 1.0f;
    EXPECT_EQ(checkRun(motion).difference.rfind("pass 0: ", 0), 0u) << checkRun(motion).difference;
    RunRecording knives = run;
    knives.snapshot.physics.knifeTimer += 0.01f;
    EXPECT_NE(checkRun(knives).difference, "");

    RunRecording level = run;
    level.level ^= 1;
    EXPECT_EQ(checkRun(level).difference.rfind("level: ", 0), 0u);
    RunRecording build = run;
    build.build = "korvel 0.0.1";
    EXPECT_EQ(checkRun(build).difference.rfind("build: ", 0), 0u);
    RunRecording checksum = run;
    checksum.checksum ^= 1;
    EXPECT_EQ(checkRun(checksum).difference.rfind("checksum: ", 0), 0u);
    RunRecording score = run;
    score.end.score = 7;
    EXPECT_EQ(checkRun(score).difference.rfind("score: ", 0), 0u);
    RunRecording ending = run;
    ending.end.outcome = AttemptOutcome{};
    EXPECT_EQ(checkRun(ending).difference, "outcome: the run says playing, the replay ends dead");

    // The switches flipped in an attempt only show in the state it ends in: the checksum finds
    // what no foot shows.
    RunRecording flipped = run;
    flipped.snapshot.switches.debugText = !flipped.snapshot.switches.debugText;
    EXPECT_EQ(checkRun(flipped).difference.rfind("checksum: ", 0), 0u)
        << checkRun(flipped).difference;

    // A snapshot that does not fit this world is refused by name, and so is a file of the
    // first format, which keeps no snapshot.
    RunRecording bodies = run;
    bodies.snapshot.physics.bodies.pop_back();
    EXPECT_EQ(checkRun(bodies).difference, "snapshot: it holds 7 moving bodies, this world has 8");
    RunRecording first = run;
    first.format = 1;
    EXPECT_EQ(checkRun(first).difference.rfind("format: 1 ", 0), 0u);
}

// Files of the first format hold a whole session from program start; players have them on
// disk. Such a file still plays from program start to its foot in every pass, restarts and
// all, and as the ghost it shows the attempt it was kept for.
TEST_F(AttemptRun, AWholeSessionOfTheFirstFormatStillPlaysToItsFootInEveryPass)
{
    RunRecording session;
    session.format = 1;
    session.build = recordingBuild();
    session.startSample = attempts->runs[0].startSample;
    for (std::size_t i = 0; i < 4; ++i) {
        const RunRecording& run = attempts->runs[i];
        session.attemptStart = static_cast<long>(session.passes.size());
        for (RecordedPass pass : run.passes) {
            pass.firstEvent += static_cast<std::uint32_t>(session.events.size());
            session.passes.push_back(pass);
        }
        session.events.insert(session.events.end(), run.events.begin(), run.events.end());
    }
    ParseError error;
    const std::optional<RunRecording> read = parseRecording(recordingText(session), error);
    ASSERT_TRUE(read) << error.line << ": " << error.message;
    EXPECT_EQ(read->format, 1);
    EXPECT_EQ(read->attemptStart, session.attemptStart);

    RecordingReplay replay(*read);
    HeadlessGame game(std::filesystem::path{});
    game.play(replay, replay.lastPass() + 1, [&](long, const PassInput&, const PassResult& result) {
        replay.checkFoot(result.footAfter);
    });
    EXPECT_EQ(replay.firstDifference(), -1);

    const GhostTrack ghost(*read);
    EXPECT_EQ(ghost.footAt(0.0f), attempts->runs[3].passes[0].foot);
}
