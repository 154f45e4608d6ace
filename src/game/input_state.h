#pragma once

#include <array>
#include <cstdint>

// The switches and mouse state that the input callbacks keep for the whole run. They are read by
// the render passes, the cameras and the frame loop. None of them is reset by a restart; only
// restartRequested is cleared, by the restart itself. The start values agree with the GL state
// set at start-up: face culling on, filled polygons.
struct InputState {
    bool debugText = false;        // F2: the frame-statistics line
    bool wireframe = false;        // F3: draw as lines, straight into the window
    bool outlines = true;          // F4: outlines in post-processing
    bool toon = true;              // F5: toon shading of the lit programs
    bool backfaceCulling = true;   // F6: mirrors GL_CULL_FACE
    bool frustumCulling = true;    // F8: skip drawables outside the player camera's view
    bool followCamera = true;      // Tab: player camera when on, orbit camera when off
    bool ghost = true;             // G: the best run's ghost, where there is one
    bool restartRequested = false; // F11: served at the end of the same frame
    bool sound = true;             // M: the game's sounds
    // P, or the window losing the focus: the world stands still. Never set as an attempt
    // starts, since a restart resumes, so an attempt's snapshot need not hold it.
    bool paused = false;
    bool leftMouseDown = false;
    bool rightMouseDown = false;
    float orbitZoom = 12.0f; // orbit camera distance; the wheel changes it without limits
    // Who holds each of the directionKeys (W, S, A, D): a bit for the keyboard, a bit for a
    // pad. The game hears a release only when the last of them lets go.
    std::array<std::uint8_t, 4> directionHolders{};
};

// The switches a player sets for themselves, the toggles and the orbit camera's zoom, copied from
// one state into another; the keys, the buttons, the pause and a restart's request stay.
void keepToggles(InputState& into, const InputState& from);

// The program's one input state.
extern InputState input;
