#pragma once

#include "runs/run_recording.h"

#include <iosfwd>
#include <string>

// What a check of a run found: nothing, when a fresh game played from its snapshot reproduces
// every pass's foot, its outcome, play time and score, and the checksum of its end state.
// Otherwise the first thing that differs: a header value this build cannot vouch for, the
// first pass whose foot differs, or the end.
struct RunCheck {
    std::string difference; // empty when the run reproduced
    AttemptEnd end;         // how the replay ended
};

// Plays the run again without a window or GL, as fast as the machine goes. Format 2 and later;
// splits are checked from format 3 on.
RunCheck checkRun(const RunRecording& run);

// "verified: OUTCOME time=SECONDS score=N"
std::string verifiedLine(const AttemptEnd& end);

// The run's header and figures as key: value lines: format, build, level, outcome, play_time,
// score, practice, passes, longest_frame_ms, then split_N for each split the run took (format 3
// on). Format 1 files name what they do not keep as unknown.
void describeRun(std::ostream& out, const RunRecording& run);
