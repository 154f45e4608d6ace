// Times the replay viewer's seeks through a run of the whole two minutes: the time-up route
// played headless at several pass rates and kept as the game keeps its runs, then watched as
// the viewer watches it. A seek forward plays on from where the run stands; a seek back plays
// the run again from its snapshot, so the slowest seek is one back from the end.
// Usage: korvel_seek_benchmark [ROUTE] (default: routes/timeup.route beside the tools)

#include "runs/headless_game.h"
#include "runs/route.h"
#include "runs/run_keeper.h"
#include "runs/run_viewer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

template <typename Work> double millisecondsOf(Work&& work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The route played at this many passes a second by a game that keeps its runs in folder.
std::string playKept(HeadlessGame& game, const Route& route, double passesPerSecond,
                     const std::filesystem::path& folder, RunRecording& run)
{
    std::ostringstream errors;
    RunKeeper keeper(folder / "score.txt", errors);
    game.keepRuns(&keeper);
    game.run(route, 1.0 / passesPerSecond, 123.0);
    game.keepRuns(nullptr);
    ParseError error;
    std::optional<RunRecording> kept = loadRecording(folder / "last.run", error);
    if (!kept) {
        return "last.run:" + std::to_string(error.line) + ": " + error.message;
    }
    run = std::move(*kept);
    return {};
}

// A seek as the viewer plays it, a frame's budget at a time: all its frames, the longest one,
// and how many there were.
struct SeekCost {
    double milliseconds = 0.0;
    double longestFrame = 0.0;
    int frames = 0;
};

SeekCost costOfSeek(RunViewer& viewer)
{
    SeekCost cost;
    while (viewer.seeking()) {
        const double frame = millisecondsOf([&] { viewer.advance(0.0); });
        cost.milliseconds += frame;
        cost.longestFrame = std::max(cost.longestFrame, frame);
        ++cost.frames;
    }
    return cost;
}

void printCost(const SeekCost& cost)
{
    std::printf(" %9.1f %9.1f %7d", cost.milliseconds, cost.longestFrame, cost.frames);
}

} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path routeFile =
        argc > 1 ? argv[1] : std::filesystem::path(KORVEL_SOURCE_DIR) / "routes" / "timeup.route";
    std::ifstream in(routeFile);
    ParseError error;
    const std::optional<Route> route = parseRoute({std::istreambuf_iterator<char>(in), {}}, error);
    if (!route) {
        std::fprintf(stderr, "%s:%d: %s\n", routeFile.c_str(), error.line, error.message.c_str());
        return 2;
    }
    char pattern[] = "/tmp/korvel-seek-XXXXXX";
    const std::filesystem::path folder = mkdtemp(pattern);
    // Each seek: its milliseconds over all its frames, its longest frame's, and its frames.
    std::printf("%-8s %7s %7s %7s | %-27s | %-27s\n", "passes/s", "passes", "play_s", "run_MB",
                "to the end: ms, frame ms, n", "5 s back: ms, frame ms, n");
    for (const double rate : {30.0, 60.0, 144.0, 240.0, 500.0}) {
        HeadlessGame game(folder / "score.txt");
        RunRecording run;
        RunViewer viewer(game.session());
        std::string why = playKept(game, *route, rate, folder, run);
        why = why.empty() ? viewer.open(run) : why;
        if (!why.empty()) {
            std::fprintf(stderr, "korvel_seek_benchmark: the run at %g passes/s: %s\n", rate,
                         why.c_str());
            return 1;
        }
        const double megabytes =
            static_cast<double>(std::filesystem::file_size(folder / "last.run")) / 1e6;
        viewer.seekBy(1e9);
        const SeekCost toEnd = costOfSeek(viewer);
        viewer.seekBy(-watchSeekSeconds);
        const SeekCost back = costOfSeek(viewer);
        std::printf("%-8g %7zu %7.1f %7.1f |", rate, run.passes.size(),
                    static_cast<double>(run.end.playTime), megabytes);
        printCost(toEnd);
        std::printf(" |");
        printCost(back);
        std::printf("\n");
    }
    std::filesystem::remove_all(folder);
    return 0;
}
