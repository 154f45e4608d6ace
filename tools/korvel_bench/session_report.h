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
    // How long after its start each attempt died, in seconds: a fall to the floor takes about
    // 3.2 to 3.7 s, so a shorter one is a knife or the hazard.
    double shortestDeathS = 0.0;
    double medianDeathS = 0.0;
    double longestDeathS = 0.0;
    long deathsBeforeTheFloor = 0; // under 3 s: no walk reaches the floor that soon
};

// finalRunBytes is last.run's size once the game has ended; no minutes give an empty summary.
SessionSummary summarizeSession(const std::vector<SessionMinute>& minutes, double finalRunBytes,
                                const std::vector<double>& deathSeconds = {});

// One row per minute, as a Markdown table.
std::string formatMinuteTable(const std::vector<SessionMinute>& minutes);

// The summary's lines.
std::string formatSessionSummary(const SessionSummary& summary);
