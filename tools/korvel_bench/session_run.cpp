#include "session_run.h"

#include "allocation_counter.h"
#include "figure_lines.h"
#include "process_measures.h"
#include "session_route.h"

#include "game/best_score.h"
#include "game/game_state.h"
#include "runs/run_recording.h"
#include "shell/game_main.h"

#include <GLFW/glfw3.h>

#include <iostream>
#include <system_error>

namespace {

constexpr double minuteSeconds = 60.0;

// After the last minute, how long to wait for a death before closing anyway; the missing death
// then shows in the counts.
constexpr double lastDeathWaitSeconds = 3.0 * sessionCycleSeconds;

double fileBytes(const std::filesystem::path& file)
{
    std::error_code missing;
    const std::uintmax_t bytes = std::filesystem::file_size(file, missing);
    return missing ? 0.0 : static_cast<double>(bytes);
}

} // namespace

SessionRun::SessionRun(long minutes, std::filesystem::path lastRun)
    : minutes(minutes), lastRun(std::move(lastRun)),
      route(sessionRoute(static_cast<double>(minutes) * minuteSeconds)), input(route),
      frameTimes(std::make_unique<FrameTimeHistogram>())
{
    rows.reserve(static_cast<std::size_t>(minutes));
    deathSeconds.reserve(static_cast<std::size_t>(restartsAmong(route, route.events.size())) + 1);
}

int SessionRun::play()
{
    RunOptions options;
    options.observer = this;
    options.script = &input;
    const int status = runGame(options);
    if (status == 0 && !pastLastMinute()) {
        std::cerr << "korvel-bench: the game ended after " << rows.size() << " of " << minutes
                  << " minutes" << std::endl;
        return 1;
    }
    // The loop's end has sealed the attempt in play and waited for its save.
    finalRunBytes = fileBytes(lastRun);
    return status;
}

bool SessionRun::pastLastMinute() const
{
    return static_cast<long>(rows.size()) >= minutes;
}

// The route has just begun the pass, so the frame that ended is the one before it.
void SessionRun::passBegins()
{
    const double now = monotonicSeconds();
    if (input.pass() == 0) {
        sessionStart = now;
        minuteStart = now;
        attemptStart = now;
        minuteAllocations = allocations::countOnThisThread();
    } else {
        frameTimes->add((now - passStart) * 1000.0);
    }
    passStart = now;
    watchOutcome(now);
    if (!pastLastMinute() && now - minuteStart >= minuteSeconds) {
        endMinute(now);
    }
    const double overtime = now - sessionStart - static_cast<double>(minutes) * minuteSeconds;
    if (pastLastMinute() && (dead || overtime > lastDeathWaitSeconds)) {
        glfwSetWindowShouldClose(glfwGetCurrentContext(), GLFW_TRUE);
    }
}

// The outcome as the pass before left it: a death stays set until F11 restarts the attempt.
void SessionRun::watchOutcome(double now)
{
    if (outcome.dead && !dead) {
        ++deaths;
        if (deathSeconds.size() < deathSeconds.capacity()) {
            deathSeconds.push_back(now - attemptStart);
        }
    }
    if (dead && !outcome.dead) {
        attemptStart = now;
    }
    dead = outcome.dead;
}

void SessionRun::endMinute(double now)
{
    SessionMinute minute;
    minute.residentMb = residentMegabytes();
    minute.lastRunBytes = fileBytes(lastRun);
    minute.passes = frameTimes->count();
    minute.seconds = now - minuteStart;
    minute.longestFrameMs = frameTimes->longestMs();
    minute.medianFrameMs = frameTimes->medianMs();
    const long made = allocations::countOnThisThread() - minuteAllocations;
    minute.allocationsPerPass =
        minute.passes > 0 ? static_cast<double>(made) / static_cast<double>(minute.passes) : 0.0;
    minute.load = oneMinuteLoad();
    rows.push_back(minute);
    std::cerr << "korvel-bench: session minute " << rows.size() << " of " << minutes << ": "
              << minute.passesPerSecond() << " passes/s, " << minute.residentMb << " MB, " << deaths
              << " deaths" << std::endl;
    frameTimes->reset();
    minuteStart = now;
    minuteAllocations = allocations::countOnThisThread();
}

void SessionRun::report() const
{
    for (const SessionMinute& minute : rows) {
        writeFigure(Figure::MinuteRssMb, minute.residentMb);
        writeFigure(Figure::MinuteRunBytes, minute.lastRunBytes);
        writeFigure(Figure::MinutePasses, static_cast<double>(minute.passes));
        writeFigure(Figure::MinuteSeconds, minute.seconds);
        writeFigure(Figure::MinuteLongestMs, minute.longestFrameMs);
        writeFigure(Figure::MinuteMedianMs, minute.medianFrameMs);
        writeFigure(Figure::MinuteAllocations, minute.allocationsPerPass);
        writeFigure(Figure::MinuteLoad, minute.load);
    }
    writeFigure(Figure::Deaths, static_cast<double>(deaths));
    for (const double seconds : deathSeconds) {
        writeFigure(Figure::DeathSeconds, seconds);
    }
    writeFigure(Figure::Restarts, static_cast<double>(restartsAmong(route, input.delivered())));
    writeFigure(Figure::FinalRunBytes, finalRunBytes);
    writeFigure(Figure::PeakRssMb, peakResidentMegabytes());
}

int runSession(long minutes)
{
    SessionRun run(minutes, lastRunFile(BestScore().path()));
    const int status = run.play();
    if (status != 0) {
        return status;
    }
    run.report();
    return 0;
}
