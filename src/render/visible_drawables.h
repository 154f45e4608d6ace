#pragma once

#include "render/player_camera.h"

// Draws the models of the drawables list that the player camera can see and returns how many
// were drawn. A model that follows a physics actor first takes the actor's current pose, so it
// is tested where it is now, not where it was last drawn: a knife culled once would otherwise
// keep its old place and stay hidden wherever it flies. With culling off every model is drawn.
//
// Works on a range of models or of pointers to models; each needs syncWithActor() and
// getBoundingBox(), and draw(model) does the drawing.
template <class Drawables, class Draw>
int drawVisibleModels(Drawables& drawables, const PlayerCamera& camera, bool culling, Draw draw)
{
    int drawn = 0;
    for (auto& entry : drawables) {
        auto& model = [&entry]() -> auto&
        {
            if constexpr (requires { *entry; }) {
                return *entry;
            } else {
                return entry;
            }
        }
        ();
        model.syncWithActor();
        if (culling && !camera.isVisible(model.getBoundingBox())) {
            continue;
        }
        draw(model);
        ++drawn;
    }
    return drawn;
}
