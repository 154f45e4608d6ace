#pragma once

#include "command_line.h"
#include "figure_lines.h"

#include <stdexcept>
#include <string>
#include <vector>

// A measurement whose child did not end well or left out a figure; what() says which
// measurement and why.
class MeasurementFailed : public std::runtime_error {
  public:
    MeasurementFailed(BenchMode measurement, const std::string& why);
};

// The program that runs the measurements, and the folder it runs them in (the game reads its
// assets from there).
struct ChildProgram {
    std::string path;
    std::string workingDir;
};

// Runs one measurement in a fresh child and returns what it reported; throws MeasurementFailed
// when the child does not exit with status 0 in time. environment holds NAME=VALUE entries.
FigureReader runMeasurement(const ChildProgram& program, BenchMode measurement,
                            const BenchOptions& options, double timeoutSeconds,
                            const std::vector<std::string>& environment = {});

// Throws MeasurementFailed when a figure the parent read from the measurement's child was not
// there or not a number.
void requireComplete(const FigureReader& figures, BenchMode measurement);
