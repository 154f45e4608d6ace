#include "bench_run.h"

#include "bench_report.h"
#include "launch_time.h"
#include "process_measures.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

namespace {

// Bounds on each child's run, far beyond what it takes on the reference machine, so that a
// child that hangs (a window that never shows, a loop that never ends) is reported, not awaited.
double ceilingTimeout(const BenchOptions& options)
{
    return 120.0 + 0.1 * static_cast<double>(options.ceilingFrames);
}

double playTimeout(const BenchOptions& options)
{
    return 120.0 + 1.0 * static_cast<double>(options.frames + options.warmUp);
}

constexpr double startupTimeout = 120.0;

// A new empty folder for a shader cache, removed with what the driver put in it.
class ShaderCacheFolder {
  public:
    ShaderCacheFolder()
    {
        std::string pattern = "/tmp/korvel-bench-cache-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            throw MeasurementFailed(BenchMode::Startup, "no folder for a shader cache");
        }
        path = pattern;
    }
    ~ShaderCacheFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ShaderCacheFolder(const ShaderCacheFolder&) = delete;
    ShaderCacheFolder& operator=(const ShaderCacheFolder&) = delete;

    std::string path;
};

void measureCeiling(const ChildProgram& program, const BenchOptions& options, BenchFigures& figures)
{
    FigureReader child =
        runMeasurement(program, BenchMode::Ceiling, options, ceilingTimeout(options));
    figures.renderer = child.text(Figure::Renderer);
    figures.width = static_cast<int>(child.number(Figure::Width));
    figures.height = static_cast<int>(child.number(Figure::Height));
    figures.ceilingFps = child.number(Figure::CeilingFps);
    requireComplete(child, BenchMode::Ceiling);
}

void measurePlay(const ChildProgram& program, const BenchOptions& options, BenchFigures& figures)
{
    FigureReader child = runMeasurement(program, BenchMode::Play, options, playTimeout(options));
    figures.setFrameTimes(child.numbers(Figure::FrameMs));
    for (std::size_t phase = 0; phase < framePhaseCount; ++phase) {
        figures.phaseMedianMs[phase] = child.number(phaseFigureName(Statistic::Median, phase));
        figures.phaseMeanMs[phase] = child.number(phaseFigureName(Statistic::Mean, phase));
    }
    for (std::size_t pass = 0; pass < drawPassCount; ++pass) {
        figures.gpuMedianMs[pass] = child.number(gpuFigureName(Statistic::Median, pass));
        figures.gpuMeanMs[pass] = child.number(gpuFigureName(Statistic::Mean, pass));
    }
    figures.allocationsPerFrame = child.number(Figure::AllocationsPerFrame);
    figures.cpuMsPerFrame = child.number(Figure::CpuMsPerFrame);
    figures.outcome = child.text(Figure::Outcome);
    figures.peakResidentMb = child.number(Figure::PeakRssMb);
    requireComplete(child, BenchMode::Play);
}

double startupSeconds(const ChildProgram& program, const BenchOptions& options,
                      const ShaderCacheFolder& cache)
{
    FigureReader child = runMeasurement(program, BenchMode::Startup, options, startupTimeout,
                                        {"MESA_SHADER_CACHE_DIR=" + cache.path, launchTimeEntry()});
    const double seconds = child.number(Figure::StartupS);
    requireComplete(child, BenchMode::Startup);
    return seconds;
}

// Cold: an empty shader cache folder, so every program compiles; warm: the same folder again,
// filled by the cold run before it.
void measureStartup(const ChildProgram& program, const BenchOptions& options, BenchFigures& figures)
{
    std::vector<double> cold;
    std::vector<double> warm;
    for (int run = 0; run < options.startupRuns; ++run) {
        const ShaderCacheFolder cache;
        cold.push_back(startupSeconds(program, options, cache));
        warm.push_back(startupSeconds(program, options, cache));
    }
    figures.startupColdS = median(cold);
    figures.startupWarmS = median(warm);
}

BenchFigures measureAll(const ChildProgram& program, const BenchOptions& options)
{
    BenchFigures figures;
    figures.loadBefore = loadAverage();
    measureCeiling(program, options, figures);
    measurePlay(program, options, figures);
    measureStartup(program, options, figures);
    figures.loadAfter = loadAverage();
    return figures;
}

} // namespace

int runBench(const BenchOptions& options, const ChildProgram& program, std::ostream& out,
             std::ostream& errors)
{
    BenchFigures figures;
    try {
        figures = measureAll(program, options);
    } catch (const MeasurementFailed& failure) {
        errors << "korvel-bench: " << failure.what() << "; no figures written" << std::endl;
        return 1;
    }
    out << formatTable(figures);
    std::ofstream json(options.json);
    json << formatJson(figures);
    if (!json.flush()) {
        errors << "korvel-bench: cannot write " << options.json << std::endl;
        return 1;
    }
    out << "JSON written to " << options.json << std::endl;
    return 0;
}
