#include "runs/run_recorder.h"

#include "game/pass_input.h"
#include "game/snapshot_lines.h"

#include <algorithm>

void reserveRunRoom(RunRecording& recording)
{
    recording.passes.reserve(maxRunPasses);
    recording.events.reserve(maxRunEvents);
    recording.snapshot.physics.bodies.reserve(maxSnapshotBodies);
}

void RunRecorder::start(RunRecording& into, const AttemptSnapshot& snapshot, std::uint64_t level)
{
    recording = &into;
    into.format = recordingFormat;
    into.build = recordingBuild();
    into.attemptStart = 0;
    into.startSample = static_cast<double>(snapshot.timer.last);
    into.level = level;
    into.end = AttemptEnd{};
    into.practice = false;
    into.checksum = 0;
    into.snapshot = snapshot;
    into.passes.clear();
    into.events.clear();
}

bool RunRecorder::record(const PassInput& pass, const glm::dvec3& foot)
{
    RunRecording& run = *recording;
    if (run.passes.size() >= maxRunPasses ||
        run.events.size() + pass.events.size() > maxRunEvents) {
        return false;
    }
    RecordedPass kept;
    kept.drawSample = pass.drawSample;
    kept.updateSample = pass.updateSample;
    kept.foot = foot;
    kept.firstEvent = static_cast<std::uint32_t>(run.events.size());
    kept.eventCount = static_cast<std::uint32_t>(pass.events.size());
    kept.cursorRead = pass.cursorRead;
    kept.cursorX = pass.cursorX;
    kept.cursorY = pass.cursorY;
    run.passes.push_back(kept);
    run.events.insert(run.events.end(), pass.events.begin(), pass.events.end());
    return true;
}

void RunRecorder::recordPassesOf(const RunRecording& watched, std::size_t count)
{
    RunRecording& run = *recording;
    count = std::min({count, watched.passes.size(), maxRunPasses - run.passes.size()});
    for (std::size_t index = 0; index < count; ++index) {
        RecordedPass kept = watched.passes[index];
        if (run.events.size() + kept.eventCount > maxRunEvents) {
            return;
        }
        const auto first = watched.events.begin() + kept.firstEvent;
        kept.firstEvent = static_cast<std::uint32_t>(run.events.size());
        run.passes.push_back(kept);
        run.events.insert(run.events.end(), first, first + kept.eventCount);
    }
}

void RunRecorder::finish(const AttemptEnd& end, std::uint64_t checksum)
{
    recording->end = end;
    recording->checksum = checksum;
}
