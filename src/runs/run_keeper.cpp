#include "runs/run_keeper.h"

#include "game/file_replace.h"
#include "runs/run_recorder.h"
#include "shell/running_game.h"
#include "physics/player.h"

#include <iostream>

RunKeeper::RunKeeper(RunningGame& game, const std::filesystem::path& scoreFile,
                     std::function<double()> clock)
    : drawClock([this] { return recordDrawSample(this->clock()); }),
      updateClock([this] { return recordUpdateSample(this->clock()); }), game(game),
      bestFile(bestRunFile(scoreFile)), lastFile(lastRunFile(scoreFile)), clock(std::move(clock))
{
}

double RunKeeper::start()
{
    return startRecording(clock());
}

void RunKeeper::passBegins()
{
    recordPassStart();
    before = game.summary();
}

void RunKeeper::passEnds(bool restarted)
{
    recordPassEnd(playerFoot());
    const RunSummary after = game.summary();
    // A better score is already saved: the run that made it goes beside it, and is the one the
    // ghost shows from now on. An attempt ends at its outcome; one left by a restart is kept
    // when the program ends, so a restart never waits for a save.
    const bool newBest = after.best != before.best;
    const bool ended = (after.dead && !before.dead) || (after.won && !before.won) ||
                       (after.timeUp && !before.timeUp);
    if (newBest || ended) {
        const std::string text = recordingText(recorder.run);
        if (newBest) {
            save(bestFile, text);
            game.showGhostOf(recorder.run);
        }
        save(lastFile, text);
    }
    if (restarted) {
        recordRestart();
    }
}

void RunKeeper::loopEnds()
{
    save(lastFile, recordingText(recorder.run));
    recorder.on = false;
}

void RunKeeper::save(const std::filesystem::path& file, const std::string& text)
{
    if (!replaceFileWhole(file, text)) {
        std::cerr << "korvel: could not save the run in " << file.string() << std::endl;
    }
}
