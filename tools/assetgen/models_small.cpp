#include "assetgen/mesh_shapes.h"
#include "assetgen/models.h"
#include "assetgen/texture_layout.h"

#include "physics/level_layout.h"

#include <glm/geometric.hpp>

namespace models {

Mesh knife()
{
    // Seen from its side (+/-x) the knife is a blade over a handle, standing along y in its
    // box: z across the blade (edge at -z), x its thickness.
    Mesh mesh;
    const SlabFrame side{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}};
    const glm::vec2 spineSpot = layout::knifeBlade.uv({0.85f, 1.0f});
    addConvexSlab(
        mesh, side, layout::knifeBladeOutline(), 0.05f,
        [](glm::vec2 p, int) { return layout::knifeBlade.uv(p); },
        [spineSpot](float, float) { return spineSpot; });
    const glm::vec2 handleSpot = layout::knifeHandle.uv({0.55f, -1.0f});
    addConvexSlab(
        mesh, side, layout::knifeHandleOutline(), 0.18f,
        [](glm::vec2 p, int) { return layout::knifeHandle.uv(p); },
        [handleSpot](float, float) { return handleSpot; });
    // The bolster between them.
    addBox(mesh, {{0.0f, -0.8f, 0.3f}, {0.095f, 0.1f, 0.65f}},
           regionUv({spineSpot.x, spineSpot.y, spineSpot.x + 0.02f, spineSpot.y + 0.02f}));
    return mesh;
}

Mesh pizza()
{
    Mesh mesh;
    const float half = level::pizzaHalfExtents.y;
    const float cheese = 0.08f;
    const float r = layout::pizzaRadius;
    const float sauce = layout::pizzaSauceRadius;
    // Profile from the centre outwards over the top, round the raised crust, down the side and
    // back under the base.
    const std::vector<glm::vec2> profile{
        {0.0f, cheese},        {sauce, cheese},   {sauce + 0.22f, 0.19f},
        {sauce + 0.45f, half}, {r - 0.1f, 0.22f}, {r, 0.08f},
        {r, -half + 0.06f},    {r - 0.1f, -half}, {0.0f, -half}};
    const auto uv = [](glm::vec3 p, glm::vec3 normal) {
        return normal.y > 0.3f ? layout::pizzaTop.uv({p.x, p.z}) : layout::pizzaUnderside;
    };
    addTurned(mesh, {0, 0, 0}, profile, 40, uv);

    // Pepperoni slices stand a little proud of the cheese, under the crust's height.
    const float sliceTop = cheese + 0.07f;
    for (glm::vec2 centre : layout::pepperoni()) {
        const glm::vec2 spot = layout::pizzaTop.uv(centre);
        addCylinder(mesh, {centre.x, cheese - 0.01f, centre.y}, {0, 1, 0}, layout::pepperoniRadius,
                    sliceTop - cheese + 0.01f, 16, {spot.x, spot.y, spot.x, spot.y}, {}, false);
        addDisc(mesh, {centre.x, sliceTop, centre.y}, {0, 1, 0}, layout::pepperoniRadius, 16,
                [](glm::vec3 p) {
                    return layout::pizzaTop.uv({p.x, p.z});
                });
    }
    return mesh;
}

Mesh player()
{
    // A slice of tamboro standing on two short legs, feet at the origin, its face towards +X.
    Mesh mesh;
    const SlabFrame front{{0, 0, 0}, {0, 0, -1}, {0, 1, 0}}; // a = -z, b = y, a x b = +x
    addConvexSlab(
        mesh, front, layout::tamboroOutline(), 0.24f,
        [](glm::vec2 p, int side) {
            return side > 0 ? layout::tamboroFront.uv(p) : layout::tamboroBack.uv(p);
        },
        [](float around, float across) {
            return layout::tamboroCrust.at({across, around});
        });
    for (float z : {-0.12f, 0.12f}) {
        addCylinder(mesh, {0.0f, 0.1f, z}, {0, 1, 0}, 0.05f, 0.5f, 10, layout::tamboroLegs,
                    layout::tamboroLegs);
        addBox(mesh, {{0.05f, 0.06f, z}, {0.14f, 0.06f, 0.08f}}, regionUv(layout::tamboroShoes));
    }
    return mesh;
}

} // namespace models
