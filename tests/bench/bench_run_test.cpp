#include "bench_run.h"
#include "printed_figure.h"

#include "support/temp_dir.h"

#include "game/frame_phases.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> everyFigureName()
{
    std::vector<std::string> names(figureNames.begin(), figureNames.end());
    for (const Statistic statistic : {Statistic::Median, Statistic::Mean}) {
        for (std::size_t phase = 0; phase < framePhaseCount; ++phase) {
            names.push_back(phaseFigureName(statistic, phase));
        }
        for (std::size_t pass = 0; pass < drawPassCount; ++pass) {
            names.push_back(gpuFigureName(statistic, pass));
        }
    }
    return names;
}

// A stand-in for the bench's children that needs no window: in every mode it prints every
// figure as 1 and exits with 0, except that in failingMode it leaves out the figure lacking
// and exits with exitStatus.
struct FakeChild {
    BenchMode failingMode = BenchMode::Everything;
    std::string lacking;
    int exitStatus = 0;

    std::string script() const
    {
        const std::string inFailingMode = "[ \"$1\" = " + modeName(failingMode) + " ]";
        std::string text = "#!/bin/sh\n";
        for (const std::string& name : everyFigureName()) {
            const std::string line = "printf '" + printedFigure(name, "1") + "'\n";
            text += name == lacking ? inFailingMode + " || " + line : line;
        }
        return text + inFailingMode + " && exit " + std::to_string(exitStatus) + "\nexit 0\n";
    }
};

struct BenchRun {
    int status = 0;
    std::string table;
    std::string errors;
    bool wroteJson = false;
};

BenchRun runBenchWith(const FakeChild& fake)
{
    TempDir folder;
    folder.write("child", fake.script());
    std::filesystem::permissions(folder / "child", std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    BenchOptions options;
    options.startupRuns = 1;
    options.json = (folder / "bench.json").string();
    std::ostringstream table;
    std::ostringstream errors;
    BenchRun run;
    run.status =
        runBench(options, {(folder / "child").string(), folder.path().string()}, table, errors);
    run.table = table.str();
    run.errors = errors.str();
    run.wroteJson = std::filesystem::exists(options.json);
    return run;
}

} // namespace

TEST(BenchRun, PrintsTheTableAndWritesTheJsonWhenEveryChildReports)
{
    const BenchRun run = runBenchWith({});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.table.find("ceiling (empty clear+swap)"), std::string::npos) << run.table;
    EXPECT_TRUE(run.wroteJson);
    EXPECT_EQ(run.errors, "");
}

TEST(BenchRun, ReportsAChildThatFailsAndWritesNoFigures)
{
    const BenchRun run = runBenchWith({BenchMode::Play, "", 2});
    EXPECT_NE(run.status, 0);
    EXPECT_EQ(run.errors, "korvel-bench: the play measurement failed: its process exited with "
                          "status 2; no figures written\n");
    EXPECT_EQ(run.table, "");
    EXPECT_FALSE(run.wroteJson);
}

TEST(BenchRun, ReportsAChildThatLeavesOutAFigureAndWritesNoFigures)
{
    for (const auto& [mode, figure] :
         {std::pair(BenchMode::Ceiling, figureName(Figure::CeilingFps)),
          std::pair(BenchMode::Play, gpuFigureName(Statistic::Mean, 2)),
          std::pair(BenchMode::Startup, figureName(Figure::StartupS))}) {
        const BenchRun run = runBenchWith({mode, figure, 0});
        EXPECT_NE(run.status, 0) << figure;
        EXPECT_EQ(run.errors, "korvel-bench: the " + modeName(mode) +
                                  " measurement failed: its output lacks " + figure +
                                  "; no figures written\n");
        EXPECT_EQ(run.table, "");
        EXPECT_FALSE(run.wroteJson);
    }
}
