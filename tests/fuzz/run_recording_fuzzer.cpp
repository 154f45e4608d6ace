// Any bytes as a recording: parsing refuses them at a line within the text or gives a
// recording whose every pass names events that exist, and the text written for that recording
// reads back as the same passes and events.
#include "runs/run_recording.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    ParseError error;
    const std::optional<RunRecording> run = parseRecording(text, error);
    if (!run) {
        const long lines = std::count(text.begin(), text.end(), '\n');
        assert(error.line >= 1 && error.line <= lines + 2);
        return 0;
    }
    for (const RecordedPass& pass : run->passes) {
        assert(std::size_t{pass.firstEvent} + pass.eventCount <= run->events.size());
    }
    const std::optional<RunRecording> again = parseRecording(recordingText(*run), error);
    assert(again && again->passes.size() == run->passes.size() &&
           again->events.size() == run->events.size() && again->attemptStart == run->attemptStart &&
           again->format == run->format && again->checksum == run->checksum &&
           again->snapshot.physics.bodies.size() == run->snapshot.physics.bodies.size());
    return 0;
}
