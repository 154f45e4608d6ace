// korvel-bench: frame time, start-up time and memory of the real game on this machine, set
// against the machine's own ceiling (an empty clear-and-swap loop at the game's window size).
// It runs every measurement, each in a fresh child process of this same program, then prints
// one table and writes the same figures as JSON; see command_line.h for how it is called.
//
// Run it from a build directory: the game reads assets/ relative to the working directory.

#include "bench_run.h"
#include "ceiling_loop.h"
#include "command_line.h"
#include "play_run.h"
#include "session_bench.h"
#include "session_run.h"
#include "startup_run.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    const std::optional<CommandLine> line =
        parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line) {
        std::cerr << usageText;
        return 2;
    }
    switch (line->mode) {
    case BenchMode::Ceiling:
        return runCeiling(line->options.ceilingFrames);
    case BenchMode::Play:
        return runPlay(line->options);
    case BenchMode::Startup:
        return runStartup();
    case BenchMode::Session:
        return runSession(line->options.sessionMinutes);
    case BenchMode::Everything:
        break;
    }
    const ChildProgram self{std::filesystem::read_symlink("/proc/self/exe").string(),
                            std::filesystem::current_path().string()};
    if (line->options.sessionMinutes > 0) {
        return runSessionBench(line->options, self, std::cout, std::cerr);
    }
    return runBench(line->options, self, std::cout, std::cerr);
}
