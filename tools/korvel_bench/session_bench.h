#pragma once

#include "child_measurement.h"
#include "command_line.h"

#include <ostream>

// The long session (korvel-bench --session MINUTES): the real game in a tiny window, dying and
// restarting every few seconds for that many minutes in a child of program that plays in a
// fresh folder, then korvel-replay (beside program) checks the runs it saved, each in a fresh
// process. Prints a table of the minutes, the figures they are read by and what the replays
// said on out. A failed child or a missing figure is one line on errors and no table; a run
// that does not verify is reported with the rest. Either returns non-zero.
int runSessionBench(const BenchOptions& options, const ChildProgram& program, std::ostream& out,
                    std::ostream& errors);
