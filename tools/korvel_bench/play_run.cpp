#include "play_run.h"

#include "allocation_counter.h"
#include "bench_report.h"
#include "figure_lines.h"
#include "process_measures.h"

#include "game/game_state.h"

#include <GLFW/glfw3.h>

#include <cstdlib>
#include <iostream>

namespace {

double perFrame(double total, std::size_t frames)
{
    return frames > 0 ? total / static_cast<double>(frames) : 0.0;
}

} // namespace

PlayRun::PlayRun(const Route& route, long frames, long warmUp)
    : frames(frames), warmUp(warmUp), route(route)
{
    // Room for every measured frame now, so that measuring allocates nothing in the loop.
    frameSeconds.reserve(static_cast<std::size_t>(frames));
    phaseSeconds.reserve(static_cast<std::size_t>(frames));
}

int PlayRun::play()
{
    RunOptions options;
    options.observer = this;
    options.script = &route;
    options.onFinish = [this](const RunSummary& finished) { finish(finished); };
    const int status = runGame(options);
    // A window closed early (Escape, the pad's Back) leaves the counts without their end.
    if (status == 0 && frameSeconds.size() < static_cast<std::size_t>(frames)) {
        std::cerr << "korvel-bench: the game ended after " << frameSeconds.size() << " of "
                  << frames << " measured frames" << std::endl;
        return 1;
    }
    return status;
}

// The route has just begun the pass, so the pass that ended is the one before it.
void PlayRun::passBegins()
{
    const double now = monotonicSeconds();
    const long pass = route.pass();
    if (pass > warmUp) {
        frameSeconds.push_back(now - passStart);
        phaseSeconds.push_back(phases.totals());
    }
    measuring = pass >= warmUp && pass < warmUp + frames;
    if (pass == warmUp) {
        startMeasuring();
    }
    if (pass == warmUp + frames) {
        // The window closes at the start of a pass, before it draws: the loop ends after it.
        stopMeasuring();
        glfwSetWindowShouldClose(glfwGetCurrentContext(), GLFW_TRUE);
    }
    phases.reset();
    passStart = now;
    phases.begin();
}

void PlayRun::drawPassStarts(DrawPass pass)
{
    if (!gpu) {
        gpu.emplace(static_cast<std::size_t>(frames));
    }
    gpu->record(measuring);
    gpu->passStarts(pass);
}

void PlayRun::startMeasuring()
{
    // KORVEL_BENCH_TRACE_ALLOCATIONS=1 prints where the measured frames allocate.
    allocations::trace(std::getenv("KORVEL_BENCH_TRACE_ALLOCATIONS") != nullptr);
    allocationsAtStart = allocations::count();
    cpuAtStart = processCpuSeconds();
}

void PlayRun::stopMeasuring()
{
    allocations::trace(false);
    allocationsAtEnd = allocations::count();
    cpuAtEnd = processCpuSeconds();
}

void PlayRun::finish(const RunSummary& finished)
{
    summary = finished;
    if (gpu) {
        gpu->collectAll();
        gpuMilliseconds = gpu->milliseconds();
        gpu.reset();
    }
}

void PlayRun::report() const
{
    const std::size_t measured = frameSeconds.size();
    writeFigure(Figure::Frames, static_cast<double>(measured));
    writeFigure(Figure::AllocationsPerFrame,
                perFrame(static_cast<double>(allocationsAtEnd - allocationsAtStart), measured));
    // CPU time on all threads per frame: less sensitive to other load than the wall clock.
    writeFigure(Figure::CpuMsPerFrame, perFrame((cpuAtEnd - cpuAtStart) * 1000.0, measured));
    for (const double seconds : frameSeconds) {
        writeFigure(Figure::FrameMs, seconds * 1000.0);
    }
    reportPhases();
    reportGpuPasses();
    writeFigure(Figure::Outcome, outcomeWord({summary.dead, summary.won, summary.timeUp}));
    writeFigure(Figure::SecondsLeft, summary.secondsLeft);
    writeFigure(Figure::PeakRssMb, peakResidentMegabytes());
}

void PlayRun::reportPhases() const
{
    for (std::size_t phase = 0; phase < framePhaseCount; ++phase) {
        std::vector<double> milliseconds;
        milliseconds.reserve(phaseSeconds.size());
        for (const auto& frame : phaseSeconds) {
            milliseconds.push_back(frame[phase] * 1000.0);
        }
        writeFigure(phaseFigureName(Statistic::Median, phase), median(milliseconds));
        writeFigure(phaseFigureName(Statistic::Mean, phase), mean(milliseconds));
    }
}

void PlayRun::reportGpuPasses() const
{
    for (std::size_t pass = 0; pass < drawPassCount; ++pass) {
        writeFigure(gpuFigureName(Statistic::Median, pass), median(gpuMilliseconds[pass]));
        writeFigure(gpuFigureName(Statistic::Mean, pass), mean(gpuMilliseconds[pass]));
    }
}

int runPlay(const BenchOptions& options)
{
    ParseError error;
    const std::optional<Route> route = loadRoute(options.route, error);
    if (!route) {
        std::cerr << "korvel-bench: cannot read route " << options.route << ": " << error.message
                  << std::endl;
        return 2;
    }
    PlayRun run(*route, options.frames, options.warmUp);
    const int status = run.play();
    if (status != 0) {
        return status;
    }
    run.report();
    return 0;
}
