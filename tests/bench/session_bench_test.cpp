#include "printed_figure.h"
#include "session_bench.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr long sessionMinutes = 2;

// Stand-ins for the session's child and for korvel-replay beside it, which need no window. The
// child plays only in a folder set up for the session (a tiny window, no best score), leaves a
// last.run there and reports two minutes, without the figure lacking, with deaths deaths in 13
// restarts.
struct FakeSession {
    std::string lacking;
    int deaths = 14;
    int verifyStatus = 0;

    std::string childScript() const
    {
        std::string text = "#!/bin/sh\n"
                           "grep -q 'width = 64' assets/settings.ini || exit 3\n"
                           "[ -e assets/score.txt ] && exit 4\n"
                           "printf 'a run' > assets/last.run\n";
        const auto figure = [&](Figure name, const std::string& value) {
            if (figureName(name) != lacking) {
                text += "printf '" + printedFigure(figureName(name), value) + "'\n";
            }
        };
        for (long minute = 0; minute < sessionMinutes; ++minute) {
            for (const Figure name :
                 {Figure::MinuteRssMb, Figure::MinuteRunBytes, Figure::MinutePasses,
                  Figure::MinuteSeconds, Figure::MinuteLongestMs, Figure::MinuteMedianMs,
                  Figure::MinuteAllocations, Figure::MinuteLoad}) {
                figure(name, "60");
            }
        }
        figure(Figure::Deaths, std::to_string(deaths));
        figure(Figure::DeathSeconds, "3.25");
        figure(Figure::Restarts, "13");
        figure(Figure::FinalRunBytes, "5");
        figure(Figure::PeakRssMb, "150");
        return text;
    }

    std::string replayScript() const
    {
        return "#!/bin/sh\n"
               "[ \"$1\" = --info ] && echo 'passes: 2279' && exit 0\n"
               "echo 'verified: dead time=3.200 score=0'\n"
               "exit " +
               std::to_string(verifyStatus) + "\n";
    }
};

struct SessionBenchRun {
    int status = 0;
    std::string out;
    std::string errors;
};

void writeProgram(const TempDir& folder, const std::string& name, const std::string& script)
{
    folder.write(name, script);
    std::filesystem::permissions(folder / name, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
}

SessionBenchRun runSessionWith(const FakeSession& fake)
{
    TempDir folder;
    writeProgram(folder, "child", fake.childScript());
    writeProgram(folder, "korvel-replay", fake.replayScript());
    folder.write("build/assets/settings.ini", "[window]\nwidth = 800\nheight = 800\n");
    folder.write("build/assets/score.txt", "42\n");
    BenchOptions options;
    options.sessionMinutes = sessionMinutes;
    std::ostringstream out;
    std::ostringstream errors;
    SessionBenchRun run;
    run.status = runSessionBench(
        options, {(folder / "child").string(), (folder / "build").string()}, out, errors);
    run.out = out.str();
    run.errors = errors.str();
    return run;
}

} // namespace

TEST(SessionBench, PrintsTheMinutesAndWhatTheReplaysSaid)
{
    const SessionBenchRun run = runSessionWith({});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.out.find("\n| 2 | 60.0 | 60 | 1 | 60.00 |"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("--verify assets/last.run: verified: dead time=3.200 score=0 "
                           "(exited with status 0)"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("best.run: none saved"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("    passes: 2279\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.errors, "");
}

// A child that leaves out a figure, or a cycle that did not end in a death: one line says
// why, and no figures are written.
TEST(SessionBench, ReportsAFailedMeasurementAndWritesNoFigures)
{
    const std::pair<FakeSession, std::string> cases[]{
        {{figureName(Figure::MinuteMedianMs)}, "its output lacks minute_median_ms"},
        {{"", 13}, "the player died 13 times in 14 attempts: not every cycle ended on the floor"},
    };
    for (const auto& [fake, why] : cases) {
        const SessionBenchRun run = runSessionWith(fake);
        EXPECT_NE(run.status, 0) << why;
        EXPECT_EQ(run.errors, "korvel-bench: the session measurement failed: " + why +
                                  "; no figures written\n");
        EXPECT_EQ(run.out, "") << why;
    }
}

TEST(SessionBench, ReportsARunThatDoesNotVerifyWithTheFigures)
{
    const SessionBenchRun run = runSessionWith({"", 14, 1});
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.out.find("(exited with status 1)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("| minute |"), std::string::npos) << run.out;
    EXPECT_EQ(run.errors, "korvel-bench: a run the session saved did not verify (see above)\n");
}
