#include "runs/run_check.h"

#include "game/frame_timer.h"
#include "game/level_fingerprint.h"
#include "runs/headless_game.h"
#include "runs/recording_replay.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <ostream>

namespace {

std::string seconds(float playTime)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(playTime));
    return text;
}

// The header values a build checks before it plays: the format, its own build and course.
std::string headerDifference(const RunRecording& run)
{
    if (run.format < 2) {
        return "format: " + std::to_string(run.format) +
               " keeps no snapshot or checksum to check; formats 2 to " +
               std::to_string(recordingFormat) + " do";
    }
    if (run.build != recordingBuild()) {
        return "build: made by " + run.build + ", checked by " + recordingBuild();
    }
    const std::uint64_t level = levelFingerprint();
    if (run.level != level) {
        return "level: made on " + hexWord(run.level) + ", this build plays " + hexWord(level);
    }
    return {};
}

std::string splitText(const std::optional<float>& split)
{
    return split ? floatBitsWord(*split) : std::string("none");
}

// Format 2 runs keep no splits; from format 3 on each must be the replay's, bit for bit.
std::string splitDifference(const SplitTimes& said, const SplitTimes& found)
{
    for (std::size_t index = 0; index < splitCount; ++index) {
        const auto& a = said.at[index];
        const auto& b = found.at[index];
        if (a.has_value() != b.has_value() ||
            (a && std::bit_cast<std::uint32_t>(*a) != std::bit_cast<std::uint32_t>(*b))) {
            return "split " + std::to_string(index + 1) + ": the run says " + splitText(a) +
                   ", the replay takes " + splitText(b);
        }
    }
    return {};
}

std::string endDifference(const RunRecording& run, const AttemptEnd& replayed)
{
    const char* said = outcomeWord(run.end.outcome);
    const char* found = outcomeWord(replayed.outcome);
    if (std::strcmp(said, found) != 0) {
        return std::string("outcome: the run says ") + said + ", the replay ends " + found;
    }
    if (std::bit_cast<std::uint32_t>(run.end.playTime) !=
        std::bit_cast<std::uint32_t>(replayed.playTime)) {
        return "time: the run says " + floatBitsWord(run.end.playTime) + ", the replay ends at " +
               floatBitsWord(replayed.playTime);
    }
    if (run.end.score != replayed.score) {
        return "score: the run says " + std::to_string(run.end.score) + ", the replay scores " +
               std::to_string(replayed.score);
    }
    return run.format >= 3 ? splitDifference(run.end.splits, replayed.splits) : std::string();
}

} // namespace

RunCheck checkRun(const RunRecording& run)
{
    RunCheck check;
    HeadlessGame game(std::filesystem::path{});
    if (check.difference = headerDifference(run); !check.difference.empty()) {
        return check;
    }
    RecordingReplay source(run);
    glm::dvec3 differingFoot{0.0};
    const std::string refused = game.play(
        source, source.lastPass() + 1,
        [&](long, const PassInput&, const PassResult& result) {
            source.checkFoot(result.footAfter);
            if (source.firstDifference() == source.pass()) {
                differingFoot = result.footAfter;
            }
            check.end = result.attempt;
        },
        &run.snapshot);
    if (!refused.empty()) {
        check.difference = "snapshot: " + refused;
    } else if (const long pass = source.firstDifference(); pass >= 0) {
        check.difference = "pass " + std::to_string(pass) + ": the foot stands at " +
                           footText(differingFoot) + ", the run has " +
                           footText(run.passes[static_cast<std::size_t>(pass)].foot);
    } else if (check.difference = endDifference(run, check.end); check.difference.empty()) {
        const std::uint64_t checksum = game.session().stateChecksum();
        if (checksum != run.checksum) {
            check.difference = "checksum: the run ends in state " + hexWord(run.checksum) +
                               ", the replay in " + hexWord(checksum);
        }
    }
    return check;
}

std::string verifiedLine(const AttemptEnd& end)
{
    return std::string("verified: ") + outcomeWord(end.outcome) + " time=" + seconds(end.playTime) +
           " score=" + std::to_string(end.score);
}

void describeRun(std::ostream& out, const RunRecording& run)
{
    FrameTimer timer;
    timer.start(run.startSample);
    float longest = 0.0f;
    for (const RecordedPass& pass : run.passes) {
        longest = std::max(longest, timer.sample(pass.updateSample));
    }
    const bool attempt = run.format >= 2;
    char playTime[64];
    std::snprintf(playTime, sizeof playTime, "%.9g (%s)", static_cast<double>(run.end.playTime),
                  floatBitsWord(run.end.playTime).c_str());
    char frame[32];
    std::snprintf(frame, sizeof frame, "%.3f", 1000.0 * static_cast<double>(longest));
    out << "format: " << run.format << "\n"
        << "build: " << run.build << "\n"
        << "level: " << (attempt ? hexWord(run.level) : "unknown") << "\n"
        << "outcome: " << (attempt ? outcomeWord(run.end.outcome) : "unknown") << "\n"
        << "play_time: " << (attempt ? playTime : "unknown") << "\n"
        << "score: " << (attempt ? std::to_string(run.end.score) : "unknown") << "\n"
        << "practice: " << (run.practice ? "yes" : "no") << "\n"
        << "passes: " << run.passes.size() << "\n"
        << "longest_frame_ms: " << frame << "\n";
    for (std::size_t index = 0; index < splitCount; ++index) {
        if (const std::optional<float> split = run.end.splits.at[index]) {
            out << "split_" << index + 1 << ": " << seconds(*split) << "\n";
        }
    }
    out << std::flush;
}
