#include "runs/ghost_track.h"

#include "game/frame_timer.h"

#include <algorithm>
#include <iostream>
#include <system_error>

GhostTrack::GhostTrack(const RunRecording& recording)
{
    const std::size_t first = static_cast<std::size_t>(recording.attemptStart);
    if (first >= recording.passes.size()) {
        return;
    }
    // The play time grows as the frame loop grows it, by the game's own frame timer over the
    // recorded samples; the kept attempt is played to its end, so every one of its passes counts.
    FrameTimer timer;
    timer.start(first == 0 ? recording.startSample : recording.passes[first - 1].updateSample);
    float playTime = 0.0f;
    steps.reserve(recording.passes.size() - first);
    for (std::size_t i = first; i < recording.passes.size(); ++i) {
        playTime += timer.sample(recording.passes[i].updateSample);
        steps.push_back({playTime, recording.passes[i].foot});
    }
}

std::optional<glm::dvec3> GhostTrack::footAt(float playTime) const
{
    const auto step = std::ranges::lower_bound(steps, playTime, {}, &Step::playTime);
    if (step == steps.end()) {
        return std::nullopt;
    }
    return step->foot;
}

GhostTrack ghostOfBestRun(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return GhostTrack();
    }
    ParseError problem;
    const std::optional<RunRecording> run = loadRecording(file, problem);
    if (!run) {
        std::cerr << "korvel: no ghost: " << file.string() << ":" << problem.line << ": "
                  << problem.message << std::endl;
        return GhostTrack();
    }
    return GhostTrack(*run);
}
