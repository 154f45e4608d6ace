#pragma once

#include <string>
#include <vector>

// What one minute of the long session did to memory, the run file and the frames.
struct SessionMinute {
    double residentMb = 0.0;   // at the minute's end
    double lastRunBytes = 0.0; // last.run's size at the minute's end
    long passes = 0;
    double seconds = 0.0; // the minute's length on the wall clock, about 60
    double longestFrameMs = 0.0;
    double medianFrameMs = 0.0;
    double allocationsPerPass = 0.0; // on the main thread
    double load = 0.0;               // the machine's one-minute load average at its end

    double passesPerSecond() const;
};

// The figures the session is read by, taken from its minutes.
struct SessionSummary {
    double residentGrowthMb = 0.0; // from the end of minute 2 (the only one, if one) to the end
    double largestRunBytes = 0.0;  // of last.run at any minute's end or at the end
    double finalRunBytes = 0.0;
    double firstMinuteLongestMs = 0.0;
    double longestMs = 0.0; // over the whole session
};

// finalRunBytes is last.run's size once the game has ended; no minutes give an empty summary.
SessionSummary summarizeSession(const std::vector<SessionMinute>& minutes, double finalRunBytes);

// One row per minute, as a Markdown table.
std::string formatMinuteTable(const std::vector<SessionMinute>& minutes);

// The summary's lines.
std::string formatSessionSummary(const SessionSummary& summary);
