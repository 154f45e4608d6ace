#include "runs/run_recorder.h"

RunRecorder recorder;

namespace {

// About half an hour at 60 passes a second, or several minutes at the frame rates of a fast
// machine, before a pass has to grow the storage.
constexpr std::size_t reservedPasses = 1 << 17;
constexpr std::size_t reservedEvents = 1 << 14;

void recordEvent(const RecordedEvent& event)
{
    if (!recorder.on || recorder.run.passes.empty()) {
        return;
    }
    recorder.run.events.push_back(event);
    ++recorder.run.passes.back().eventCount;
}

} // namespace

double startRecording(double sample)
{
    recorder.on = true;
    recorder.run = RunRecording{};
    recorder.run.build = recordingBuild();
    recorder.run.startSample = sample;
    recorder.run.passes.reserve(reservedPasses);
    recorder.run.events.reserve(reservedEvents);
    return sample;
}

void recordPassStart()
{
    if (recorder.on) {
        RecordedPass pass;
        pass.firstEvent = static_cast<std::uint32_t>(recorder.run.events.size());
        recorder.run.passes.push_back(pass);
    }
}

double recordDrawSample(double sample)
{
    if (recorder.on && !recorder.run.passes.empty()) {
        recorder.run.passes.back().drawSample = sample;
    }
    return sample;
}

double recordUpdateSample(double sample)
{
    if (recorder.on && !recorder.run.passes.empty()) {
        recorder.run.passes.back().updateSample = sample;
    }
    return sample;
}

void recordCursor(int x, int y)
{
    if (recorder.on && !recorder.run.passes.empty()) {
        RecordedPass& pass = recorder.run.passes.back();
        pass.cursorRead = true;
        pass.cursorX = x;
        pass.cursorY = y;
    }
}

void recordPassEnd(const glm::dvec3& foot)
{
    if (recorder.on && !recorder.run.passes.empty()) {
        recorder.run.passes.back().foot = foot;
    }
}

void recordRestart()
{
    if (recorder.on) {
        recorder.run.attemptStart = static_cast<long>(recorder.run.passes.size());
    }
}

void recordKeyEvent(Key key, KeyAction action, KeySource source)
{
    RecordedEvent event;
    event.key = key;
    event.action = action;
    event.source = source;
    recordEvent(event);
}

void recordMouseButtonEvent(MouseButton button, KeyAction action)
{
    RecordedEvent event;
    event.kind = RecordedEvent::Kind::button;
    event.button = button;
    event.action = action;
    recordEvent(event);
}

void recordScrollEvent(double yoffset)
{
    RecordedEvent event;
    event.kind = RecordedEvent::Kind::scroll;
    event.scroll = yoffset;
    recordEvent(event);
}
