#pragma once

#include "runs/route.h"

#include <cstddef>

// The long session's route: one short attempt again and again. Each walks off the first counter
// run, falls to the kitchen floor and dies there, and F11 restarts it (the restart comes with
// F11's release, which starts the next cycle). Times follow routes/fall.route. The cycles vary
// a little, a standing jump before the walk, a later walk, a jump on the way to the edge, so
// that the knives and the hazard, which a restart leaves running, meet the player in
// different states; nothing is held when F11 restarts the attempt.

// From one restart to the next, in seconds of the wall clock.
inline constexpr double sessionCycleSeconds = 4.4;

// Every cycle that begins within seconds, and two more, so that a session that ends at its
// first death after the deadline still has the keys to reach it.
Route sessionRoute(double seconds);

// The restarts asked for by the first delivered events of route: the releases of F11.
long restartsAmong(const Route& route, std::size_t delivered);
