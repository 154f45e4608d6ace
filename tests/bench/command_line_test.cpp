#include "command_line.h"

#include <gtest/gtest.h>

namespace {

BenchOptions changedOptions()
{
    BenchOptions options;
    options.frames = 200;
    options.warmUp = 5;
    options.ceilingFrames = 40;
    options.route = "some.route";
    options.sessionMinutes = 7;
    return options;
}

} // namespace

TEST(BenchCommandLine, TakesTheParentsOptions)
{
    const std::optional<CommandLine> line = parseCommandLine(
        {"--frames", "900", "--startup-runs", "0", "--json", "out.json", "--route", "r.route"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->mode, BenchMode::Everything);
    EXPECT_EQ(line->options.frames, 900);
    EXPECT_EQ(line->options.startupRuns, 1); // at least one pair is measured
    EXPECT_EQ(line->options.json, "out.json");
    EXPECT_EQ(line->options.route, "r.route");
    EXPECT_EQ(line->options.warmUp, BenchOptions().warmUp);
}

TEST(BenchCommandLine, RefusesWhatMakesNoSense)
{
    EXPECT_FALSE(parseCommandLine({"--frames"}));
    EXPECT_FALSE(parseCommandLine({"--frames", "many"}));
    EXPECT_FALSE(parseCommandLine({"--frames", "-3"}));
    EXPECT_FALSE(parseCommandLine({"--speed", "3"}));
    EXPECT_FALSE(parseCommandLine({modeName(BenchMode::Play), "r.route", "10"}));
    EXPECT_FALSE(parseCommandLine({modeName(BenchMode::Ceiling), "10x"}));
}

TEST(BenchCommandLine, EachChildReadsBackItsShareOfTheOptions)
{
    const BenchOptions options = changedOptions();
    for (const BenchMode mode :
         {BenchMode::Ceiling, BenchMode::Play, BenchMode::Startup, BenchMode::Session}) {
        const std::optional<CommandLine> line = parseCommandLine(childArguments(mode, options));
        ASSERT_TRUE(line) << modeName(mode);
        EXPECT_EQ(line->mode, mode);
    }
    const std::optional<CommandLine> ceiling =
        parseCommandLine(childArguments(BenchMode::Ceiling, options));
    EXPECT_EQ(ceiling->options.ceilingFrames, options.ceilingFrames);
    const std::optional<CommandLine> play =
        parseCommandLine(childArguments(BenchMode::Play, options));
    EXPECT_EQ(play->options.route, options.route);
    EXPECT_EQ(play->options.frames, options.frames);
    EXPECT_EQ(play->options.warmUp, options.warmUp);
    const std::optional<CommandLine> session =
        parseCommandLine(childArguments(BenchMode::Session, options));
    EXPECT_EQ(session->options.sessionMinutes, options.sessionMinutes);
}
