#pragma once

#include "game/course_splits.h"
#include "game/medals.h"
#include "runs/record_table.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A split as the HUD shows it: its time, and its difference to the best run's same split when
// both were taken.
struct HudSplit {
    bool taken = false;
    long long milliseconds = 0;
    bool compared = false;
    long long difference = 0; // milliseconds, negative when ahead

    bool operator==(const HudSplit&) const = default;
};

// A line of the records table.
struct HudRecord {
    long long milliseconds = 0;
    Medal medal = Medal::none;

    bool operator==(const HudRecord&) const = default;
};

// What the HUD shows of the race against the clock and the best run.
struct HudTimeAttack {
    bool bestRun = false; // a best run is kept to compare with
    int splitShown = 0;   // a split taken a moment ago, shown while playing; 0 for none
    std::array<HudSplit, splitCount> splits{};
    long long time = 0;       // the won attempt's, in milliseconds
    std::size_t placedAt = 0; // where the win placed among the records, from 1; 0 for not
    std::size_t placedOf = 0; // among how many
    std::optional<long long> sumOfBest;
    std::array<HudRecord, maxRecords> records{};
    std::size_t recordCount = 0;

    bool operator==(const HudTimeAttack&) const = default;
};

// What the HUD shows of a run being watched in the replay viewer.
struct HudReplay {
    bool shown = false;
    std::string run;            // which run: "best" or "last"
    long long milliseconds = 0; // its play time at the pass shown
    float speed = 1.0f;
    bool held = false;

    bool operator==(const HudReplay&) const = default;
};

// What the head-up display shows in one frame, as plain values, so the layout does not depend
// on where the game keeps its flags.
struct HudInputs {
    int secondsLeft = 0;    // whole seconds of play left, also the score after a win
    float deltaTime = 0.0f; // last measured frame time; 0 before the first measurement
    int drawnModels = 0;    // list models that passed culling this frame
    bool debugText = false; // F2 frame statistics
    bool dead = false;
    bool timeUp = false;
    bool won = false;
    int bestShown = 0;
    int width = 0; // window size in pixels
    int height = 0;
    HudTimeAttack timeAttack{};
    bool paused = false;
    std::string pauseKey = "P"; // the key that resumes, as the player bound it
    HudReplay replay{};
    bool practice = false; // an attempt taken over from a watched run

    bool operator==(const HudInputs&) const = default;
};

// The HUD's colours: the specified white, and for the race, ahead, behind and what is new.
enum class HudColour { white, ahead, behind, highlight };

// One string at a pen position in window pixels from the bottom-left corner.
struct HudText {
    std::string text;
    float scale = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    HudColour colour = HudColour::white;
    bool centred = false; // x is the text's centre: placeCentredTexts puts it by its width
};

// Texts drawn together between one switch-on and switch-off of blending.
using HudBlock = std::vector<HudText>;

// The replay viewer's block in the lower left: REPLAY and the run, its time and speed, every
// split it has taken, and the viewer's keys; or, in an attempt taken over, PRACTICE.
HudBlock layoutReplay(const HudInputs& inputs);

// The blocks to draw this frame, in drawing order: the timer, the debug line, then the end
// screens of dead, time-up and won, each present when its flag is set, the pause's word across
// the middle with the key that resumes, and last the replay viewer's or practice's block.
std::vector<HudBlock> layoutHud(const HudInputs& inputs);

// How far the pen moves, in whole pixels at scale 1, for each code of the HUD font; 0 for a code
// the font lacks. The text renderer moves the pen by these times the scale.
using TextAdvances = std::array<int, 128>;

// Space kept free at the window's sides by a text that had to be shrunk.
inline constexpr float hudMargin = 10.0f;

// The width of a text's pen travel at its scale.
float hudTextWidth(const HudText& text, const TextAdvances& advances);

// Moves each centred text left by half its width, so it is centred on its x whatever the
// font and the words (a key's name) make its width.
void placeCentredTexts(std::vector<HudBlock>& blocks, const TextAdvances& advances);

// A window narrower than the layout was made for would cut the long lines off at both sides.
// Each text that would leave [0, width] is drawn instead at the largest scale (never above its
// own) that fits within hudMargin of both sides, centred where it was centred. Texts that fit
// keep their position and scale exactly.
void fitToWindow(std::vector<HudBlock>& blocks, int width, const TextAdvances& advances);

// printf's "%f": six decimals, no exponent, "inf" for an infinite value.
std::string formatHudFloat(float value);
