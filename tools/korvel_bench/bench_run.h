#pragma once

#include "child_measurement.h"
#include "command_line.h"

#include <ostream>

// The whole benchmark: every measurement in a fresh child of program, then one table on out and
// the same figures as JSON in options.json. When a measurement fails, says which and why on
// errors, writes neither and returns non-zero.
int runBench(const BenchOptions& options, const ChildProgram& program, std::ostream& out,
             std::ostream& errors);
