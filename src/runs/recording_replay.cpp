#include "runs/recording_replay.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

const RecordedPass* RecordingReplay::currentPass() const
{
    if (current < 0 || current > lastPass()) {
        return nullptr;
    }
    return &run.passes[static_cast<std::size_t>(current)];
}

void RecordingReplay::beginPass()
{
    ++current;
    samplesInPass = 0;
}

// The loop samples the clock once before the first pass, then once as it draws a pass and once
// as it updates it. Past the recording's end, the last pass's samples stand.
double RecordingReplay::sampleClock()
{
    if (current < 0 || run.passes.empty()) {
        return run.startSample;
    }
    const RecordedPass& pass = run.passes[static_cast<std::size_t>(std::min(current, lastPass()))];
    return samplesInPass++ == 0 ? pass.drawSample : pass.updateSample;
}

void RecordingReplay::pollEvents(std::vector<InputEvent>& events, float /*frameTime*/)
{
    if (const RecordedPass* pass = currentPass()) {
        const auto first = run.events.begin() + pass->firstEvent;
        events.insert(events.end(), first, first + pass->eventCount);
    }
}

CursorPosition RecordingReplay::readCursor()
{
    const RecordedPass* pass = currentPass();
    return pass != nullptr ? CursorPosition{pass->cursorX, pass->cursorY} : CursorPosition{};
}

long RecordingReplay::passAt(double seconds) const
{
    const auto first = static_cast<std::size_t>(run.attemptStart);
    const double start = first == 0 ? run.startSample : run.passes[first - 1].updateSample;
    for (std::size_t pass = first; pass < run.passes.size(); ++pass) {
        if (run.passes[pass].updateSample - start >= seconds) {
            return static_cast<long>(pass);
        }
    }
    return lastPass();
}

void RecordingReplay::checkFoot(const glm::dvec3& foot)
{
    const RecordedPass* pass = currentPass();
    if (differs < 0 && pass != nullptr && foot != pass->foot) {
        differs = current;
    }
}

std::string footText(const glm::dvec3& foot)
{
    char text[96];
    std::snprintf(text, sizeof text, "%.17g %.17g %.17g", foot.x, foot.y, foot.z);
    return text;
}

void printFoot(std::ostream& out, const glm::dvec3& foot)
{
    out << "foot: " << footText(foot) << std::endl;
}
