#pragma once

#include "game/input_codes.h"

#include <cstdint>

// One event of the keyboard, a mouse button, the wheel, a pad or the window's focus, as the
// game hears it. The window, a pad, a route and a recording all hand the game these, so the
// rules apply every source's events alike and a recording keeps exactly what the rules heard.
struct InputEvent {
    // focusLost: the window stopped hearing the keyboard, so the player is elsewhere.
    enum class Kind : std::uint8_t { key, button, scroll, focusLost };
    Kind kind = Kind::key;
    Key key = Key::other;
    MouseButton button = MouseButton::other;
    KeyAction action = KeyAction::press;
    KeySource source = KeySource::keyboard;
    double scroll = 0.0; // the wheel's offset, for a scroll

    static InputEvent keyEvent(Key key, KeyAction action, KeySource source = KeySource::keyboard)
    {
        InputEvent event;
        event.key = key;
        event.action = action;
        event.source = source;
        return event;
    }
    static InputEvent buttonEvent(MouseButton button, KeyAction action)
    {
        InputEvent event;
        event.kind = Kind::button;
        event.button = button;
        event.action = action;
        return event;
    }
    static InputEvent focusLostEvent()
    {
        InputEvent event;
        event.kind = Kind::focusLost;
        return event;
    }
    static InputEvent scrollEvent(double yoffset)
    {
        InputEvent event;
        event.kind = Kind::scroll;
        event.scroll = yoffset;
        return event;
    }
};
