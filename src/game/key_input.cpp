#include "game/key_input.h"

#include "game/input_state.h"
#include "physics/player.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

void flip(bool& toggle, const char* label, std::ostream& log)
{
    toggle = !toggle;
    log << label << (toggle ? 1 : 0) << std::endl;
}

// The player's controls. Space tries on press and on release, so a slow tap can make two jumps;
// V is the unlimited jump kept for trying out the course. In a pause the held directions are
// still followed, so a key let go meanwhile does not run on after it, but a jump or a dash
// would wait unseen and spring out at the resume, so they are not taken.
void steerPlayer(Key key, bool held)
{
    const bool impulse = key == Key::space || key == Key::v || key == Key::k;
    if (impulse && input.paused) {
        return;
    }
    switch (key) {
    case Key::w:
        runForward(held);
        break;
    case Key::s:
        runBackward(held);
        break;
    case Key::a:
        stepLeft(held);
        break;
    case Key::d:
        stepRight(held);
        break;
    case Key::space:
        jump();
        break;
    case Key::v:
        jumpWithoutLimit();
        break;
    case Key::k:
        dash();
        break;
    default:
        break;
    }
}

// Notes who holds a direction key after this event, and whether the game hears it: all but a
// release that leaves the key held by the other source. A release nobody pressed is heard, as
// before there were two sources.
bool heardByGame(Key key, KeyAction action, KeySource source)
{
    const auto found = std::ranges::find(directionKeys, key);
    if (found == directionKeys.end()) {
        return true;
    }
    const auto bit = static_cast<std::uint8_t>(source == KeySource::keyboard ? 1 : 2);
    std::uint8_t& holders =
        input.directionHolders[static_cast<std::size_t>(found - directionKeys.begin())];
    if (action != KeyAction::release) {
        holders |= bit;
        return true;
    }
    holders &= static_cast<std::uint8_t>(~bit);
    return holders == 0;
}

// The switches act once per press, when the key comes up; holding and auto-repeat do nothing.
InputEffects flipOnRelease(Key key, std::ostream& log)
{
    InputEffects effects;
    switch (key) {
    case Key::escape:
        effects.closeWindow = true;
        break;
    case Key::tab:
        input.followCamera = !input.followCamera;
        break;
    case Key::g:
        flip(input.ghost, "Ghost: ", log);
        break;
    case Key::f2:
        flip(input.debugText, "Debug: ", log);
        break;
    case Key::f3:
        flip(input.wireframe, "Wireframe: ", log);
        effects.polygonModeChanged = true;
        break;
    case Key::f4:
        flip(input.outlines, "Outlines: ", log);
        break;
    case Key::f5:
        flip(input.toon, "Toon: ", log);
        break;
    case Key::f6:
        flip(input.backfaceCulling, "Backface Culling: ", log);
        effects.faceCullingChanged = true;
        break;
    case Key::f8:
        flip(input.frustumCulling, "View Frustum Culling: ", log);
        break;
    case Key::f11:
        input.restartRequested = true;
        break;
    case Key::f12: // the frame loop saves the picture and prints its path
        effects.screenshotRequested = true;
        break;
    case Key::m:
        flip(input.sound, "Sound: ", log);
        break;
    case Key::p:
        flip(input.paused, "Pause: ", log);
        break;
    case Key::r:
        effects.watchRequested = true;
        break;
    default:
        break;
    }
    return effects;
}

InputEffects applyKeyEvent(Key key, KeyAction action, KeySource source, std::ostream& log)
{
    if (!heardByGame(key, action, source)) {
        return {};
    }
    steerPlayer(key, action != KeyAction::release);
    return action == KeyAction::release ? flipOnRelease(key, log) : InputEffects{};
}

void applyMouseButtonEvent(MouseButton button, KeyAction action)
{
    if (action == KeyAction::repeat) {
        return;
    }
    const bool down = action == KeyAction::press;
    if (button == MouseButton::left) {
        input.leftMouseDown = down;
    } else if (button == MouseButton::right) {
        input.rightMouseDown = down;
    }
}

} // namespace

InputEffects& InputEffects::operator|=(const InputEffects& other)
{
    closeWindow = closeWindow || other.closeWindow;
    polygonModeChanged = polygonModeChanged || other.polygonModeChanged;
    faceCullingChanged = faceCullingChanged || other.faceCullingChanged;
    screenshotRequested = screenshotRequested || other.screenshotRequested;
    watchRequested = watchRequested || other.watchRequested;
    return *this;
}

InputEffects applyInputEvents(std::span<const InputEvent> events, std::ostream& log)
{
    InputEffects effects;
    for (const InputEvent& event : events) {
        switch (event.kind) {
        case InputEvent::Kind::key:
            effects |= applyKeyEvent(event.key, event.action, event.source, log);
            break;
        case InputEvent::Kind::button:
            applyMouseButtonEvent(event.button, event.action);
            break;
        case InputEvent::Kind::scroll:
            input.orbitZoom -= static_cast<float>(event.scroll) * 0.5f;
            break;
        case InputEvent::Kind::focusLost: // only P resumes, once the player is back
            if (!input.paused) {
                flip(input.paused, "Pause: ", log);
            }
            break;
        }
    }
    return effects;
}
