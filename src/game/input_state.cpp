#include "game/input_state.h"

InputState input;

void keepToggles(InputState& into, const InputState& from)
{
    into.debugText = from.debugText;
    into.wireframe = from.wireframe;
    into.outlines = from.outlines;
    into.toon = from.toon;
    into.backfaceCulling = from.backfaceCulling;
    into.frustumCulling = from.frustumCulling;
    into.followCamera = from.followCamera;
    into.ghost = from.ghost;
    into.sound = from.sound;
    into.orbitZoom = from.orbitZoom;
}
