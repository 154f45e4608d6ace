#pragma once

#include "game/attempt_snapshot.h"
#include "game/game_session.h"
#include "game/input_event.h"
#include "runs/parse_error.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// One pass of the frame loop: the two clock samples it took, its events, the cursor if the
// orbit camera read it, and where the player's foot stood after the update.
struct RecordedPass {
    double drawSample = 0.0;   // the clock as the water's waves read it
    double updateSample = 0.0; // the frame timer's sample
    glm::dvec3 foot{0.0};
    std::uint32_t firstEvent = 0; // the pass's events are [firstEvent, firstEvent + eventCount)
    std::uint32_t eventCount = 0;
    bool cursorRead = false;
    int cursorX = 0;
    int cursorY = 0;
};

// The passes of one attempt, from the snapshot it started from to its outcome and a short
// aftermath (or to the restart or the exit that came first): played again in a fresh process by
// the same build, it gives the same frame times, the same events in the same passes, and so the
// same attempt, bit for bit. A file of format 1 holds instead every pass from program start and
// the first pass of the attempt it was kept for; it is still read and played.
// The newest version of the text format: the one this build writes. It reads 1 to 3 as well.
// Format 4 has the window's focus lost as an event, and P pauses in it; the passes of a pause
// in which nothing was heard are left out. Format 5 says whether the run is practice.
inline constexpr int recordingFormat = 5;
// The first format in which P pauses: in the earlier ones it did nothing, so their P events
// are left out as they are read and the runs play as they were played.
inline constexpr int pausingFormat = 4;
// The first format with the practice line; the runs before it were all played from their start.
inline constexpr int practiceFormat = 5;

struct RunRecording {
    int format = recordingFormat;
    std::string build;      // which program made it
    long attemptStart = 0;  // format 1: the first pass of the kept attempt; 0 in format 2
    double startSample = 0; // the clock before the first pass
    // Format 2 and later: the course, how the attempt ended (with its splits from format 3 on),
    // where it started and where it ended.
    std::uint64_t level = 0;
    AttemptEnd end;
    // Taken over from a watched run part way through: it replays and verifies, but it is never
    // a record, the best run or a best score.
    bool practice = false;
    std::uint64_t checksum = 0; // of the state after the last pass (GameSession::stateChecksum)
    AttemptSnapshot snapshot;
    std::vector<RecordedPass> passes;
    std::vector<InputEvent> events; // in arrival order
};

// The largest recording file read: far above the longest attempt a fast machine records.
inline constexpr std::uintmax_t maxRecordingBytes = std::uintmax_t{1} << 30;

// The build named in recordings made by this program.
std::string recordingBuild();

// The text of a recording: a version line, a header, the snapshot (format 2), one line per pass
// and one per event after it, and an end line with the number of passes (and the checksum), so
// a cut file is told from a whole one. Every time and position is a hexadecimal float, read back
// bit for bit. The text goes into a string that keeps its room from one save to the next.
void writeRecordingText(std::string& text, const RunRecording& recording);
std::string recordingText(const RunRecording& recording);

// A 64-bit value as the format writes it: 16 hexadecimal digits.
std::string hexWord(std::uint64_t value);

// A float's exact bits as the format writes them: 8 hexadecimal digits.
std::string floatBitsWord(float value);

// Whether text begins as a recording does (and not as a route).
bool looksLikeRecording(const std::string& text);

// Parses a recording; the first line that is malformed, out of place or of another format
// version is refused with its number. Bounds-safe on any input.
std::optional<RunRecording> parseRecording(const std::string& text, ParseError& error);
std::optional<RunRecording> loadRecording(const std::filesystem::path& file, ParseError& error);

// Reads only what a recording says before its passes: the version, the build and, from format 2
// on, the attempt's header and snapshot. Fast whatever the run's length; a file cut or damaged
// in its passes is not noticed.
std::optional<RunRecording> loadRecordingHeader(const std::filesystem::path& file,
                                                ParseError& error);

// Where a player's runs are kept: beside the best score, in the same folder.
std::filesystem::path bestRunFile(const std::filesystem::path& scoreFile);
std::filesystem::path lastRunFile(const std::filesystem::path& scoreFile);
