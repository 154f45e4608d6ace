#include "app/input_state.h"

// The start values agree with the GL state set at start-up: face culling on, filled polygons.
bool debugText = false;
bool wireframe = false;
bool outlines = true;
bool toon = true;
bool backfaceCulling = true;
bool frustumCulling = true;
bool followCamera = true;
bool restartRequested = false;
bool leftMouseDown = false;
bool rightMouseDown = false;
float orbitZoom = 12.0f;
