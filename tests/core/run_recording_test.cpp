// Recordings of runs: their text gives back every sample, event and position bit for bit, a
// damaged or cut file is refused at its line, and the ghost follows the kept attempt.

#include "game/pass_input.h"
#include "runs/ghost_track.h"
#include "runs/run_recorder.h"
#include "runs/run_recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>

namespace {

const std::string header = "korvel-run 1\nbuild test\nattempt 0\nstart 0\n";

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(RunRecording, ItsTextGivesBackEverySampleAndEventBitForBit)
{
    RunRecording run;
    run.format = 1;
    run.build = "korvel 9.9 test";
    run.attemptStart = 1;
    run.startSample = 0.1;
    run.passes.resize(2);
    run.passes[0] = {1.0 / 3.0, 0.7000000001, {-0.0, 1e-300, 123456.789}, 0, 3, false, 0, 0};
    run.passes[1] = {2.5, 2.75, {1.0, 2.0, 3.0}, 3, 0, true, -5, 2147483647};
    run.events.resize(3);
    run.events[0].key = Key::f11;
    run.events[1] = {InputEvent::Kind::key, Key::d, {}, KeyAction::release, KeySource::pad, 0.0};
    run.events[2] = {InputEvent::Kind::scroll, {}, {}, {}, {}, -0.1};

    ParseError error;
    const std::optional<RunRecording> back = parseRecording(recordingText(run), error);
    ASSERT_TRUE(back) << error.line << ": " << error.message;
    EXPECT_EQ(back->build, "korvel 9.9 test");
    EXPECT_EQ(back->attemptStart, 1);
    EXPECT_TRUE(sameBits(back->startSample, 0.1));
    ASSERT_EQ(back->passes.size(), 2u);
    EXPECT_TRUE(sameBits(back->passes[0].drawSample, 1.0 / 3.0));
    EXPECT_TRUE(sameBits(back->passes[0].updateSample, 0.7000000001));
    EXPECT_TRUE(sameBits(back->passes[0].foot.x, -0.0));
    EXPECT_TRUE(sameBits(back->passes[0].foot.y, 1e-300));
    EXPECT_EQ(back->passes[0].eventCount, 3u);
    EXPECT_FALSE(back->passes[0].cursorRead);
    EXPECT_TRUE(back->passes[1].cursorRead);
    EXPECT_EQ(back->passes[1].cursorY, 2147483647);
    ASSERT_EQ(back->events.size(), 3u);
    EXPECT_EQ(back->events[0].key, Key::f11);
    EXPECT_EQ(back->events[1].source, KeySource::pad);
    EXPECT_EQ(back->events[1].action, KeyAction::release);
    EXPECT_TRUE(sameBits(back->events[2].scroll, -0.1));
}

TEST(RunRecording, ADamagedOrCutRecordingIsRefusedAtItsLine)
{
    const std::pair<std::string, int> damaged[] = {
        {"korvel-run 6\nbuild future\n", 1},
        {"korvel-run 1\nattempt 0\n", 2},
        {header + "p 0 1 0 0 0\np 1 2 0 0\nend 2\n", 6},
        {header + "k W press\np 0 1 0 0 0\nend 1\n", 5},
        {header + "p 0 1 0 0 0\nk W jump\nend 1\n", 6},
        {header + "p 0 1 0 0 0\nc 1 2\nb left press\nend 1\n", 7},
        {header + "p 0 1 0 0 0\np 1 nan 0 0 0\nend 2\n", 6},
        {header + "p 0 1 0 0 0\nend 2\n", 6},
        {header + "p 0 1 0 0 0\nend 1\np 1 2 0 0 0\n", 7},
        {header + "p 0 1 0 0 0\ns 1\n", 7},           // cut: no end line
        {header + "p 0 1 0 0 0\nf lost\nend 1\n", 6}, // a focus line of format 4 only
        {"korvel-run 1\nbuild test\nattempt 3\nstart 0\np 0 1 0 0 0\nend 1\n", 6},
    };
    for (const auto& [text, line] : damaged) {
        ParseError error;
        EXPECT_FALSE(parseRecording(text, error)) << text;
        EXPECT_EQ(error.line, line) << text << error.message;
    }
    ParseError error;
    parseRecording("korvel-run 6\n", error);
    EXPECT_EQ(error.message, "recorded in format 6; this build reads formats 1 to 5");
}

TEST(RunRecording, SplitsComeBackBitForBitAndADamagedSplitIsRefusedAtItsLine)
{
    RunRecording run;
    run.build = "test";
    run.end = {{false, true, false}, 35.6333351f, 84, {}};
    run.end.splits.at[0] = 6.4666667f;
    run.end.splits.at[2] = 0x1.fffffep+3f;
    run.end.splits.at[splitCount - 1] = 35.6333351f;
    const std::string text = recordingText(run);
    ParseError error;
    const std::optional<RunRecording> back = parseRecording(text, error);
    ASSERT_TRUE(back) << error.line << ": " << error.message;
    EXPECT_EQ(back->end.splits, run.end.splits) << "a split not taken stays untaken";

    const std::size_t first = text.find("split 1 ");
    ASSERT_NE(first, std::string::npos);
    const auto lineOf = [&](std::size_t at) {
        return static_cast<int>(std::count(text.begin(), text.begin() + at, '\n')) + 1;
    };
    const std::size_t third = text.find("split 3 ");
    const std::string cases[] = {
        std::string(text).replace(third, 7, "split 1"),      // out of order
        std::string(text).replace(third, 7, "split 7"),      // no such split
        std::string(text).replace(third + 8, 8, "7fc00000"), // not a play time
        std::string(text).replace(third + 8, 8, "bf800000"), // before the start
        std::string(text).replace(third, 16, "split 3 41800000 x y"),
    };
    for (const std::string& damaged : cases) {
        EXPECT_FALSE(parseRecording(damaged, error)) << damaged.substr(third, 30);
        EXPECT_EQ(error.line, lineOf(third)) << error.message;
    }

    run.format = 2; // written by the build before splits: none, and it still reads
    const std::optional<RunRecording> older = parseRecording(recordingText(run), error);
    ASSERT_TRUE(older) << error.message;
    EXPECT_EQ(older->end.splits, SplitTimes{});
    EXPECT_EQ(recordingText(run).find("split"), std::string::npos);
}

// Play time runs from the kept attempt's first pass, by the float frame times the loop takes.
TEST(GhostTrack, ShowsTheKeptAttemptAtTheSamePlayTimeAndVanishesAfterIt)
{
    ParseError error;
    const auto run = parseRecording("korvel-run 1\nbuild test\nattempt 1\nstart 0\n"
                                    "p 0 9 1 1 1\np 9 10 2 2 2\np 10 10.5 3 3 3\nend 3\n",
                                    error);
    ASSERT_TRUE(run) << error.message;
    const GhostTrack track(*run);
    EXPECT_EQ(track.footAt(0.0f), glm::dvec3(2.0));
    EXPECT_EQ(track.footAt(1.0f), glm::dvec3(2.0));
    EXPECT_EQ(track.footAt(1.25f), glm::dvec3(3.0));
    EXPECT_EQ(track.footAt(1.5f), glm::dvec3(3.0));
    EXPECT_FALSE(track.footAt(1.75f));
    EXPECT_TRUE(ghostOfBestRun("/nonexistent/best.run").empty());
}

// A pass is recorded as the pass took it in: its samples, its events in order after the
// earlier passes' events, the cursor when it was read, and the foot it ended with. A run starts
// anew in the same recording, which keeps its room, and takes no pass beyond its bound.
TEST(RunRecorder, KeepsEachPassAsItTookItInAndNoMoreThanARunHolds)
{
    RunRecording recording;
    reserveRunRoom(recording);
    const auto* room = recording.passes.data();
    AttemptSnapshot snapshot;
    snapshot.timer.last = 0.5f;
    RunRecorder recorder;
    recorder.start(recording, snapshot, 0x1234);
    PassInput pass;
    pass.drawSample = 1.0;
    pass.updateSample = 1.25;
    pass.events = {InputEvent::keyEvent(Key::other, KeyAction::press, KeySource::pad),
                   InputEvent::scrollEvent(-1.0)};
    EXPECT_TRUE(recorder.record(pass, {1.0, 2.0, 3.0}));
    pass.events = {InputEvent::buttonEvent(MouseButton::right, KeyAction::release)};
    pass.cursorRead = true;
    pass.cursorX = 3;
    pass.cursorY = 4;
    recorder.record(pass, {4.0, 5.0, 6.0});
    recorder.finish({{false, true, false}, 35.5f, 84, {}}, 0xabc);
    const RunRecording& run = *recorder.run();

    EXPECT_EQ(run.format, recordingFormat);
    EXPECT_EQ(run.build, recordingBuild());
    EXPECT_EQ(run.level, 0x1234u);
    EXPECT_EQ(run.startSample, 0.5);
    EXPECT_EQ(run.end.score, 84);
    EXPECT_EQ(run.checksum, 0xabcu);
    ASSERT_EQ(run.passes.size(), 2u);
    EXPECT_EQ(run.passes[0].updateSample, 1.25);
    EXPECT_EQ(run.passes[0].eventCount, 2u);
    EXPECT_FALSE(run.passes[0].cursorRead);
    EXPECT_EQ(run.passes[1].firstEvent, 2u);
    EXPECT_EQ(run.passes[1].eventCount, 1u);
    EXPECT_EQ(run.passes[1].foot, glm::dvec3(4.0, 5.0, 6.0));
    ASSERT_EQ(run.events.size(), 3u);
    EXPECT_EQ(run.events[0].source, KeySource::pad);
    EXPECT_EQ(run.events[1].scroll, -1.0);
    EXPECT_EQ(run.events[2].button, MouseButton::right);
    EXPECT_TRUE(run.passes[1].cursorRead && run.passes[1].cursorY == 4);

    recorder.start(recording, snapshot, 0x1234);
    EXPECT_TRUE(recording.passes.empty() && recording.events.empty());
    pass.events.clear();
    for (std::size_t i = 0; i < maxRunPasses; ++i) {
        ASSERT_TRUE(recorder.record(pass, {}));
    }
    EXPECT_FALSE(recorder.record(pass, {})) << "a run holds no more than its bound";
    EXPECT_EQ(recording.passes.size(), maxRunPasses);
    EXPECT_EQ(recording.passes.data(), room) << "the room reserved once served every pass";
}

// P did nothing before it paused: a run of an earlier format keeps its P events out as it is
// read, so it plays as it was played. (A focus line in such a run is refused with the damaged.)
TEST(RunRecording, PEventsOfRunsFromBeforeThePauseAreLeftOut)
{
    ParseError error;
    const auto old = parseRecording(header + "p 0 1 0 0 0\nk P press\nk G release\nend 1\n", error);
    ASSERT_TRUE(old) << error.line << ": " << error.message;
    ASSERT_EQ(old->events.size(), 1u);
    EXPECT_EQ(old->events[0].key, Key::g);
    EXPECT_EQ(old->passes[0].eventCount, 1u);
}
