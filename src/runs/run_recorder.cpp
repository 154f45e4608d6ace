#include "runs/run_recorder.h"

#include "game/pass_input.h"

namespace {

// About half an hour at 60 passes a second, or several minutes at the frame rates of a fast
// machine, before a pass has to grow the storage.
constexpr std::size_t reservedPasses = 1 << 17;
constexpr std::size_t reservedEvents = 1 << 14;

} // namespace

void RunRecorder::start(double sample)
{
    recording = RunRecording{};
    recording.build = recordingBuild();
    recording.startSample = sample;
    recording.passes.reserve(reservedPasses);
    recording.events.reserve(reservedEvents);
}

void RunRecorder::record(const PassInput& pass, const glm::dvec3& foot)
{
    RecordedPass kept;
    kept.drawSample = pass.drawSample;
    kept.updateSample = pass.updateSample;
    kept.foot = foot;
    kept.firstEvent = static_cast<std::uint32_t>(recording.events.size());
    kept.eventCount = static_cast<std::uint32_t>(pass.events.size());
    kept.cursorRead = pass.cursorRead;
    kept.cursorX = pass.cursorX;
    kept.cursorY = pass.cursorY;
    recording.passes.push_back(kept);
    recording.events.insert(recording.events.end(), pass.events.begin(), pass.events.end());
}

void RunRecorder::restart()
{
    recording.attemptStart = static_cast<long>(recording.passes.size());
}
