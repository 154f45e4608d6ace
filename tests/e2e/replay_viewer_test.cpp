#include "game_run.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

// The words after the prefix of each line that starts with it.
std::vector<std::istringstream> linesOf(const std::string& text, const std::string& prefix)
{
    std::vector<std::istringstream> found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(prefix)) {
            found.emplace_back(line.substr(prefix.size()));
        }
    }
    return found;
}

using Foot = std::array<double, 3>;

// The next three words as strtod reads them: the %a of a run file and the %.17g the viewer
// prints both come back bit for bit.
Foot footOf(std::istream& words)
{
    Foot foot{};
    for (double& axis : foot) {
        std::string word;
        words >> word;
        axis = std::strtod(word.c_str(), nullptr);
    }
    return foot;
}

// "Replay at: TIME pass N foot X Y Z"
struct Place {
    std::string time;
    long pass = 0;
    Foot foot{};
};

} // namespace

// The best run watched in the game through real X keys: wherever a step, a step back, a seek or
// Home brings it, the foot stands exactly where the run recorded it after that pass (and where
// korvel-replay, played to the pass taken over, leaves it). Taken over 15 s in, on the second
// counter run (where W alone only runs into the tall block), it goes on live from that very pass,
// paused, and is kept as practice that verifies; the best run stays as it was.
TEST(ReplayViewer, StepsAndSeeksShowTheRecordedFootAndATakeOverIsPracticeThatVerifies)
{
    const std::string script = std::string(gameOnItsOwnXServer) + R"sh(
press() { # press KEY COUNT PATTERN: the key, then until the game has said so
  xdotool key "$1" && seen "$2" "$3" && return
  echo "no line $3 after $1"; cat game.out; kill $game; exit 1
}
for ((second = 0; second < 120; second++)); do
  grep -q "^Debug" game.out || ! kill -0 $game && break
  xdotool key F2 && sleep 1
done
press r 1 "^Replay: best" && press p 1 "^Replay pause: 1"
press period 1 "^Replay at:" && press comma 2 "^Replay at:"
press bracketright 1 "^Replay speed:" && press Right 3 "^Replay at:" && press Home 4 "^Replay at:"
for place in 5 6 7; do press Right $place "^Replay at:"; done
press t 1 "^Pause: 1" && press p 1 "^Pause: 0"
debug=$(grep -c "^Debug" game.out) # W is held over two frames at least
xdotool keydown w && press F2 $((debug + 1)) "^Debug" && press F2 $((debug + 2)) "^Debug"
xdotool keyup w key Escape
)sh" + std::string(gameEndsOnItsOwnXServer);
    GameFolder game;
    game.window(160, 160);
    ASSERT_EQ(game.replay({KORVEL_SOURCE_DIR "/routes/win.route"}).exitStatus, 0);
    const std::string best = game.read("assets/best.run");
    std::vector<std::pair<std::string, Foot>> passes; // each p line's update sample and foot
    std::string start, draw, update, word;
    linesOf(best, "timer ").at(0) >> start;
    for (std::istringstream& words : linesOf(best, "p ")) {
        words >> draw >> update;
        passes.emplace_back(update, footOf(words));
    }
    const ProcessResult run =
        runProcess({"/bin/bash", "-c", script, KORVEL_GAME}, game.path().string(), 600);
    ASSERT_TRUE(run.output.starts_with("exit status 0\n")) << run.output;
    EXPECT_NE(run.output.find("\nReplay: best\nReplay pause: 1\n"), std::string::npos);
    EXPECT_NE(run.output.find("\nReplay speed: 2\n"), std::string::npos) << run.output;

    std::vector<Place> places;
    for (std::istringstream& words : linesOf(run.output, "Replay at: ")) {
        Place& place = places.emplace_back();
        words >> place.time >> word >> place.pass >> word;
        place.foot = footOf(words);
    }
    ASSERT_EQ(places.size(), 7u) << run.output;
    EXPECT_EQ(places[1].pass, places[0].pass - 1);    // a step, then a step back
    EXPECT_EQ(places[3].pass, 0);                     // Home
    for (const std::size_t seek : {2u, 4u, 5u, 6u}) { // 5 s of 60 passes a second
        EXPECT_NEAR(places[seek].pass - places[seek - 1].pass, 300, 1) << run.output;
    }
    for (const Place& place : places) {
        if (place.pass > 0) {
            EXPECT_EQ(place.foot, passes.at(place.pass - 1).second) << "pass " << place.pass;
        }
    }
    const Place& handed = places.back();
    EXPECT_NE(run.output.find("\nTake over: " + handed.time + "\nPause: 1\n"), std::string::npos);
    const std::string practice = game.read("assets/last.run");
    const auto watched = [&](const std::string& text) { // the snapshot to the pass taken over
        std::size_t end = text.find("\np ");
        for (long pass = 0; pass < handed.pass && end != std::string::npos; ++pass) {
            end = text.find("\np ", end + 1);
        }
        return text.substr(text.find("\ntimer "), end - text.find("\ntimer "));
    };
    EXPECT_TRUE(watched(practice) == watched(best)) << "taken over from another pass";
    ASSERT_NE(practice.find("\nk W press\n", practice.rfind("\nk P release\n")), std::string::npos)
        << "W after the resume";
    std::vector<std::istringstream> live = linesOf(practice, "p ");
    live.back() >> draw >> update;
    EXPECT_GT(footOf(live.back())[0], handed.foot[0]) << "W went on along +X";
    EXPECT_NE(game.replay({"--info", "assets/last.run"}).output.find("\npractice: yes\n"),
              std::string::npos);
    const ProcessResult verified = game.replay({"--verify", "assets/last.run"});
    EXPECT_EQ(verified.exitStatus, 0) << verified.output;
    EXPECT_TRUE(verified.output.starts_with("verified: ")) << verified.output;
    EXPECT_TRUE(game.read("assets/best.run") == best) << "the best run changed";

    // Last, as korvel-replay keeps the run it plays as last.run: it ends at the first pass whose
    // update is that far past the snapshot's timer, where the viewer took over.
    char until[32];
    std::snprintf(until, sizeof until, "%.17g",
                  std::strtod(passes.at(handed.pass - 1).first.c_str(), nullptr) -
                      std::strtod(start.c_str(), nullptr));
    const ProcessResult played = game.replay({"assets/best.run", "--until", until, "--foot"});
    std::vector<std::istringstream> foot = linesOf(played.output, "foot: ");
    ASSERT_EQ(foot.size(), 1u) << played.output;
    EXPECT_EQ(footOf(foot[0]), handed.foot) << played.output;
}
