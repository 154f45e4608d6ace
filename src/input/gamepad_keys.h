#pragma once

#include "game/input_codes.h"

#include <array>
#include <cstddef>

// A pad as the game reads it once per pass, in the window library's standard layout, apart
// from that library. An unplugged pad is the empty state.
struct PadState {
    bool connected = false;
    bool jump = false;  // A (cross)
    bool start = false; // pauses and resumes, as in the games players know
    bool back = false;  // back (select): held for a second, quits
    bool up = false;    // the d-pad
    bool down = false;
    bool left = false;
    bool right = false;
    float stickX = 0.0f;  // the left stick: -1 full left, 1 full right
    float stickY = 0.0f;  // -1 pushed fully away (forward), 1 pulled fully back
    bool restart = false; // Y (triangle): restarts
};

// One key event the pad stands for.
struct PadKeyEvent {
    Key key = Key::other;
    KeyAction action = KeyAction::press;
    bool operator==(const PadKeyEvent&) const = default;
};

// The key events of one pass, in the order the game must hear them. Fixed room, so reading a
// pad every pass allocates nothing: four directions, Space, P, F11 and Escape's press and release.
struct PadKeyEvents {
    std::array<PadKeyEvent, 9> list{};
    std::size_t count = 0;

    void add(Key key, KeyAction action) { list[count++] = {key, action}; }
    const PadKeyEvent* begin() const { return list.data(); }
    const PadKeyEvent* end() const { return list.data() + count; }
};

// Turns a pad into the keys a player would press, so the game cannot tell a pad from a keyboard:
// the stick and the d-pad are W, S, A and D, A is Space, Start is P, Y is F11, and Back held
// for a second is Escape. Only changes make events, as a key makes a press and a release and
// nothing while it is held.
class GamepadKeys {
  public:
    // This pass's events for the pad's state; dt is the pass's frame time, which times Back.
    PadKeyEvents translate(const PadState& pad, float dt);

  private:
    void holdToQuit(bool down, float dt, PadKeyEvents& events);

    std::array<bool, 4> directions{}; // the directionKeys as the pad holds them
    bool jumpDown = false;
    bool startDown = false;
    bool restartDown = false;
    float backDownFor = -1.0f; // seconds Back has been held; negative while it is up
};
