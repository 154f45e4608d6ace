#pragma once

#include "assetgen/chart_atlas.h"
#include "assetgen/image.h"
#include "assetgen/oriented_box.h"

#include <vector>

// The kitchen's light as baked into the light maps: a white sun and a sky, both dimmed by what
// stands in their way. Values stay in 0..1 so the shader can multiply its colour by them.
struct BakeLight {
    glm::vec3 sunDirection;      // the way the light travels
    float sun = 0.45f;           // added on a surface square to the sun, where the sun reaches
    float skyAbove = 0.62f;      // ambient on a surface facing up
    float skyBelow = 0.48f;      // ambient on a surface facing down (light from the floor)
    float occlusionRange = 9.0f; // how far ambient occlusion looks for neighbours
    int occlusionRays = 16;
};

// Bakes one light map over the atlas's charts. Texels whose surface point lies inside a solid
// (a floor under a counter, a wall behind a cupboard) are never seen; they take the light of
// their visible neighbours so filtering does not bleed darkness or glare across an edge.
Image bakeLightMap(const ChartAtlas& atlas, const std::vector<OrientedBox>& solids,
                   const BakeLight& light);
