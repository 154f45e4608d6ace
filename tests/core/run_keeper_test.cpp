// The runs the game keeps beside the score: a best run set after many restarts and the last
// attempt of a long session are each one attempt, checked by korvel-replay in a fresh process;
// a changed run is refused by its pass, a damaged one by its line; and a folder that cannot
// take the files, or a full disk, costs one line and never the score or the play.

#include "runs/ghost_track.h"
#include "runs/headless_game.h"
#include "runs/run_keeper.h"
#include "runs/run_recording.h"
#include "win_route.h"

#include "subprocess/subprocess.h"
#include "support/kill_rounds.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr double frameTime = 1.0 / 60.0;

// Eight restarts in the first quarter second, while the knives of the first throw are in
// flight, then the winning route a quarter second late: it still wins with 84 seconds left.
Route winAfterRestarts()
{
    WinRouteChange restarts{.from = 0.0, .later = 8 * 0.034};
    for (int i = 0; i < 8; ++i) {
        restarts.first.emplace_back(0.034 * i + 0.017, "F11 press");
        restarts.first.emplace_back(0.034 * (i + 1), "F11 release");
    }
    return winningRoute(restarts);
}

// Dies on the floor and restarts, cycle after cycle.
Route deaths(int cycles)
{
    std::ostringstream text;
    for (int i = 0; i < cycles; ++i) {
        const double start = 4.4 * i;
        text << start + 1.5 << " D press\n" << start + 2.3 << " D release\n";
        text << start + 4.3 << " F11 press\n" << start + 4.4 << " F11 release\n";
    }
    ParseError error;
    return parseRoute(text.str(), error).value_or(Route{});
}

// The game plays the route headless and keeps its runs in the folder, as the game does.
void playKeepingRuns(const TempDir& folder, const Route& route, double until, std::ostream& errors)
{
    RunKeeper keeper(folder / "score.txt", errors);
    HeadlessGame game(folder / "score.txt");
    game.keepRuns(&keeper);
    game.run(route, frameTime, until);
}

// korvel-replay with these arguments in the folder: its exit status and everything it printed.
ProcessResult replay(const TempDir& folder, const std::string& arguments)
{
    return runProcess({"/bin/sh", "-c", "'" KORVEL_REPLAY "' " + arguments + " 2>&1"},
                      folder.path().string(), 300);
}

} // namespace

TEST(KeptRun, ABestRunSetAfterManyRestartsIsThatAttemptAloneAndVerifiesInAFreshProcess)
{
    TempDir folder;
    const Route route = winAfterRestarts();
    std::ostringstream errors;
    playKeepingRuns(folder, route, route.events.back().time + 5.0, errors);
    EXPECT_EQ(errors.str(), "");
    EXPECT_EQ(folder.read("score.txt"), "84");

    ParseError error;
    const std::optional<RunRecording> best = loadRecording(folder / "best.run", error);
    ASSERT_TRUE(best) << error.line << ": " << error.message;
    EXPECT_TRUE(best->end.outcome.won);
    EXPECT_EQ(best->end.score, 84);
    // From the eighth restart to the win and two seconds after: no pass of the earlier attempts.
    const double played = static_cast<double>(best->end.playTime) + runAftermathSeconds;
    EXPECT_NEAR(static_cast<double>(best->passes.size()) * frameTime, played, 2 * frameTime);
    EXPECT_EQ(folder.read("last.run"), folder.read("best.run"));
    // The ghost follows it from the attempt's first pass to the pizza.
    const GhostTrack ghost(*best);
    EXPECT_EQ(ghost.footAt(0.0f), best->passes[0].foot);
    EXPECT_GT(ghost.footAt(best->end.playTime).value_or(glm::dvec3(0.0)).x, 330.0);

    const ProcessResult verified = replay(folder, "--verify best.run");
    EXPECT_EQ(verified.exitStatus, 0) << verified.output;
    EXPECT_TRUE(verified.output.starts_with("verified: won time=35.")) << verified.output;
    EXPECT_TRUE(verified.output.ends_with(" score=84\n")) << verified.output;

    const ProcessResult info = replay(folder, "--info best.run");
    EXPECT_EQ(info.exitStatus, 0);
    for (const char* key :
         {"format: 5\n", "build: korvel ", "\nlevel: ", "outcome: won\n", "play_time: 35.",
          "score: 84\n", "practice: no\n", "\npasses: ", "longest_frame_ms: 16.6"}) {
        EXPECT_NE(info.output.find(key), std::string::npos) << key << " in\n" << info.output;
    }
}

