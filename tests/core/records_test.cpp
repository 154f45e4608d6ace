// The table of records: ranked by exact time, ten kept, the sum of best over them; read back
// from its index and runs, with every damaged line or run left out by one line and the rest
// kept; and whole whatever moment a kill hits its save.

#include "game/race_time.h"
#include "runs/record_table.h"
#include "runs/run_recording.h"
#include "runs/run_saver.h"

#include "support/kill_rounds.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace fs = std::filesystem;

namespace {

SplitTimes splitsEvery(float step, float last)
{
    SplitTimes splits;
    for (std::size_t index = 0; index + 1 < splitCount; ++index) {
        splits.at[index] = step * static_cast<float>(index + 1);
    }
    splits.at[splitCount - 1] = last;
    return splits;
}

RecordEntry entry(float time, const std::string& file, SplitTimes splits = {})
{
    return {time, 84, medalFor(raceMilliseconds(time)), "2026-12-09T10:00:00", file, splits};
}

RunRecording wonRun(float time, int score, const SplitTimes& splits, std::size_t passes = 3)
{
    RunRecording run;
    run.build = recordingBuild();
    run.end = {{false, true, false}, time, score, splits};
    run.passes.resize(passes);
    return run;
}

// A record's run in the folder, and its index line.
std::string keepRun(const TempDir& folder, const std::string& name, float time)
{
    folder.write(name, recordingText(wonRun(time, 84, splitsEvery(5.0f, time))));
    return raceTimeText(raceMilliseconds(time)) + " 84 " +
           medalWord(medalFor(raceMilliseconds(time))) + " 2026-12-09T10:00:00 " + name + "\n";
}

std::vector<std::string> filesOf(const RecordTable& table)
{
    std::vector<std::string> files;
    for (const RecordEntry& kept : table.entries()) {
        files.push_back(kept.file);
    }
    return files;
}

int lineCount(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST(RecordTable, RanksByExactTimeKeepsTenAndSumsTheBestOfEachStretch)
{
    RecordTable table;
    std::optional<std::string> dropped;
    EXPECT_EQ(table.sumOfBest(), std::nullopt);
    for (int i = 0; i < 10; ++i) {
        const auto placed =
            table.place(entry(40.0f + static_cast<float>(i), std::to_string(i) + ".run"), dropped);
        ASSERT_TRUE(placed);
        EXPECT_EQ(placed->rank, static_cast<std::size_t>(i) + 1);
        EXPECT_FALSE(dropped);
    }
    EXPECT_FALSE(table.place(entry(49.0f, "slow.run"), dropped))
        << "as fast as the tenth: after it";
    const auto tie = table.place(entry(41.0f, "tie.run"), dropped);
    ASSERT_TRUE(tie);
    EXPECT_EQ(tie->rank, 3u) << "a tie places after the run that set the time first";
    EXPECT_EQ(tie->of, 10u);
    EXPECT_EQ(dropped, "9.run");
    const auto fastest = table.place(entry(std::nextafter(40.0f, 0.0f), "best.run"), dropped);
    EXPECT_EQ(fastest->rank, 1u) << "one bit faster is faster";
    EXPECT_EQ(table.entries().size(), maxRecords);
    EXPECT_FALSE(table.holds("9.run"));

    // Each stretch's best may come from a different run; a stretch no run timed leaves none.
    RecordTable stretches;
    SplitTimes quickStart = splitsEvery(5.0f, 40.0f);
    SplitTimes quickEnd = splitsEvery(6.0f, 36.0f); // last stretch 6, against 15
    stretches.place(entry(40.0f, "a.run", quickStart), dropped);
    EXPECT_DOUBLE_EQ(*stretches.sumOfBest(), 40.0);
    stretches.place(entry(36.0f, "b.run", quickEnd), dropped);
    EXPECT_DOUBLE_EQ(*stretches.sumOfBest(), 5.0 * 5 + 6.0);
    RecordTable gap;
    SplitTimes wentRound = quickStart;
    wentRound.at[2].reset();
    gap.place(entry(40.0f, "c.run", wentRound), dropped);
    EXPECT_EQ(gap.sumOfBest(), std::nullopt);
}

TEST(RecordTable, ADamagedLineOrRunIsOneLineAndLeftOutAndTheRestIsKept)
{
    TempDir folder;
    std::string index = "korvel-records 1\n";
    index += keepRun(folder, "20261209-100000.run", 36.5f);
    index += "36.6 84 gold\n";                                  // too few words
    index += "36.7 84 platinum 2026-12-09T10:00:00 x.run\n";    // no such medal
    index += "36.7 84 gold 2026-12-09T10:00:00 ../score.txt\n"; // outside the folder
    index += "36.8 84 gold 2026-12-09T10:00:00 missing.run\n";  // no run
    index += keepRun(folder, "20261209-100001.run", 35.9f);     // out of order: sorted
    index += keepRun(folder, "20261209-100000.run", 36.5f);     // named twice
    const std::string changed = keepRun(folder, "changed.run", 37.0f);
    index += "36.000" + changed.substr(changed.find(' ')); // not the run's time
    std::string cut = recordingText(wonRun(38.0f, 82, {}));
    folder.write("cut.run", cut.substr(0, cut.size() - 10));
    index += "38.000 82 silver 2026-12-09T10:00:00 cut.run\n";
    folder.write("dead.run", recordingText(RunRecording{}));
    index += "1.000 0 none 2026-12-09T10:00:00 dead.run\n";
    folder.write("records.txt", index);

    std::ostringstream errors;
    const RecordTable table = loadRecords(folder.path(), errors);
    EXPECT_EQ(filesOf(table),
              (std::vector<std::string>{"20261209-100001.run", "20261209-100000.run"}));
    EXPECT_EQ(lineCount(errors.str()), 8) << errors.str();
    for (const char* named : {":3: ", ":4: ", ":5: ", "missing.run", "named twice", "changed.run",
                              "cut.run: cut short", "dead.run: not a won attempt"}) {
        EXPECT_NE(errors.str().find(named), std::string::npos) << named << " in\n" << errors.str();
    }
    EXPECT_EQ(table.entries()[0].splits, splitsEvery(5.0f, 35.9f))
        << "the splits come from the run";
    // The next save writes the index of what was kept, whole and in order.
    EXPECT_EQ(recordIndexText(table), "korvel-records 1\n" +
                                          keepRun(folder, "20261209-100001.run", 35.9f) +
                                          keepRun(folder, "20261209-100000.run", 36.5f));
}

TEST(RecordTable, AnIndexThatIsNotOneIsOneLineAndTheTableIsMadeAgainFromItsRuns)
{
    TempDir folder;
    keepRun(folder, "20261209-101500.run", 36.25f);
    keepRun(folder, "20261208-090000-2.run", 35.75f);
    keepRun(folder, "x.run", 37.5f); // a name of the player's own: kept, its date unknown
    folder.write("notes.txt", "not a run");
    folder.write("records.txt", std::string("\x89PNG\r\n\x1a\n\0\0garbage", 18));
    std::ostringstream errors;
    const RecordTable table = loadRecords(folder.path(), errors);
    EXPECT_EQ(lineCount(errors.str()), 1) << errors.str();
    EXPECT_NE(errors.str().find("not a records index"), std::string::npos);
    ASSERT_EQ(filesOf(table),
              (std::vector<std::string>{"20261208-090000-2.run", "20261209-101500.run", "x.run"}));
    EXPECT_EQ(table.entries()[0].when, "2026-12-08T09:00:00");
    EXPECT_EQ(table.entries()[0].medal, Medal::gold);
    EXPECT_EQ(table.entries()[2].when, "0000-00-00T00:00:00");

    std::ostringstream none;
    EXPECT_TRUE(loadRecords(folder / "nothing", none).entries().empty());
    EXPECT_EQ(none.str(), "") << "no records yet is no fault";
}

// The saver writes each record's run and then the index naming it, each replaced whole, so a
// kill at any moment leaves an index whose every line names a whole run: the table it read
// before, or a newer one.
TEST(RecordTable, AKillWhileARecordIsSavedLeavesAWholeTable)
{
    TempDir folder;
    const fs::path records = folder / "records";
    std::size_t kept = 0;
    int next = 0; // the round to come, which names its records
    killAtRandomMoments(
        30, 20261209, 20000,
        [&](auto ready) { // one faster record after another, as fast as they can be saved
            std::ostringstream ignored;
            RecordTable table = loadRecords(records, ignored);
            RunSaver saver(folder / "best.run", folder / "last.run", records, ignored);
            ready();
            for (int i = 0;; ++i) {
                const float time = 100.0f - 0.001f * static_cast<float>(next * 1000 + i);
                RunRecording& run = saver.freshRecording();
                run = wonRun(time, 84, splitsEvery(1.0f, time), 2000);
                RecordWrite record{"r" + std::to_string(next) + "-" + std::to_string(i) + ".run",
                                   "", ""};
                std::optional<std::string> dropped;
                table.place(entry(time, record.file), dropped);
                record.index = recordIndexText(table);
                record.dropped = dropped.value_or("");
                saver.save(run, false, &record);
                saver.flush();
            }
        },
        [&](int round) {
            std::ostringstream errors;
            const RecordTable table = loadRecords(records, errors);
            ASSERT_EQ(errors.str(), "") << "after kill " << round;
            ASSERT_GE(table.entries().size(), kept) << "after kill " << round;
            ASSERT_LE(table.entries().size(), maxRecords);
            kept = table.entries().size();
            next = round + 1;
        });
    EXPECT_GT(kept, 0u) << "no save came through in any round";
}
