#pragma once

#include "runs/run_recorder.h"
#include "runs/run_saver.h"

#include <filesystem>
#include <functional>
#include <iostream>

class GameSession;
struct PassInput;
struct PassResult;

// How long a run goes on after its attempt's outcome, in frame time: the fall, the victory
// circle's first turn, what a player watching it again wants to see.
inline constexpr float runAftermathSeconds = 2.0f;

// Makes a run of each attempt as the frame loop plays it, and keeps it beside the best score:
// every run as last.run, and one that set a new best as best.run too. A run is sealed at its
// outcome plus the aftermath, at a restart or when the loop ends, whichever comes first, and
// saved on the saver's thread.
class RunKeeper {
  public:
    explicit RunKeeper(const std::filesystem::path& scoreFile, std::ostream& errors = std::cerr);

    // Told of each run that set a new best, as it is sealed and before it is saved.
    std::function<void(const RunRecording&)> onNewBestRun;

    // The session has started its first attempt.
    void start(const GameSession& session);

    // After a pass's update, with what it took in and what it did.
    void passEnds(const PassInput& pass, const PassResult& result, GameSession& session);

    // The attempt in play is kept as the last run, and every save is finished.
    void loopEnds(GameSession& session);

  private:
    void beginRun(const GameSession& session);
    void seal(GameSession& session);

    RunSaver saver;
    std::ostream& errors;
    RunRecorder recorder;
    bool making = false;  // a run is being made (not yet sealed)
    bool setBest = false; // its attempt set a new best
    bool ended = false;   // its attempt reached an outcome
    float aftermathLeft = 0.0f;
    AttemptEnd lastEnd; // how the attempt stood after the run's last pass
    bool toldFull = false;
};
