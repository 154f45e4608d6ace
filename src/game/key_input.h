#pragma once

#include "game/input_codes.h"

#include <iostream>

// The rules of the keyboard and mouse, apart from the window: what each event asks of the
// player and does to the program-wide switches. The window's callbacks (input_callbacks) apply
// the GL and window effects that are reported back.

// What a key event asks of the GL state and the window.
struct KeyEffects {
    bool closeWindow = false;        // Escape
    bool polygonModeChanged = false; // F3: apply wireframe (lines when on, fill when off)
    bool faceCullingChanged = false; // F6: apply backfaceCulling (GL_CULL_FACE)
};

// Where a key event comes from. The keyboard and a pad may hold the same direction at once.
enum class KeySource { keyboard, pad };

// Every event first tells the player what to do (W, S, A, D, Space, V, K). Then, on release
// only, the function keys and G flip their switch and print its label and new value on the log,
// flushed. Taken in every game state; the player's part only shows while it is being moved.
// A release of W, S, A or D is not heard while the other source still holds that key, so
// letting go of the stick does not stop a run that W keeps up, nor the other way round.
KeyEffects handleKeyEvent(Key key, KeyAction action, std::ostream& log = std::cout,
                          KeySource source = KeySource::keyboard);

// The left and right buttons are tracked for the orbit camera; other buttons are ignored.
void handleMouseButtonEvent(MouseButton button, KeyAction action);

// Wheel towards the user (negative offset) moves the orbit camera away; no limits.
void handleScrollEvent(double yoffset);
