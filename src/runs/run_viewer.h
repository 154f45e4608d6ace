#pragma once

#include "game/game_state.h"
#include "game/key_input.h"
#include "game/pass_input.h"
#include "runs/recording_replay.h"

#include <array>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

class GameSession;
class RunKeeper;
struct PassResult;

// The speeds a watched run plays at, slowest first, and the one it starts at.
inline constexpr std::array<float, 5> watchSpeeds = {0.25f, 0.5f, 1.0f, 2.0f, 4.0f};
inline constexpr std::size_t normalWatchSpeed = 2;
// How far one seek moves through a watched run, in its own play.
inline constexpr double watchSeekSeconds = 5.0;
// The most passes a frame plays on its way to a sought pass: about 50 ms on a two-core machine.
// A seek through a whole run at a fast screen's rate takes a few frames instead of freezing one.
inline constexpr long maxSeekPassesPerFrame = 4000;

// A kept run played again in the live session, from its snapshot, pass by pass with its own
// inputs: paced by the run's own frame times (its pauses take no time), at a speed, held, stepped
// and sought. Going back plays the run again from its snapshot without drawing: a snapshot is
// exact only at an attempt's start, so that is the one place a run can be rewound to.
class RunViewer {
  public:
    explicit RunViewer(GameSession& session) : session(session) {}

    // Why this run cannot be played exactly by this build on this course, or an empty text.
    std::string refusal(const RunRecording& run) const;

    // Starts watching the run from its start, as a practice attempt. Returns why it cannot be
    // watched (then the viewer is closed, and the session as it was), or an empty text.
    std::string open(RunRecording run);
    void close();
    bool isOpen() const { return replay.has_value() && !handedAt; }
    const RunRecording& run() const { return replay->recording(); }

    // The wall clock moved on by this much: the run plays on by as much times its speed,
    // unless held. Returns the run's seconds played.
    double advance(double wallSeconds);

    void setHeld(bool on) { held = on; }
    bool isHeld() const { return held; }
    // One step along watchSpeeds; false when already at its end.
    bool slower();
    bool faster();
    float speed() const { return watchSpeeds[speedIndex]; }

    // One pass back (negative) or forward; the clock stands where that pass ended.
    void step(long passes);
    // Through the run's own time, from where it stands (or where a seek under way is going);
    // within the run.
    void seekBy(double seconds);
    // A step or a seek is played by the frames that follow, at most maxSeekPassesPerFrame
    // passes each, then the run goes on from there. A step back or a seek back plays the run
    // again from its snapshot.
    bool seeking() const { return seek.has_value(); }
    // Plays the seek under way to its end at once.
    void finishSeek();
    // Whether a seek arrived (or the run went back to its start) since the last call.
    bool takeArrival();
    // Back to the snapshot, before the first pass, at once.
    void rewind();

    // Hands the run to the player after the passes played, and closes: the keeper begins a
    // practice run with them, and a pass of the run's next clock presses and lets go P, so the
    // attempt goes on live from a pause, and lets go every direction the run held, so the
    // player starts with the keys in hand. "Take over: SECONDS" and the toggles print on log.
    PassResult takeOver(RunKeeper& keeper, std::ostream& log);
    // Takes the run over again at the pass it was last taken over at, as F11 does in practice:
    // the run is played again to there without drawing. False when it was not taken over since
    // it was opened.
    bool retake(RunKeeper& keeper, std::ostream& log);

    // How many of the run's passes have played, and the run's time at the end of the last.
    long passesPlayed() const { return played; }
    double position() const { return runClock; }
    // What the passes played since the last call asked of GL: the switches they flipped.
    InputEffects takeEffects();
    // The outcome flags the passes played since the last call set.
    AttemptOutcome takeReached();

  private:
    struct Seek {
        long pass = 0;      // at least this many passes played,
        double clock = 0.0; // and at least this much of the run's time
    };
    void playOne();
    // Back to the snapshot; why it cannot, or an empty text.
    std::string restart();
    void seekTo(long pass, double clock);
    // False when the budget ran out before the seek arrived.
    bool playSeek(long budget);

    GameSession& session;
    std::optional<RecordingReplay> replay;
    std::optional<PassInputs> inputs;
    long played = 0;
    double runClock = 0.0; // the run's frame times summed over the passes played
    double due = 0.0;      // where the wall clock, at the speed, has brought the run
    std::size_t speedIndex = normalWatchSpeed;
    bool held = false;
    std::optional<Seek> seek;
    std::optional<long> handedAt; // the pass a take-over left the run at, kept to retake it
    bool arrived = false;
    InputEffects effects;
    AttemptOutcome reached;
    std::ostream quiet{nullptr}; // the run's own toggles are not the watcher's
};
