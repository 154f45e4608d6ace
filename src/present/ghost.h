#pragma once

#include "render/geometry.h"
#include "runs/ghost_track.h"

// The best run's player, drawn translucent where it stood at the current attempt's play time.
// It is drawn over the finished scene and before post-processing, so the walls and counters in
// front of it hide it, and it writes no depth: the outlines and every model stay as they were.
// It is seen only through the picture: it has no collider.
class Ghost {
  public:
    // The ghost wears a copy of the player's model, with matrices of its own.
    explicit Ghost(const Geometry& playerModel) : model(playerModel) {}

    // The run to show from now on; an empty track shows none.
    void follow(GhostTrack run) { track = std::move(run); }

    // Draws it while G has it on and the run's time has not passed. The lit programs' camera
    // and light uniforms must be set for this frame.
    void draw(float playTime);

  private:
    Geometry model;
    GhostTrack track;
};
