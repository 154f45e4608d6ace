#include "assetgen/kitchen_parts.h"
#include "assetgen/mesh_shapes.h"
#include "assetgen/models.h"
#include "assetgen/texture_layout.h"

#include <glm/geometric.hpp>

namespace models {

namespace {

// A rectangle origin + s * edgeU + t * edgeV facing edgeU x edgeV, its texture repeating every
// `units` world units.
void addTiledRectangle(Mesh& mesh, glm::vec3 origin, glm::vec3 edgeU, glm::vec3 edgeV, float units)
{
    const glm::vec3 normal = glm::normalize(glm::cross(edgeU, edgeV));
    const float width = glm::length(edgeU) / units;
    const float height = glm::length(edgeV) / units;
    mesh.quad({origin, normal, {0.0f, height}}, {origin + edgeU, normal, {width, height}},
              {origin + edgeU + edgeV, normal, {width, 0.0f}},
              {origin + edgeV, normal, {0.0f, 0.0f}});
}

void addSteelTop(Mesh& mesh, float y, float x0, float x1, float z0, float z1)
{
    addTiledRectangle(mesh, {x0, y, z1}, {x1 - x0, 0, 0}, {0, 0, z0 - z1},
                      layout::sinkTextureUnits);
}

void addSteelUpright(Mesh& mesh, glm::vec3 from, glm::vec3 edge, float y0, float y1)
{
    addTiledRectangle(mesh, {from.x, y0, from.z}, edge, {0, y1 - y0, 0}, layout::sinkTextureUnits);
}

} // namespace

Mesh sink()
{
    Mesh mesh;
    const kitchen::Area rim = kitchen::sinkRim();
    const kitchen::Area gap = kitchen::sinkGap();
    const kitchen::Area hole = kitchen::sinkOpening();
    const float rimTop = kitchen::box(level::counterTops[4]).highCorner().y; // 0.2
    const float basinFloor = kitchen::box(level::pitFloor).highCorner().y;   // -2

    // The raised rim round the opening, over the four rim boxes.
    addSteelTop(mesh, rimTop, rim.x0, rim.x1, hole.z1, rim.z1);
    addSteelTop(mesh, rimTop, rim.x0, rim.x1, rim.z0, hole.z0);
    addSteelTop(mesh, rimTop, rim.x0, hole.x0, hole.z0, hole.z1);
    addSteelTop(mesh, rimTop, hole.x1, rim.x1, hole.z0, hole.z1);
    // Its outer sides above the counter tops, and the front band down to the worktop's edge
    // between the runs' own edges.
    addSteelUpright(mesh, {rim.x0, 0, rim.z0}, {0, 0, rim.z1 - rim.z0}, 0.0f, rimTop);
    addSteelUpright(mesh, {rim.x1, 0, rim.z1}, {0, 0, rim.z0 - rim.z1}, 0.0f, rimTop);
    addSteelUpright(mesh, {gap.x0, 0, rim.z1}, {gap.x1 - gap.x0, 0, 0}, -kitchen::worktopThickness,
                    rimTop);

    // The basin: four walls facing inwards and the floor at the pit's floor.
    addSteelUpright(mesh, {hole.x0, 0, hole.z1}, {0, 0, hole.z0 - hole.z1}, basinFloor, rimTop);
    addSteelUpright(mesh, {hole.x1, 0, hole.z0}, {0, 0, hole.z1 - hole.z0}, basinFloor, rimTop);
    addSteelUpright(mesh, {hole.x1, 0, hole.z1}, {hole.x0 - hole.x1, 0, 0}, basinFloor, rimTop);
    addSteelUpright(mesh, {hole.x0, 0, hole.z0}, {hole.x1 - hole.x0, 0, 0}, basinFloor, rimTop);
    addSteelTop(mesh, basinFloor, hole.x0, hole.x1, hole.z0, hole.z1);

    // A slim tap on the back rim, its spout reaching over the water.
    const UvRect steel{0.0f, 0.0f, 1.0f, 1.0f};
    const float tapX = (hole.x0 + hole.x1) * 0.5f;
    const float tapZ = (rim.z0 + hole.z0) * 0.5f;
    const glm::vec3 up(0, 1, 0);
    addCylinder(mesh, {tapX, rimTop, tapZ}, up, 0.38f, 0.3f, 16, steel, steel);
    addCylinder(mesh, {tapX, rimTop + 0.3f, tapZ}, up, 0.22f, 3.9f, 16, steel, steel);
    const float spoutY = rimTop + 4.0f;
    addCylinder(mesh, {tapX, spoutY, tapZ - 0.1f}, {0, 0, 1}, 0.2f, 2.4f, 16, steel, steel);
    addCylinder(mesh, {tapX, spoutY, tapZ + 2.2f}, -up, 0.17f, 0.55f, 16, steel, steel);
    for (float side : {-1.0f, 1.0f}) {
        const glm::vec3 base(tapX + side * 1.3f, rimTop, tapZ);
        addCylinder(mesh, base, up, 0.16f, 0.55f, 12, steel, steel);
        addCylinder(mesh, base + glm::vec3(-0.45f, 0.55f, 0.0f), {1, 0, 0}, 0.12f, 0.9f, 10, steel,
                    steel);
    }
    return mesh;
}

Mesh stove()
{
    Mesh mesh;
    const layout::HobLayout& hob = layout::hob;
    // The hob fills the far run's hole flush with the counter; its burners are painted at the
    // hazard's spots, so nothing stands up that looks like a step.
    const glm::vec3 normal(0, 1, 0);
    const auto hobVertex = [&](float x, float z) {
        return Vertex{{x, 0.0f, z}, normal, layout::stoveHob.uv({x, -z})};
    };
    mesh.quad(hobVertex(hob.x0, hob.z1), hobVertex(hob.x1, hob.z1), hobVertex(hob.x1, hob.z0),
              hobVertex(hob.x0, hob.z0));

    // The oven's front in the far run's cabinet line, flush with the counter's face.
    const float front = kitchen::box(level::counterTops[3]).lowCorner().z;
    const float thickness = 0.15f;
    const OrientedBox oven{{(layout::ovenX0 + layout::ovenX1) * 0.5f,
                            (layout::ovenY0 + layout::ovenY1) * 0.5f, front + thickness * 0.5f},
                           {(layout::ovenX1 - layout::ovenX0) * 0.5f,
                            (layout::ovenY1 - layout::ovenY0) * 0.5f, thickness * 0.5f}};
    std::array<UvRect, 6> faces;
    faces.fill(layout::stoveSteel);
    faces[faceMinusZ] = layout::stoveOven.rect;
    addBox(mesh, oven, regionsUv(faces), [](int face) { return face != facePlusZ; });

    // Knobs on the control strip and a bar handle on the door.
    const glm::vec3 out(0, 0, -1);
    for (float x : layout::ovenKnobsX()) {
        addCylinder(mesh, {x, layout::ovenKnobY, front}, out, 0.42f, 0.45f, 16, layout::stoveSteel,
                    layout::stoveKnob);
    }
    const float handleZ = front - 0.55f;
    const float handleX0 = layout::ovenX0 + 2.5f;
    const float handleX1 = layout::ovenX1 - 2.5f;
    addCylinder(mesh, {handleX0 - 0.3f, layout::ovenHandleY, handleZ}, {1, 0, 0}, 0.2f,
                handleX1 - handleX0 + 0.6f, 14, layout::stoveSteel, layout::stoveSteel);
    for (float x : {handleX0, handleX1}) {
        addCylinder(mesh, {x, layout::ovenHandleY, front}, out, 0.13f, 0.55f, 10,
                    layout::stoveSteel, layout::stoveSteel);
    }
    return mesh;
}

} // namespace models
