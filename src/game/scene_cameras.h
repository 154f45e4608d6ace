#pragma once

#include "render/orbit_camera.h"
#include "render/player_camera.h"

struct Settings;

// The game's two cameras as start-up builds them, from the window size and the clip distances
// of the settings.

// At (-7, 5, 0) looking at (1, 0, 0), opening 5 rad with up (0, -1, 0): the pair gives an
// upright picture 73.5 degrees high. The settings' field of view is not used here.
PlayerCamera startPlayerCamera(const Settings& settings);

// Opening from the settings' field of view in degrees.
OrbitCamera startOrbitCamera(const Settings& settings);
