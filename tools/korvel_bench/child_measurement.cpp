#include "child_measurement.h"

#include "subprocess/subprocess.h"

MeasurementFailed::MeasurementFailed(BenchMode measurement, const std::string& why)
    : std::runtime_error("the " + modeName(measurement) + " measurement failed: " + why)
{
}

FigureReader runMeasurement(const ChildProgram& program, BenchMode measurement,
                            const BenchOptions& options, double timeoutSeconds,
                            const std::vector<std::string>& environment)
{
    std::vector<std::string> argv = childArguments(measurement, options);
    argv.insert(argv.begin(), program.path);
    const ProcessResult child = runProcess(argv, program.workingDir, timeoutSeconds, environment);
    if (child.exitStatus != 0) {
        throw MeasurementFailed(measurement, "its process " + describeEnd(child));
    }
    return FigureReader(child.output);
}

void requireComplete(const FigureReader& figures, BenchMode measurement)
{
    std::string why;
    for (const std::string& problem : figures.problems()) {
        why += (why.empty() ? "its output " : ", ") + problem;
    }
    if (!why.empty()) {
        throw MeasurementFailed(measurement, why);
    }
}
