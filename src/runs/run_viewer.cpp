#include "runs/run_viewer.h"

#include "game/game_session.h"
#include "game/input_state.h"
#include "game/race_time.h"
#include "runs/run_keeper.h"

#include <algorithm>
#include <utility>

namespace {

// The clock of the run's next pass (one frame after its last, at its end), with P pressed and let
// go and every held direction let go.
PassInput takeOverPass(const RunRecording& run, long played,
                       const std::array<std::uint8_t, 4>& directionHolders)
{
    PassInput pass;
    const std::size_t count = run.passes.size();
    const auto next = static_cast<std::size_t>(std::max(played, 0L));
    if (next < count) {
        pass.drawSample = run.passes[next].drawSample;
        pass.updateSample = run.passes[next].updateSample;
    } else {
        const double last = run.passes[count - 1].updateSample;
        const double frame = count >= 2 ? last - run.passes[count - 2].updateSample : 1.0 / 60.0;
        pass.drawSample = pass.updateSample = last + frame;
    }
    pass.events.push_back(InputEvent::keyEvent(Key::p, KeyAction::press));
    pass.events.push_back(InputEvent::keyEvent(Key::p, KeyAction::release));
    for (std::size_t index = 0; index < directionKeys.size(); ++index) {
        for (const KeySource source : {KeySource::keyboard, KeySource::pad}) {
            const auto bit = static_cast<std::uint8_t>(source == KeySource::keyboard ? 1 : 2);
            if ((directionHolders[index] & bit) != 0) {
                pass.events.push_back(
                    InputEvent::keyEvent(directionKeys[index], KeyAction::release, source));
            }
        }
    }
    return pass;
}

// A source of one pass kept as data: the take-over pass played through the session.
class KeptPassSource final : public InputSource {
  public:
    explicit KeptPassSource(const PassInput& pass) : pass(pass) {}
    double sampleClock() override { return samples++ == 0 ? pass.drawSample : pass.updateSample; }
    void pollEvents(std::vector<InputEvent>& events, float /*frameTime*/) override
    {
        events.insert(events.end(), pass.events.begin(), pass.events.end());
    }
    CursorPosition readCursor() override { return {pass.cursorX, pass.cursorY}; }

  private:
    const PassInput& pass;
    int samples = 0;
};

} // namespace

std::string RunViewer::refusal(const RunRecording& run) const
{
    if (run.format < 2) {
        return "it keeps a whole session and no snapshot to start from";
    }
    if (run.build != recordingBuild()) {
        return "it was made by " + run.build;
    }
    if (run.level != session.level()) {
        return "it was made on another course";
    }
    if (run.passes.empty()) {
        return "it has no pass";
    }
    return {};
}

std::string RunViewer::open(RunRecording run)
{
    if (std::string why = refusal(run); !why.empty()) {
        return why;
    }
    inputs.reset();
    handedAt.reset();
    replay.emplace(std::move(run));
    inputs.emplace(*replay);
    held = false;
    speedIndex = normalWatchSpeed;
    seek.reset();
    arrived = false;
    if (std::string why = restart(); !why.empty()) {
        close();
        return why;
    }
    return {};
}

void RunViewer::close()
{
    handedAt.reset();
    inputs.reset();
    replay.reset();
}

void RunViewer::rewind()
{
    restart();
    seek.reset();
    arrived = true;
}

std::string RunViewer::restart()
{
    replay->rewind();
    if (std::string why = session.restartFrom(replay->recording().snapshot); !why.empty()) {
        return why; // only as the run opens: once it started from its snapshot, it always can
    }
    session.setPractice(true);
    played = 0;
    runClock = 0.0;
    due = 0.0;
    effects.polygonModeChanged = true; // GL follows the snapshot's switches
    effects.faceCullingChanged = true;
    return {};
}

void RunViewer::playOne()
{
    inputs->begin();
    inputs->drawSample(); // the water's sample comes first, as in any pass
    const PassResult result = session.update(*inputs, quiet);
    session.setPractice(true); // a restart's pass begins a real attempt
    effects.polygonModeChanged = effects.polygonModeChanged || result.effects.polygonModeChanged;
    effects.faceCullingChanged = effects.faceCullingChanged || result.effects.faceCullingChanged;
    reached.dead = reached.dead || result.ended.dead;
    reached.won = reached.won || result.ended.won;
    reached.timeUp = reached.timeUp || result.ended.timeUp;
    ++played;
    runClock += session.deltaTime();
}

void RunViewer::seekTo(long pass, double clock)
{
    if (pass < played || clock < runClock) {
        restart(); // the one exact state to go back to
    }
    seek = Seek{pass, clock};
}

bool RunViewer::playSeek(long budget)
{
    const auto last = static_cast<long>(run().passes.size());
    for (; budget > 0 && played < last && (played < seek->pass || runClock < seek->clock);
         --budget) {
        playOne();
    }
    if (budget == 0) {
        return false;
    }
    seek.reset();
    arrived = true;
    due = runClock;
    return true;
}

void RunViewer::finishSeek()
{
    while (seek && !playSeek(maxSeekPassesPerFrame)) {
    }
}

bool RunViewer::takeArrival()
{
    return std::exchange(arrived, false);
}

double RunViewer::advance(double wallSeconds)
{
    const double before = runClock;
    if (seek) {
        playSeek(maxSeekPassesPerFrame);
        return runClock - before;
    }
    if (!held) {
        due += wallSeconds * static_cast<double>(speed());
    }
    const auto last = static_cast<long>(run().passes.size());
    while (played < last && runClock < due) {
        playOne();
    }
    if (played == last) {
        due = runClock; // at the end the run waits, and plays no further when stepped on
    }
    return runClock - before;
}

bool RunViewer::slower()
{
    if (speedIndex == 0) {
        return false;
    }
    --speedIndex;
    return true;
}

bool RunViewer::faster()
{
    if (speedIndex + 1 == watchSpeeds.size()) {
        return false;
    }
    ++speedIndex;
    return true;
}

void RunViewer::step(long passes)
{
    const long from = seek ? seek->pass : played;
    seekTo(std::max(0L, from + passes), 0.0);
}

void RunViewer::seekBy(double seconds)
{
    const double from = seek ? seek->clock : runClock;
    seekTo(0, std::max(0.0, from + seconds));
}

InputEffects RunViewer::takeEffects()
{
    return std::exchange(effects, InputEffects{});
}

AttemptOutcome RunViewer::takeReached()
{
    return std::exchange(reached, AttemptOutcome{});
}

PassResult RunViewer::takeOver(RunKeeper& keeper, std::ostream& log)
{
    log << "Take over: " << raceTimeText(raceMilliseconds(session.attempt().playTime)) << std::endl;
    const PassInput pass = takeOverPass(run(), played, input.directionHolders);
    seek.reset(); // from the pass shown
    keeper.takeOver(run(), played);
    KeptPassSource source(pass);
    PassInputs handed(source);
    handed.begin();
    handed.drawSample();
    const PassResult result = session.update(handed, log);
    session.setPractice(true);
    keeper.passEnds(handed.taken(), result, session);
    handedAt = played;
    return result;
}

bool RunViewer::retake(RunKeeper& keeper, std::ostream& log)
{
    if (!handedAt) {
        return false;
    }
    const long pass = *std::exchange(handedAt, std::nullopt);
    restart();
    seekTo(pass, 0.0);
    finishSeek();
    takeOver(keeper, log);
    return true;
}
