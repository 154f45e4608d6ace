#pragma once

#include <optional>
#include <string>
#include <vector>

// What korvel-bench is asked to do:
//
//   korvel-bench [--frames N] [--warm-up N] [--ceiling-frames N] [--startup-runs N]
//                [--route FILE] [--json FILE]
//
// runs every measurement, each in a child process of this same program started as one of
//
//   korvel-bench ceiling FRAMES
//   korvel-bench play ROUTE FRAMES WARM_UP
//   korvel-bench startup
//
// which reports its figures to the parent (figure_lines.h). The long session is a measurement
// of its own, too long for the quick run: "korvel-bench --session MINUTES" runs only it, in a
// child started as
//
//   korvel-bench session MINUTES
enum class BenchMode { Everything, Ceiling, Play, Startup, Session };

// How long and how often to measure. The parent reads them from its options and hands each
// child its share of them as arguments.
struct BenchOptions {
    long frames = 600; // measured frames of play
    long warmUp = 30;  // frames played before them
    long ceilingFrames = 2000;
    int startupRuns = 3; // pairs of a cold and a warm start; the medians are reported
    std::string route = "routes/win.route";
    std::string json = "bench.json";
    long sessionMinutes = 0; // above 0: the long session alone, this many minutes
};

struct CommandLine {
    BenchMode mode = BenchMode::Everything;
    BenchOptions options;
};

// The arguments after the program's name; nothing when they make no sense (usageText says why).
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments);

// The arguments that start the child of a measurement with its share of the options: what
// parseCommandLine reads back as that mode.
std::vector<std::string> childArguments(BenchMode measurement, const BenchOptions& options);

// The measurement's name, as the child's first argument and in messages.
std::string modeName(BenchMode mode);

extern const char* const usageText;
