#include "session_report.h"

#include "bench_report.h"

#include <algorithm>
#include <cstdio>

namespace {

// Minute 2 on: the first minute holds the start-up's own growth (the shader cache, the
// driver's first buffers), not what the session does over time.
constexpr std::size_t settledMinute = 1;

// The soonest a walk off the counter reaches the floor: the walk begins 1.5 s in at the
// earliest and the fall takes about 1.7 s.
constexpr double soonestFloorDeathS = 3.0;

std::string formatted(const char* format, double a, double b = 0.0, double c = 0.0)
{
    char line[256];
    std::snprintf(line, sizeof line, format, a, b, c);
    return line;
}

} // namespace

double SessionMinute::passesPerSecond() const
{
    return seconds > 0.0 ? static_cast<double>(passes) / seconds : 0.0;
}

SessionSummary summarizeSession(const std::vector<SessionMinute>& minutes, double finalRunBytes,
                                const std::vector<double>& deathSeconds)
{
    SessionSummary summary;
    if (!deathSeconds.empty()) {
        summary.shortestDeathS = *std::min_element(deathSeconds.begin(), deathSeconds.end());
        summary.medianDeathS = median(deathSeconds);
        summary.longestDeathS = *std::max_element(deathSeconds.begin(), deathSeconds.end());
        summary.deathsBeforeTheFloor =
            std::count_if(deathSeconds.begin(), deathSeconds.end(),
                          [](double seconds) { return seconds < soonestFloorDeathS; });
    }
    summary.finalRunBytes = finalRunBytes;
    summary.largestRunBytes = finalRunBytes;
    if (minutes.empty()) {
        return summary;
    }
    const std::size_t from = std::min(settledMinute, minutes.size() - 1);
    summary.residentGrowthMb = minutes.back().residentMb - minutes[from].residentMb;
    summary.firstMinuteLongestMs = minutes.front().longestFrameMs;
    for (const SessionMinute& minute : minutes) {
        summary.largestRunBytes = std::max(summary.largestRunBytes, minute.lastRunBytes);
        summary.longestMs = std::max(summary.longestMs, minute.longestFrameMs);
    }
    return summary;
}

std::string formatMinuteTable(const std::vector<SessionMinute>& minutes)
{
    std::string table = "| minute | RSS (MB) | last.run (bytes) | passes/s | longest frame (ms) | "
                        "median frame (ms) | allocations/pass | load |\n"
                        "|---|---|---|---|---|---|---|---|\n";
    for (std::size_t i = 0; i < minutes.size(); ++i) {
        const SessionMinute& minute = minutes[i];
        table += "| " + std::to_string(i + 1) + " | " +
                 formatted("%.1f | %.0f | %.0f | ", minute.residentMb, minute.lastRunBytes,
                           minute.passesPerSecond()) +
                 formatted("%.2f | %.2f | %.3f | ", minute.longestFrameMs, minute.medianFrameMs,
                           minute.allocationsPerPass) +
                 formatted("%.2f |\n", minute.load);
    }
    return table;
}

std::string formatSessionSummary(const SessionSummary& summary)
{
    return formatted("RSS growth from minute 2 to the end: %+.1f MB\n", summary.residentGrowthMb) +
           formatted("last.run: largest %.0f bytes, final %.0f bytes\n", summary.largestRunBytes,
                     summary.finalRunBytes) +
           formatted("longest frame: first minute %.2f ms, whole session %.2f ms\n",
                     summary.firstMinuteLongestMs, summary.longestMs) +
           formatted("death after the attempt's start: shortest %.2f s, median %.2f s, longest "
                     "%.2f s\n",
                     summary.shortestDeathS, summary.medianDeathS, summary.longestDeathS) +
           formatted("deaths before a fall could reach the floor (a knife or the hazard): %.0f\n",
                     static_cast<double>(summary.deathsBeforeTheFloor));
}
