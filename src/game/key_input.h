#pragma once

#include "game/input_event.h"

#include <iostream>
#include <span>

// The rules of the keyboard, the mouse and a pad, apart from the window: what each event asks
// of the player and does to the program-wide switches. Every source's events come through
// applyInputEvents, so one place decides what a key does.

// What a pass's events ask of GL, the window and the frame loop, gathered over the pass. The
// caller that owns them applies these once the events are taken.
struct InputEffects {
    bool closeWindow = false;         // Escape
    bool polygonModeChanged = false;  // F3: apply wireframe (lines when on, fill when off)
    bool faceCullingChanged = false;  // F6: apply backfaceCulling (GL_CULL_FACE)
    bool screenshotRequested = false; // F12: the frame drawn in this pass, before it is shown
    bool watchRequested = false;      // R: the replay viewer opens after this pass

    InputEffects& operator|=(const InputEffects& other);
};

// Applies the events in order. A key event first tells the player what to do (W, S, A, D,
// Space, V, K; in a pause only the held directions). Then, on release only, the function keys,
// G, M and P flip their switch (R asks for the replay viewer) and print its label and new value on
// the log, flushed. Taken in every game state; the player's part only shows while it is being
// moved. The window losing the focus pauses, as P does, unless already paused. A release of W, S, A
// or D is not heard while the other source still holds that key, so letting go of the stick does
// not stop a run that W keeps up, nor the other way round. The left and right mouse buttons are
// tracked for the orbit camera; the wheel towards the user (negative offset) moves it away, without
// limits.
InputEffects applyInputEvents(std::span<const InputEvent> events, std::ostream& log = std::cout);
