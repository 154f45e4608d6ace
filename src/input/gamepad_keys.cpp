#include "input/gamepad_keys.h"

namespace {

// A worn stick rests a little off centre, so inside the dead zone it is let go. A direction is
// taken only a little beyond it, so a stick held near the edge does not start and stop the run
// on alternate frames.
constexpr float stickDeadZone = 0.25f;
constexpr float stickEngages = 0.35f;

// Long enough that brushing Back does not end the game.
constexpr float quitHoldSeconds = 1.0f;

bool stickHolds(float towards, bool wasHeld)
{
    return towards > (wasHeld ? stickDeadZone : stickEngages);
}

// A button is a key: pressed when it goes down, released when it comes up.
void button(bool down, bool& wasDown, Key key, PadKeyEvents& events)
{
    if (down != wasDown) {
        events.add(key, down ? KeyAction::press : KeyAction::release);
        wasDown = down;
    }
}

} // namespace

PadKeyEvents GamepadKeys::translate(const PadState& pad, float dt)
{
    PadKeyEvents events;
    // A pad pulled out lets go of its directions, so the player does not run on alone. Its
    // buttons are forgotten rather than released: a pulled cable neither jumps nor restarts.
    const std::array<bool, 4> held =
        pad.connected ? std::array<bool, 4>{pad.up || stickHolds(-pad.stickY, directions[0]),
                                            pad.down || stickHolds(pad.stickY, directions[1]),
                                            pad.left || stickHolds(-pad.stickX, directions[2]),
                                            pad.right || stickHolds(pad.stickX, directions[3])}
                      : std::array<bool, 4>{};
    // Releases before presses: a stick swung from forward to back within one pass must leave
    // the player running back, and W's release after S's press would stop it.
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (directions[i] && !held[i]) {
            events.add(directionKeys[i], KeyAction::release);
        }
    }
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (!directions[i] && held[i]) {
            events.add(directionKeys[i], KeyAction::press);
        }
    }
    directions = held;
    if (!pad.connected) {
        *this = GamepadKeys{};
        return events;
    }
    button(pad.jump, jumpDown, Key::space, events);
    button(pad.start, startDown, Key::p, events);
    button(pad.restart, restartDown, Key::f11, events);
    holdToQuit(pad.back, dt, events);
    return events;
}

// Back counts from the pass it is first seen down; once held long enough it taps Escape, once
// per hold, and letting it go earlier does nothing.
void GamepadKeys::holdToQuit(bool down, float dt, PadKeyEvents& events)
{
    if (!down) {
        backDownFor = -1.0f;
        return;
    }
    if (backDownFor < 0.0f) {
        backDownFor = 0.0f;
        return;
    }
    if (backDownFor >= quitHoldSeconds) {
        return;
    }
    backDownFor += dt;
    if (backDownFor >= quitHoldSeconds) {
        events.add(Key::escape, KeyAction::press);
        events.add(Key::escape, KeyAction::release);
    }
}