// A long session of deaths: last.run holds the last attempt only, which a fresh process checks.
// An event slipped into the file is found at its pass (the attempts' own tests change every
// other value of a run, and the recording's tests cut and damage it).
TEST(KeptRun, TheLastRunOfALongSessionIsItsLastAttemptAndAChangeIsFoundAtItsPass)
{
    TempDir folder;
    const Route route = deaths(12);
    std::ostringstream errors;
    playKeepingRuns(folder, route, route.events.back().time + 1.0, errors);
    EXPECT_EQ(errors.str(), "");
    const std::string text = folder.read("last.run");
    ParseError error;
    const std::optional<RunRecording> last = parseRecording(text, error);
    ASSERT_TRUE(last) << error.line << ": " << error.message;
    EXPECT_NEAR(static_cast<double>(last->passes.size()), 60.0, 1.0)
        << "a second after the last restart";
    EXPECT_GT(last->snapshot.physics.hazardHops, 20u);
    const ProcessResult verified = replay(folder, "--verify last.run");
    EXPECT_EQ(verified.exitStatus, 0) << verified.output;
    EXPECT_TRUE(verified.output.starts_with("verified: playing time=1.0")) << verified.output;

    // The 41st pass line: an event slipped in after it is found there.
    std::size_t line = text.find("\np ");
    for (int pass = 0; pass < 40; ++pass) {
        line = text.find("\np ", line + 1);
    }
    const std::size_t pass40 = text.find('\n', line + 1);
    folder.write("event.run", text.substr(0, pass40 + 1) + "k A press\n" + text.substr(pass40 + 1));
    const ProcessResult event = replay(folder, "--verify event.run");
    EXPECT_EQ(event.exitStatus, 1) << event.output;
    EXPECT_NE(event.output.find("event.run: pass 40: "), std::string::npos) << event.output;
}

// Where the runs cannot be written, each failed save is one line and the play goes on: the
// score is saved and the route still wins.
TEST(KeptRun, AFolderThatCannotTakeTheRunsCostsALineAndNeverTheScore)
{
    TempDir folder;
    fs::create_directory(folder / "best.run");
    fs::create_directory(folder / "last.run");
    const Route route = winAfterRestarts();
    std::ostringstream errors;
    playKeepingRuns(folder, route, route.events.back().time + 3.0, errors);
    EXPECT_EQ(folder.read("score.txt"), "84");
    EXPECT_NE(errors.str().find("korvel: could not save the run in " +
                                (folder / "best.run").string() + "\n"),
              std::string::npos)
        << errors.str();
    EXPECT_NE(errors.str().find("last.run\n"), std::string::npos) << errors.str();
}

// A full disk (a file size limit stands in for it): the score of two bytes is saved, the runs
// are not, and the old runs stay whole.
TEST(KeptRun, AFullDiskKeepsTheScoreAndTheOldRunsWhole)
{
    TempDir folder;
    folder.write("last.run", "an older run\n");
    const Route route = winAfterRestarts();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit small{1024, 1024}; // below the smallest run, above the score
        setrlimit(RLIMIT_FSIZE, &small);
        std::ostringstream errors;
        playKeepingRuns(folder, route, route.events.back().time + 3.0, errors);
        const bool told = errors.str().find("could not save the run in") != std::string::npos;
        _exit(told ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "each failed save is told";
    EXPECT_EQ(folder.read("score.txt"), "84");
    EXPECT_EQ(folder.read("last.run"), "an older run\n");
    EXPECT_FALSE(fs::exists(folder / "best.run"));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::recursive_directory_iterator(folder.path())) {
        ++entries;
    }
    // The score, the old run, and the records' folder the win could not be written into.
    EXPECT_TRUE(fs::is_empty(folder / "records"));
    EXPECT_EQ(entries, 3u) << "no temporary file is left";
}

// A kill at any moment, the saver thread in the middle of a file or not: every run file there
// is whole, and so is the score.
TEST(KeptRun, AKillAtAnyMomentLeavesWholeRunsAndAWholeScore)
{
    TempDir folder;
    const Route route = winAfterRestarts();
    int whole = 0;
    killAtRandomMoments(
        12, 20261209, 1000000,
        [&](auto ready) {
            ready();
            for (;;) {
                fs::remove(folder / "score.txt");
                std::ostringstream errors;
                playKeepingRuns(folder, route, route.events.back().time + 3.0, errors);
            }
        },
        [&](int round) {
            if (fs::exists(folder / "score.txt")) {
                EXPECT_EQ(folder.read("score.txt"), "84") << "after kill " << round;
            }
            for (const char* file : {"last.run", "best.run"}) {
                ParseError error;
                if (fs::exists(folder / file)) {
                    EXPECT_TRUE(loadRecording(folder / file, error))
                        << file << " after kill " << round << ", line " << error.line << ": "
                        << error.message;
                    ++whole;
                }
            }
        });
    EXPECT_GT(whole, 0) << "no kill came after a whole save";
}
