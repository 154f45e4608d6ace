#pragma once

// The GL state the game switches, for code outside render/ that must not touch GL itself.

// The game's state at start-up: a white clear colour, back faces culled, depth tested.
void setStartState();

// Lines when on, filled polygons when off, for everything drawn afterwards.
void setWireframe(bool on);

// Back-face culling on or off.
void setFaceCulling(bool on);
