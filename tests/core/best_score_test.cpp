#include "app/best_score.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

TEST(BestScore, ReadsTheStoredNumber)
{
    TempDir folder;
    folder.write("score.txt", "57");
    EXPECT_EQ(BestScore(folder / "score.txt").value, 57);
    folder.write("score.txt", "42\nabc");
    EXPECT_EQ(BestScore(folder / "score.txt").value, 42);
    folder.write("score.txt", "  -3 points");
    EXPECT_EQ(BestScore(folder / "score.txt").value, -3);
}

TEST(BestScore, AMissingOrMeaninglessFileCountsAsZero)
{
    TempDir folder;
    EXPECT_EQ(BestScore(folder / "score.txt").value, 0);
    folder.write("score.txt", "");
    EXPECT_EQ(BestScore(folder / "score.txt").value, 0);
    folder.write("score.txt", "abc 12");
    EXPECT_EQ(BestScore(folder / "score.txt").value, 0);
    folder.write("score.txt", "99999999999999999999");
    EXPECT_EQ(BestScore(folder / "score.txt").value, 0);
    std::filesystem::create_directories(folder / "folder.txt");
    EXPECT_EQ(BestScore(folder / "folder.txt").value, 0);
}

TEST(BestScore, SaveWritesTheNumberAloneAndLeavesNoTemporaryFile)
{
    TempDir folder;
    folder.write("score.txt", "57");
    BestScore best(folder / "score.txt");
    best.save(60);
    EXPECT_EQ(best.value, 60);
    EXPECT_EQ(folder.read("score.txt"), "60");
    best.save(-7);
    EXPECT_EQ(folder.read("score.txt"), "-7");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
    EXPECT_EQ(BestScore(folder / "score.txt").value, -7);
}

TEST(BestScore, SaveCreatesAMissingFile)
{
    TempDir folder;
    BestScore best(folder / "score.txt");
    best.save(12);
    EXPECT_EQ(folder.read("score.txt"), "12");
}

TEST(BestScore, AFailedWriteKeepsTheNewValueInMemoryAndTheOldFileWhole)
{
    TempDir folder;
    // The folder does not exist.
    BestScore nowhere(folder / "missing" / "score.txt");
    nowhere.save(80);
    EXPECT_EQ(nowhere.value, 80);
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));

    // The folder is a file.
    folder.write("blocker", "x");
    BestScore blocked(folder / "blocker" / "score.txt");
    blocked.save(81);
    EXPECT_EQ(blocked.value, 81);
    EXPECT_EQ(folder.read("blocker"), "x");

    // The stored best survives a write that cannot complete.
    folder.write("score.txt", "57");
    std::filesystem::create_directories(folder / "score.txt.tmp" / "in-the-way");
    BestScore stored(folder / "score.txt");
    stored.save(90);
    EXPECT_EQ(stored.value, 90);
    EXPECT_EQ(folder.read("score.txt"), "57");
}

TEST(BestScore, TheSavedTextOfAnyScoreReadsBackAsThatScore)
{
    TempDir folder;
    for (const int score :
         {0, 60, -3, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
        BestScore(folder / "score.txt").save(score);
        EXPECT_EQ(folder.read("score.txt"), bestScoreText(score));
        EXPECT_EQ(BestScore(folder / "score.txt").value, score);
    }
}
