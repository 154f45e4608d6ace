#include "app/run_keeper.h"

#include "app/run_recorder.h"
#include "app/running_game.h"
#include "physics/capsule_controller.h"
#include "physics/physics_world.h"

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
    recordPassEnd(physicsWorld.gControllerManager->getController(0)->getFootPosition());
    const RunSummary after = game.summary();
    // A better score is already saved: the run that made it goes beside it, and is the one the
    // ghost shows from now on.
    if (after.best != before.best) {
        save(bestFile);
        game.showGhostOf(recorder.run);
    }
    const bool ended = (after.dead && !before.dead) || (after.won && !before.won) ||
                       (after.timeUp && !before.timeUp);
    if (ended || restarted) {
        save(lastFile);
    }
    if (restarted) {
        recordRestart();
    }
}

void RunKeeper::loopEnds()
{
    save(lastFile);
    recorder.on = false;
}

void RunKeeper::save(const std::filesystem::path& file) const
{
    if (!saveRecording(file, recorder.run)) {
        std::cerr << "korvel: could not save the run in " << file.string() << std::endl;
    }
}
