// Times as time-attack players read them, the medals, and the splits along the course.

#include "game/course_splits.h"
#include "game/medals.h"
#include "game/race_time.h"

#include <gtest/gtest.h>

TEST(RaceTime, TimesAndDifferencesReadToTheMillisecondAndTheHundredth)
{
    EXPECT_EQ(raceMilliseconds(35.6333351f), 35633);
    EXPECT_EQ(raceMilliseconds(35.6336f), 35634) << "rounded, not cut";
    EXPECT_EQ(raceTimeText(35633), "35.633");
    EXPECT_EQ(raceTimeText(120000), "120.000");
    EXPECT_EQ(raceTimeText(7), "0.007");
    const std::pair<long long, const char*> differences[] = {
        {-349, "-0.35"}, {1200, "+1.20"}, {0, "+0.00"},
        {-4, "-0.00"},   {5, "+0.01"},    {-61005, "-61.01"},
    };
    for (const auto& [milliseconds, text] : differences) {
        EXPECT_EQ(raceDifferenceText(milliseconds), text) << milliseconds;
    }
    const std::pair<std::size_t, const char*> places[] = {
        {1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},     {10, "10th"},   {11, "11th"},
        {12, "12th"}, {13, "13th"}, {21, "21st"}, {102, "102nd"}, {112, "112th"},
    };
    for (const auto& [place, text] : places) {
        EXPECT_EQ(ordinalText(place), text);
    }
}

TEST(Medals, DeriveFromTheAuthorTimeRoundedUpAndAreEarnedUpToTheirTimeIncluded)
{
    EXPECT_EQ(medalMilliseconds(Medal::author), 35600);
    EXPECT_EQ(medalMilliseconds(Medal::gold), 37800);   // 1.06 x 35.6 = 37.736
    EXPECT_EQ(medalMilliseconds(Medal::silver), 42800); // 1.2 x 35.6 = 42.72
    EXPECT_EQ(medalMilliseconds(Medal::bronze), 53400); // 1.5 x 35.6, exact
    EXPECT_EQ(medalMilliseconds(Medal::none), std::nullopt);
    const std::pair<long long, Medal> earned[] = {
        {30000, Medal::author}, {35600, Medal::author}, {35601, Medal::gold}, {35633, Medal::gold},
        {37801, Medal::silver}, {53400, Medal::bronze}, {53401, Medal::none}, {119999, Medal::none},
    };
    for (const auto& [time, medal] : earned) {
        EXPECT_EQ(medalFor(time), medal) << time;
    }
    EXPECT_EQ(nextMedal(Medal::none), Medal::bronze);
    EXPECT_EQ(nextMedal(Medal::gold), Medal::author);
    EXPECT_EQ(nextMedal(Medal::author), std::nullopt);
    for (const Medal medal :
         {Medal::none, Medal::bronze, Medal::silver, Medal::gold, Medal::author}) {
        EXPECT_EQ(medalNamed(medalWord(medal)), medal);
    }
    EXPECT_EQ(medalNamed("platinum"), std::nullopt);
    EXPECT_STREQ(medalName(Medal::author), "Author medal");
}

// The checkpoints are taken in the course's order, each once; one went round stays untaken.
TEST(SplitTracker, TakesEachCheckpointOnceInOrderAndThePizzaLast)
{
    const auto inside = [](std::size_t index) {
        const level::Region& region = level::checkpoints[index];
        return (glm::dvec3(region.low) + glm::dvec3(region.high)) / 2.0;
    };
    SplitTracker splits;
    EXPECT_EQ(splits.passEnds({0.0, 0.0, 0.0}, 1.0f, false), 0);
    EXPECT_EQ(splits.passEnds(inside(0), 6.5f, false), 1);
    EXPECT_EQ(splits.passEnds(inside(0), 6.6f, false), 0) << "taken once";
    EXPECT_EQ(splits.passEnds(inside(2), 15.0f, false), 3) << "the pit was gone round";
    EXPECT_EQ(splits.passEnds(inside(1), 16.0f, false), 0) << "and stays so";
    EXPECT_EQ(splits.lastTaken(), 3);
    EXPECT_EQ(splits.passEnds(inside(4), 34.0f, true), static_cast<int>(splitCount));
    const SplitTimes& times = splits.times();
    EXPECT_EQ(times.at[0], 6.5f);
    EXPECT_EQ(times.at[1], std::nullopt);
    EXPECT_EQ(times.at[2], 15.0f);
    EXPECT_EQ(times.at[3], std::nullopt);
    EXPECT_EQ(times.at[4], 34.0f) << "a checkpoint and the pizza in one pass: both taken";
    EXPECT_EQ(times.at[5], 34.0f);
    EXPECT_EQ(segmentTime(times, 0), 6.5f);
    EXPECT_EQ(segmentTime(times, 1), std::nullopt);
    EXPECT_EQ(segmentTime(times, 2), std::nullopt);
    EXPECT_EQ(segmentTime(times, 5), 0.0f);
    // Edges belong to the region.
    SplitTracker edge;
    EXPECT_EQ(edge.passEnds(glm::dvec3(level::checkpoints[0].low), 1.0f, false), 1);
}
