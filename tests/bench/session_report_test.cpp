#include "session_report.h"

#include <gtest/gtest.h>

namespace {

SessionMinute minute(double residentMb, double runBytes, double longestMs)
{
    SessionMinute row;
    row.residentMb = residentMb;
    row.lastRunBytes = runBytes;
    row.passes = 30000;
    row.seconds = 60.0;
    row.longestFrameMs = longestMs;
    return row;
}

} // namespace

TEST(SessionReport, ReadsTheGrowthFromTheSecondMinuteOnAndTheLongestFrames)
{
    const std::vector<SessionMinute> minutes = {
        minute(150.0, 180000, 40.0), minute(152.0, 200000, 12.0), minute(152.5, 190000, 55.0),
        minute(153.5, 185000, 20.0)};
    const SessionSummary summary = summarizeSession(minutes, 210000);
    EXPECT_DOUBLE_EQ(summary.residentGrowthMb, 1.5);
    EXPECT_DOUBLE_EQ(summary.largestRunBytes, 210000); // the final file counts too
    EXPECT_DOUBLE_EQ(summary.finalRunBytes, 210000);
    EXPECT_DOUBLE_EQ(summary.firstMinuteLongestMs, 40.0);
    EXPECT_DOUBLE_EQ(summary.longestMs, 55.0);
    EXPECT_DOUBLE_EQ(minutes[0].passesPerSecond(), 500.0);
}

TEST(SessionReport, ReadsHowSoonTheAttemptsDied)
{
    const SessionSummary summary = summarizeSession({}, 0, {3.3, 0.97, 3.5, 3.4});
    EXPECT_DOUBLE_EQ(summary.shortestDeathS, 0.97);
    EXPECT_DOUBLE_EQ(summary.longestDeathS, 3.5);
    EXPECT_GE(summary.medianDeathS, 3.3);
    EXPECT_LE(summary.medianDeathS, 3.4);
    EXPECT_EQ(summary.deathsBeforeTheFloor, 1);
}
