#include "command_line.h"

#include <algorithm>
#include <array>
#include <cstdlib>

const char* const usageText =
    "usage: korvel-bench [--frames N] [--warm-up N] [--ceiling-frames N] [--startup-runs N] "
    "[--route FILE] [--json FILE]\n"
    "       korvel-bench --session MINUTES\n"
    "       korvel-bench ceiling FRAMES | play ROUTE FRAMES WARM_UP | startup | session MINUTES\n";

namespace {

// In BenchMode order; the parent has no name of its own, it takes options instead.
constexpr std::array<const char*, 5> modeNames = {"", "ceiling", "play", "startup", "session"};

bool isChildMode(const std::string& word)
{
    return !word.empty() && std::find(modeNames.begin(), modeNames.end(), word) != modeNames.end();
}

// A count of frames or runs: a whole number, zero or more.
bool readCount(const std::string& text, long& count)
{
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 0) {
        return false;
    }
    count = value;
    return true;
}

std::optional<CommandLine> parseChildMode(const std::vector<std::string>& arguments)
{
    CommandLine line;
    BenchOptions& options = line.options;
    bool valid = false;
    if (arguments[0] == modeName(BenchMode::Ceiling) && arguments.size() == 2) {
        line.mode = BenchMode::Ceiling;
        valid = readCount(arguments[1], options.ceilingFrames);
    } else if (arguments[0] == modeName(BenchMode::Play) && arguments.size() == 4) {
        line.mode = BenchMode::Play;
        options.route = arguments[1];
        valid = readCount(arguments[2], options.frames) && readCount(arguments[3], options.warmUp);
    } else if (arguments[0] == modeName(BenchMode::Startup) && arguments.size() == 1) {
        line.mode = BenchMode::Startup;
        valid = true;
    } else if (arguments[0] == modeName(BenchMode::Session) && arguments.size() == 2) {
        line.mode = BenchMode::Session;
        valid = readCount(arguments[1], options.sessionMinutes) && options.sessionMinutes > 0;
    }
    return valid ? std::optional<CommandLine>(line) : std::nullopt;
}

// One "--word value" pair of the parent's options; false for an unknown word or a bad count.
bool setOption(BenchOptions& options, const std::string& word, const std::string& value)
{
    if (word == "--route") {
        options.route = value;
        return true;
    }
    if (word == "--json") {
        options.json = value;
        return true;
    }
    long count = 0;
    if (!readCount(value, count)) {
        return false;
    }
    if (word == "--frames") {
        options.frames = std::max(1L, count);
    } else if (word == "--warm-up") {
        options.warmUp = count;
    } else if (word == "--ceiling-frames") {
        options.ceilingFrames = std::max(1L, count);
    } else if (word == "--startup-runs") {
        options.startupRuns = static_cast<int>(std::max(1L, count));
    } else if (word == "--session") {
        options.sessionMinutes = std::max(1L, count);
    } else {
        return false;
    }
    return true;
}

} // namespace

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments)
{
    if (!arguments.empty() && isChildMode(arguments[0])) {
        return parseChildMode(arguments);
    }
    CommandLine line;
    if (arguments.size() % 2 != 0) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < arguments.size(); i += 2) {
        if (!setOption(line.options, arguments[i], arguments[i + 1])) {
            return std::nullopt;
        }
    }
    return line;
}

std::vector<std::string> childArguments(BenchMode measurement, const BenchOptions& options)
{
    const std::string name = modeName(measurement);
    switch (measurement) {
    case BenchMode::Ceiling:
        return {name, std::to_string(options.ceilingFrames)};
    case BenchMode::Play:
        return {name, options.route, std::to_string(options.frames),
                std::to_string(options.warmUp)};
    case BenchMode::Startup:
        return {name};
    case BenchMode::Session:
        return {name, std::to_string(options.sessionMinutes)};
    case BenchMode::Everything:
        break;
    }
    return {};
}

std::string modeName(BenchMode mode)
{
    return modeNames[static_cast<std::size_t>(mode)];
}
