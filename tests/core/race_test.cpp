// The race against the clock through the headless game and its run keeper: the winning route
// played twice from an empty folder shows its time, medal and place, then every split level with
// the first; a route that loses time before the third split is behind from that split on; and
// the records, best.run and a run of the format before splits stay what players rely on.

#include "game/race_time.h"
#include "present/time_attack_hud.h"
#include "runs/headless_game.h"
#include "runs/run_check.h"
#include "runs/run_keeper.h"
#include "win_route.h"

#include "subprocess/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr double frameTime = 1.0 / 60.0;

// The winning route with half a second of standing still at 12.6 s, before the third split.
const WinRouteChange standing{.from = 12.6, .later = 0.5, .standStill = true};

struct RacedWin {
    HudTimeAttack hud;
    std::vector<HudText> winScreen;
    std::vector<HudTimeAttack> splitsShown; // the HUD in each pass that took a split
};

// One program's session in the folder: the route, then the win screen as the HUD lays it out.
RacedWin race(const TempDir& folder, const Route& route, std::ostream& errors)
{
    RacedWin raced;
    const fs::path scoreFile = folder / "assets" / "score.txt";
    fs::create_directories(scoreFile.parent_path());
    RunKeeper keeper(scoreFile, errors);
    HeadlessGame game(scoreFile);
    game.keepRuns(&keeper);
    game.run(route, frameTime, route.events.back().time + 3.0,
             [&](long, const PassInput&, const PassResult& result) {
                 if (result.splitTaken > 0) {
                     raced.splitsShown.push_back(timeAttackOf(game.session(), keeper));
                 }
             });
    raced.hud = timeAttackOf(game.session(), keeper);
    HudInputs inputs{.won = true, .width = 800, .height = 800, .timeAttack = raced.hud};
    raced.winScreen = layoutTimeAttack(inputs);
    return raced;
}

std::vector<std::string> textsOf(const std::vector<HudText>& texts)
{
    std::vector<std::string> said;
    for (const HudText& text : texts) {
        said.push_back(text.text);
    }
    return said;
}

bool shows(const std::vector<HudText>& texts, const std::string& text)
{
    const std::vector<std::string> said = textsOf(texts);
    return std::find(said.begin(), said.end(), text) != said.end();
}

std::vector<HudColour> differenceColours(const std::vector<HudText>& texts)
{
    std::vector<HudColour> colours;
    for (const HudText& text : texts) {
        if (text.text.starts_with("+") || text.text.starts_with("-")) {
            colours.push_back(text.colour);
        }
    }
    return colours;
}

} // namespace

TEST(Race, TheWinningRoutePlayedTwiceShowsItsTimeMedalAndPlaceThenEverySplitLevel)
{
    TempDir folder;
    std::ostringstream errors;
    const Route route = winningRoute();
    const RacedWin first = race(folder, route, errors);
    EXPECT_EQ(errors.str(), "");
    EXPECT_EQ(first.hud.time, 35633);
    for (const char* text :
         {"Time: 35.633", "Gold medal", "Next: Author medal at 35.600", "New record: 1st of 1",
          "Sum of best: 35.633", "Records", "1  35.633  Gold medal", "1  6.467", "6  35.633"}) {
        EXPECT_TRUE(shows(first.winScreen, text)) << text;
    }
    EXPECT_TRUE(differenceColours(first.winScreen).empty()) << "no best run to compare with yet";
    EXPECT_TRUE(first.splitsShown.size() == splitCount && !first.splitsShown[0].bestRun);
    const std::string bestRun = folder.read("assets/best.run");

    const RacedWin second = race(folder, route, errors);
    EXPECT_EQ(errors.str(), "");
    EXPECT_EQ(differenceColours(second.winScreen),
              std::vector<HudColour>(splitCount, HudColour::white));
    const std::vector<std::string> said = textsOf(second.winScreen);
    EXPECT_EQ(std::count(said.begin(), said.end(), "+0.00"), static_cast<long>(splitCount));
    EXPECT_TRUE(shows(second.winScreen, "New record: 2nd of 2"));
    EXPECT_TRUE(shows(second.winScreen, "2  35.633  Gold medal"));
    EXPECT_EQ(second.winScreen.back().colour, HudColour::highlight) << "the new record stands out";
    ASSERT_EQ(second.splitsShown.size(), splitCount);
    EXPECT_TRUE(second.splitsShown[0].bestRun && second.splitsShown[0].splitShown == 1);
    EXPECT_EQ(folder.read("assets/best.run"), bestRun) << "as fast is not faster: best.run stays";

    // The table on disk: both runs, the first set first, and korvel-replay prints it.
    const std::string index = folder.read("assets/records/records.txt");
    EXPECT_EQ(std::count(index.begin(), index.end(), '\n'), 3) << index;
    const ProcessResult printed =
        runProcess({KORVEL_REPLAY, "--records"}, folder.path().string(), 60);
    EXPECT_EQ(printed.exitStatus, 0);
    EXPECT_NE(printed.output.find(" 1    35.633   84  Gold medal    "), std::string::npos)
        << printed.output;
    EXPECT_NE(printed.output.find("\nsum of best: 35.633\n"), std::string::npos) << printed.output;
}

