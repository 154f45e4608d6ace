#pragma once

#include "shell/game_main.h"

#include <filesystem>
#include <functional>
#include <string>

class RunningGame;

// Records the run as the frame loop plays it and keeps it beside the best score: best.run each
// time an attempt sets a new best (the ghost then follows that run), last.run each time an
// attempt ends in an outcome, and when the loop ends.
class RunKeeper {
  public:
    RunKeeper(RunningGame& game, const std::filesystem::path& scoreFile,
              std::function<double()> clock);

    // The clock's first sample, before the first pass; recording starts with it.
    double start();

    // Around the two halves of a pass.
    void passBegins();
    void passEnds(bool restarted);
    void loopEnds();

    // The game's clock as each half of a pass samples it, recorded.
    const std::function<double()> drawClock;
    const std::function<double()> updateClock;

  private:
    static void save(const std::filesystem::path& file, const std::string& text);

    RunningGame& game;
    const std::filesystem::path bestFile;
    const std::filesystem::path lastFile;
    const std::function<double()> clock;
    RunSummary before;
};
