#pragma once

#include "game/attempt_snapshot.h"
#include "game/input_state.h"
#include "game/key_input.h"

#include <filesystem>
#include <iosfwd>

class PassInputs;
class RunKeeper;
class RunningGame;

// The replay viewer in the game's window. R in play keeps the attempt in play as last.run and
// watches the best run; R again watches the last run, and once more goes back to play: a fresh
// attempt from where the attempt left began, with the toggles the player had set. While it is
// open the window's keys and mouse steer the viewer and its camera, never the run, so the run
// plays exactly as it was played; T hands it to the player at the pass shown, as practice.
class ReplayViewer {
  public:
    ReplayViewer(RunningGame& game, RunKeeper& keeper, std::filesystem::path scoreFile,
                 std::ostream& log);

    bool isOpen() const;

    // After the pass of play, sampled at now, whose events asked for the viewer. Returns what GL
    // must follow.
    InputEffects openFromPlay(double now);

    // One frame while open, once it is drawn: the window's events, then the run's passes due.
    InputEffects frame(PassInputs& inputs);

    // F11 restarted a practice attempt: it is taken over again where it was, so the same
    // moment can be tried again and again.
    InputEffects practiceRestarted();

  private:
    bool watch(bool bestRun);
    void hearKey(const InputEvent& event, InputEffects& effects);
    void hearViewerKey(Key key);
    void next(InputEffects& effects);
    void leave(InputEffects& effects);
    void takeOver(InputEffects& effects);
    void sayWhere();

    RunningGame& game;
    RunKeeper& keeper;
    const std::filesystem::path scoreFile;
    std::ostream& log;
    AttemptSnapshot liveStart; // where the attempt left began
    InputState liveToggles;    // what the player had set
    bool watchingBest = false;
    double lastSample = 0.0;
};
