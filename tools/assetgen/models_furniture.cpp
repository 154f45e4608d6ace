#include "assetgen/kitchen_parts.h"
#include "assetgen/mesh_shapes.h"
#include "assetgen/models.h"
#include "assetgen/texture_layout.h"

#include <glm/geometric.hpp>

namespace models {

Mesh table()
{
    Mesh mesh;
    for (const OrientedBox& part : kitchen::tableParts()) {
        addBox(mesh, part, tiledUv(layout::tableTextureUnits));
    }
    return mesh;
}

Mesh chair()
{
    Mesh mesh;
    for (const OrientedBox& part : kitchen::chairParts()) {
        addBox(mesh, part, tiledUv(layout::tableTextureUnits));
    }
    return mesh;
}

Mesh bookPile()
{
    Mesh mesh;
    // The spine's long side runs along the region's v, so its gold bands go round the spine.
    const UvRect spine = layout::bookSpine;
    const FaceUv spineUv = [spine](int, glm::vec2 st, glm::vec2 size) {
        return size.x > size.y ? spine.at({st.y, st.x}) : spine.at(st);
    };
    for (const kitchen::BookPart& part : kitchen::bookPileParts()) {
        switch (part.kind) {
        case kitchen::BookPart::cover:
            addBox(mesh, part.box, regionUv(layout::bookCover));
            break;
        case kitchen::BookPart::spine:
            addBox(mesh, part.box, spineUv);
            break;
        case kitchen::BookPart::pages:
            addBox(mesh, part.box, regionUv(layout::bookPages));
            break;
        }
    }
    return mesh;
}

Mesh broom()
{
    Mesh mesh;
    const OrientedBox handle = kitchen::broomHandleBox();
    const OrientedBox head = kitchen::broomHeadBox();
    // The handle box's -x end reaches into the head; the handle is a round bar along the box.
    const glm::vec3 axis = -handle.rotation[0];
    const float length = handle.halfExtents.x * 2.0f;
    const glm::vec3 counterEnd = handle.centre - axis * handle.halfExtents.x;
    // The bar is a little slimmer than its block, so its collar still fits inside.
    const float radius = handle.halfExtents.y - 0.06f;
    addCylinder(mesh, counterEnd, axis, radius, length, 14, layout::broomHandle,
                layout::broomHandle);
    // A collar where the handle enters the head.
    addCylinder(mesh, counterEnd + axis * (length - 1.4f), axis, handle.halfExtents.y, 0.9f, 14,
                layout::broomBlock, layout::broomBlock);

    // The head: a wooden block on the handle's side (local +x), straw bristles beyond it.
    const glm::vec3 h = head.halfExtents;
    const float split = h.x - 0.65f;
    const float blockHalf = (h.x - split) * 0.5f;
    addBox(mesh,
           {head.toWorld({split + blockHalf, 0.0f, 0.0f}), {blockHalf, h.y, h.z}, head.rotation},
           regionUv(layout::broomBlock));
    const float bristleHalf = (split + h.x) * 0.5f;
    addBox(mesh,
           {head.toWorld({split - bristleHalf, -0.04f, 0.0f}),
            {bristleHalf, h.y - 0.06f, h.z - 0.1f},
            head.rotation},
           regionUv(layout::broomStraw));
    return mesh;
}

} // namespace models
