#pragma once

// The switches and mouse state that the input callbacks keep for the whole run. They are read by
// the render passes, the cameras and the frame loop. None of them is reset by a restart; only
// restartRequested is cleared, by the restart itself.
extern bool debugText;        // F2: the frame-statistics line
extern bool wireframe;        // F3: draw as lines, straight into the window
extern bool outlines;         // F4: outlines in post-processing
extern bool toon;             // F5: toon shading of the lit programs
extern bool backfaceCulling;  // F6: mirrors GL_CULL_FACE
extern bool frustumCulling;   // F8: skip drawables outside the player camera's view
extern bool followCamera;     // Tab: player camera when on, orbit camera when off
extern bool restartRequested; // F11: served at the end of the same frame
extern bool leftMouseDown;
extern bool rightMouseDown;
extern float orbitZoom; // orbit camera distance; the wheel changes it without limits