// The slow route first; then the winning route, faster, becomes best.run within the same whole
// second and is ahead from the third split; then the slow route again is behind from it on. The
// best run, rewritten in the format before splits, still verifies and compares by its time.
TEST(Race, ARouteThatLosesTimeBeforeTheThirdSplitIsBehindFromThatSplitOn)
{
    TempDir folder;
    std::ostringstream errors;
    race(folder, winningRoute(standing), errors);
    const RacedWin fast = race(folder, winningRoute(), errors);
    EXPECT_EQ(fast.hud.splits[2].difference, -500);
    EXPECT_TRUE(shows(fast.winScreen, "New record: 1st of 2"));
    const RacedWin slow = race(folder, winningRoute(standing), errors);
    EXPECT_EQ(errors.str(), "");
    EXPECT_EQ(slow.hud.time, 36133);
    const std::vector<HudColour> expected{HudColour::white,  HudColour::white,  HudColour::behind,
                                          HudColour::behind, HudColour::behind, HudColour::behind};
    EXPECT_EQ(differenceColours(slow.winScreen), expected);
    EXPECT_TRUE(shows(slow.winScreen, "+0.50")) << "half a second, at every split from the third";
    EXPECT_TRUE(shows(slow.winScreen, "New record: 3rd of 3")) << "after the slow one as fast";
    EXPECT_TRUE(shows(slow.winScreen, "Sum of best: 35.633"));

    // While playing: the third split shows for a moment under the timer, red.
    ASSERT_GE(slow.splitsShown.size(), 3u);
    HudInputs playing{.width = 800, .height = 800, .timeAttack = slow.splitsShown[2]};
    const std::vector<HudText> popup = layoutTimeAttack(playing);
    ASSERT_EQ(popup.size(), 2u);
    EXPECT_EQ(popup[0].text, "Split 3  15.550");
    EXPECT_EQ(popup[1].text, "+0.50");
    EXPECT_EQ(popup[1].colour, HudColour::behind);
    EXPECT_GT(popup[0].y, 700.0f) << "under the timer, above the scene";

    ParseError error;
    std::optional<RunRecording> best = loadRecording(folder / "assets" / "best.run", error);
    ASSERT_TRUE(best) << error.message;
    EXPECT_EQ(raceMilliseconds(best->end.playTime), 35633);
    best->format = 2;
    folder.write("assets/best.run", recordingText(*best));
    const std::optional<RunRecording> older = loadRecording(folder / "assets" / "best.run", error);
    ASSERT_TRUE(older && older->format == 2);
    EXPECT_EQ(checkRun(*older).difference, "");
    const BestRunTimes times = bestRunTimes(folder / "assets" / "best.run");
    EXPECT_EQ(times.time, best->end.playTime);
    EXPECT_FALSE(times.splits.at[0]);
    EXPECT_EQ(times.splits.at[splitCount - 1], best->end.playTime);
}
