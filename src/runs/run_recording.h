#pragma once

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

// Everything a run took in from program start: played again by the same build in a fresh
// process, it gives the same frame times, the same events in the same passes and the same
// random numbers, and so the same game.
struct RunRecording {
    std::string build;      // which program made it
    long attemptStart = 0;  // the first pass of the attempt it is kept for
    double startSample = 0; // the clock before the first pass
    std::vector<RecordedPass> passes;
    std::vector<InputEvent> events; // in arrival order
};

// The version of the text format this build writes and reads.
inline constexpr int recordingFormat = 1;

// The build named in recordings made by this program.
std::string recordingBuild();

// The text of a recording: a version line, a header, one line per pass and one per event
// after it, and an end line with the number of passes, so a cut file is told from a whole one.
// Every time and position is a hexadecimal float, read back bit for bit.
std::string recordingText(const RunRecording& recording);

// Whether text begins as a recording does (and not as a route).
bool looksLikeRecording(const std::string& text);

// Parses a recording; the first line that is malformed, out of place or of another format
// version is refused with its number. Bounds-safe on any input.
std::optional<RunRecording> parseRecording(const std::string& text, ParseError& error);
std::optional<RunRecording> loadRecording(const std::filesystem::path& file, ParseError& error);

// Where a player's runs are kept: beside the best score, in the same folder.
std::filesystem::path bestRunFile(const std::filesystem::path& scoreFile);
std::filesystem::path lastRunFile(const std::filesystem::path& scoreFile);
