#include "shell/replay_viewer.h"

#include "game/pass_input.h"
#include "game/race_time.h"
#include "physics/player.h"
#include "runs/recording_replay.h"
#include "runs/run_keeper.h"
#include "runs/run_viewer.h"
#include "shell/running_game.h"

#include <glm/gtc/constants.hpp>

#include <algorithm>
#include <ostream>

namespace {

// The GL switches a flipped or restored snapshot asks for; the rest of a run's effects (its
// Escape, its screenshots) were the player's, not the watcher's.
InputEffects glSwitches(const InputEffects& effects)
{
    InputEffects switches;
    switches.polygonModeChanged = effects.polygonModeChanged;
    switches.faceCullingChanged = effects.faceCullingChanged;
    return switches;
}

InputEffects allGlSwitches()
{
    InputEffects switches;
    switches.polygonModeChanged = switches.faceCullingChanged = true;
    return switches;
}

} // namespace

ReplayViewer::ReplayViewer(RunningGame& game, RunKeeper& keeper, std::filesystem::path scoreFile,
                           std::ostream& log)
    : game(game), keeper(keeper), scoreFile(std::move(scoreFile)), log(log)
{
}

bool ReplayViewer::isOpen() const
{
    return game.viewer().isOpen();
}

InputEffects ReplayViewer::openFromPlay(double now)
{
    GameSession& session = game.gameSession();
    keeper.loopEnds(session); // the attempt left is last.run, written before it is read
    liveStart = session.attemptStart();
    liveToggles = input;
    lastSample = now;
    if (input.paused) { // the viewer plays; the attempt given back after it starts in play
        input.paused = false;
        log << "Pause: 0" << std::endl;
    }
    InputEffects effects;
    if (!watch(true) && !watch(false)) {
        leave(effects);
    }
    effects |= allGlSwitches();
    return effects;
}

// Missing, unreadable or not playable here: one line, and the viewer goes on to the next.
bool ReplayViewer::watch(bool bestRun)
{
    const std::filesystem::path file = bestRun ? bestRunFile(scoreFile) : lastRunFile(scoreFile);
    std::error_code status;
    if (bestRun && !std::filesystem::exists(file, status)) {
        return false; // no best run yet: nothing to say
    }
    ParseError error;
    std::optional<RunRecording> run = loadRecording(file, error);
    std::string why = run ? game.viewer().open(std::move(*run))
                          : "line " + std::to_string(error.line) + ": " + error.message;
    if (!why.empty()) {
        log.flush();
        std::cerr << "korvel: cannot watch " << file.string() << ": " << why << std::endl;
        return false;
    }
    watchingBest = bestRun;
    game.watchView().run = bestRun ? "best" : "last";
    game.watchView().seconds = 0.0;
    game.watchedPassesEnd();
    log << "Replay: " << game.watchView().run << std::endl;
    return true;
}

void ReplayViewer::next(InputEffects& effects)
{
    if (watchingBest && watch(false)) {
        effects |= allGlSwitches();
        return;
    }
    leave(effects);
}

void ReplayViewer::leave(InputEffects& effects)
{
    game.viewer().close();
    GameSession& session = game.gameSession();
    session.restartFrom(liveStart, &liveToggles); // it started from it once already
    game.placePlayerModel(true);
    keeper.start(session);
    effects |= allGlSwitches();
    log << "Replay: off" << std::endl;
}

// The run goes on live from the pass shown; its part so far and the live passes are one run.
void ReplayViewer::takeOver(InputEffects& effects)
{
    const PassResult result = game.viewer().takeOver(keeper, log);
    game.placePlayerModel(false);
    effects |= glSwitches(result.effects);
}

InputEffects ReplayViewer::practiceRestarted()
{
    InputEffects effects;
    if (game.viewer().retake(keeper, log)) {
        game.placePlayerModel(false);
        effects |= allGlSwitches();
    }
    return effects;
}

void ReplayViewer::sayWhere()
{
    log << "Replay at: " << raceTimeText(raceMilliseconds(game.gameSession().attempt().playTime))
        << " pass " << game.viewer().passesPlayed() << " foot " << footText(playerFoot())
        << std::endl;
}

// The keys that move through the run act as they go down and as they repeat.
void ReplayViewer::hearViewerKey(Key key)
{
    RunViewer& viewer = game.viewer();
    switch (key) {
    case Key::leftBracket:
    case Key::rightBracket:
        if (key == Key::leftBracket ? viewer.slower() : viewer.faster()) {
            log << "Replay speed: " << viewer.speed() << std::endl;
        }
        return;
    case Key::comma:
    case Key::period:
        if (viewer.isHeld()) { // stepping is for a held run
            viewer.step(key == Key::comma ? -1 : 1);
        }
        return;
    case Key::left:
    case Key::right:
        viewer.seekBy(key == Key::left ? -watchSeekSeconds : watchSeekSeconds);
        return;
    case Key::home:
        viewer.rewind();
        return;
    default:
        return;
    }
}

// The switches act as their key comes up, as in play.
void ReplayViewer::hearKey(const InputEvent& event, InputEffects& effects)
{
    if (event.action != KeyAction::release) {
        hearViewerKey(event.key);
        return;
    }
    RunViewer& viewer = game.viewer();
    switch (event.key) {
    case Key::r:
        next(effects);
        break;
    case Key::t:
        takeOver(effects);
        break;
    case Key::p:
        viewer.setHeld(!viewer.isHeld());
        log << "Replay pause: " << (viewer.isHeld() ? 1 : 0) << std::endl;
        break;
    case Key::tab:
        game.watchView().orbit = !game.watchView().orbit;
        if (game.watchView().orbit) { // around the player, wherever the run has brought it
            OrbitCamera::State around = game.watchCamera().state();
            around.pan = glm::vec3(playerFoot());
            if (around.yaw == 0.0f && around.pitch == 0.0f) { // never turned: behind, above
                around.yaw = glm::half_pi<float>();
                around.pitch = 0.5f;
            }
            game.watchCamera().restore(around);
        }
        break;
    case Key::escape:
        effects.closeWindow = true;
        break;
    case Key::f12:
        effects.screenshotRequested = true;
        break;
    default:
        break;
    }
}

InputEffects ReplayViewer::frame(PassInputs& inputs)
{
    const double now = inputs.updateSample();
    const double wall = std::max(0.0, now - lastSample);
    lastSample = now;
    InputEffects effects;
    RunningGame::WatchView& view = game.watchView();
    for (const InputEvent& event : inputs.events(static_cast<float>(wall))) {
        if (event.kind == InputEvent::Kind::key) {
            hearKey(event, effects);
        } else if (event.kind == InputEvent::Kind::button && event.action != KeyAction::repeat) {
            const bool down = event.action == KeyAction::press;
            (event.button == MouseButton::left ? view.leftMouseDown : view.rightMouseDown) = down;
        } else if (event.kind == InputEvent::Kind::scroll) {
            view.orbitZoom -= static_cast<float>(event.scroll) * 0.5f;
        }
        if (!isOpen()) {
            return effects; // left, or taken over: the frame's other keys were the viewer's
        }
    }
    if (view.orbit) {
        const CursorPosition cursor = inputs.cursor();
        game.watchCamera().update(cursor.x, cursor.y, view.leftMouseDown, view.rightMouseDown,
                                  view.orbitZoom);
    }
    view.seconds = game.viewer().advance(wall);
    if (game.viewer().takeArrival()) { // where a step, a seek or Home brought the run
        sayWhere();
    }
    effects |= glSwitches(game.viewer().takeEffects());
    game.watchedPassesEnd();
    return effects;
}
