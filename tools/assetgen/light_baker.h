#pragma once

#include "assetgen/chart_atlas.h"
#include "assetgen/image.h"
#include "assetgen/oriented_box.h"

#include <vector>

// What the light maps record. The light-mapped shader lights a surface by the sun itself and
// multiplies the result by its light map, so a light map is 1 where a surface is open to the sky
// and reached by the sun, and darker where a solid stands between it and the sun (shadow) or
// crowds it (ambient occlusion): a visibility map, not the light itself.
struct BakeLight {
    glm::vec3 sunDirection;         // the way the light travels
    float shadowStrength = 0.62f;   // how much of a sunlit surface's light a shadow takes away
    float occlusionStrength = 0.6f; // how dark a surface with no open sky at all becomes
    float occlusionRange = 9.0f;    // how far ambient occlusion looks for neighbours
    int occlusionRays = 16;
};

// Bakes one light map over the atlas's charts. Texels whose surface point lies inside a solid
// (a floor under a counter, a wall behind a cupboard) are never seen; they take the light of
// their visible neighbours so filtering does not bleed darkness or glare across an edge.
Image bakeLightMap(const ChartAtlas& atlas, const std::vector<OrientedBox>& solids,
                   const BakeLight& light);
