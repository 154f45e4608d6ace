#include "assetgen/kitchen_parts.h"

#include "assetgen/cabinet_layout.h"

#include <glm/geometric.hpp>

#include <algorithm>

namespace kitchen {

namespace {

// Where the plane n.x + d = 0 crosses the given axis (its normal lies along that axis).
float planeAt(const level::Plane& plane, int axis)
{
    return -plane.d / plane.normal[axis];
}

} // namespace

float roomMinX()
{
    return planeAt(level::boundaries[2], 0);
}
float roomMaxX()
{
    return planeAt(level::boundaries[3], 0);
}
float roomMinZ()
{
    return planeAt(level::boundaries[0], 2);
}
float roomMaxZ()
{
    return planeAt(level::boundaries[1], 2);
}

OrientedBox box(const level::BoxShape& shape)
{
    return {shape.offset, shape.halfExtents};
}

OrientedBox broomHandleBox()
{
    const level::BoxShape& shape = level::broomHandle;
    return {shape.offset, shape.halfExtents, rotationY(2.0f * level::broomHalfAngle)};
}

OrientedBox broomHeadBox()
{
    const level::BoxShape& shape = level::broomHead;
    return {shape.offset, shape.halfExtents, rotationY(2.0f * level::broomHalfAngle)};
}

Area sinkOpening()
{
    const OrientedBox near = box(level::counterTops[4]);
    const OrientedBox far = box(level::counterTops[5]);
    const OrientedBox start = box(level::counterTops[6]);
    const OrientedBox goal = box(level::counterTops[7]);
    return {start.highCorner().x, goal.lowCorner().x, near.highCorner().z, far.lowCorner().z};
}

Area sinkRim()
{
    // The rim boxes' outer ends (they reach a little over the runs' ends), across the
    // counter's depth.
    const OrientedBox first = box(level::counterTops[0]);
    const OrientedBox start = box(level::counterTops[6]);
    const OrientedBox goal = box(level::counterTops[7]);
    return {start.lowCorner().x, goal.highCorner().x, first.lowCorner().z, first.highCorner().z};
}

Area sinkGap()
{
    const OrientedBox first = box(level::counterTops[0]);
    const OrientedBox second = box(level::counterTops[1]);
    return {first.highCorner().x, second.lowCorner().x, first.lowCorner().z, first.highCorner().z};
}

std::vector<OrientedBox> tableParts()
{
    const glm::vec3 half = level::tableHalfExtents;
    const float top = level::table1.position.y; // the table top is the collider's top, y = 0
    const float legHeight = half.y * 2.0f - worktopThickness;
    std::vector<OrientedBox> parts{
        {{0.0f, top - worktopThickness * 0.5f, 0.0f}, {half.x, worktopThickness * 0.5f, half.z}},
    };
    const float apronY = top - worktopThickness - 1.0f;
    parts.push_back({{0.0f, apronY, half.z - 1.4f}, {half.x - 2.4f, 1.0f, 0.25f}});
    parts.push_back({{0.0f, apronY, -half.z + 1.4f}, {half.x - 2.4f, 1.0f, 0.25f}});
    parts.push_back({{half.x - 1.4f, apronY, 0.0f}, {0.25f, 1.0f, half.z - 2.4f}});
    parts.push_back({{-half.x + 1.4f, apronY, 0.0f}, {0.25f, 1.0f, half.z - 2.4f}});
    for (float sx : {-1.0f, 1.0f}) {
        for (float sz : {-1.0f, 1.0f}) {
            parts.push_back({{sx * (half.x - 1.8f), top - worktopThickness - legHeight * 0.5f,
                              sz * (half.z - 1.8f)},
                             {0.9f, legHeight * 0.5f, 0.9f}});
        }
    }
    return parts;
}

std::vector<OrientedBox> chairParts()
{
    std::vector<OrientedBox> parts;
    for (const level::ChairShape& shape : level::chairShapes) {
        parts.push_back(
            {shape.offset, shape.halfExtents, rotationX(shape.angleX) * rotationZ(shape.angleZ)});
    }
    const OrientedBox seat = parts[0]; // a copy: parts grows below
    const float seatBottom = seat.centre.y - seat.halfExtents.y;
    const float legHalf = (seatBottom - floorY) * 0.5f;
    const float inset = 0.9f;
    const float legX = seat.halfExtents.x - inset;
    const float frontZ = seat.centre.z + seat.halfExtents.z - inset;
    const float backZ = seat.centre.z - seat.halfExtents.z + inset;
    for (float x : {legX, -legX}) {
        for (float z : {frontZ, backZ}) {
            parts.push_back({{x, floorY + legHalf, z}, {0.5f, legHalf, 0.5f}});
        }
    }
    const float railY = floorY + 4.0f;
    for (float z : {frontZ, backZ}) {
        parts.push_back({{0.0f, railY, z}, {legX - 0.5f, 0.3f, 0.25f}});
    }
    parts.push_back(
        {{legX, railY + 1.5f, seat.centre.z}, {0.25f, 0.3f, frontZ - seat.centre.z - 0.5f}});
    return parts;
}

std::vector<BookPart> bookPileParts()
{
    // Four books stacked to the pile box's height, each a little smaller or shifted, then the
    // top book at its collider's pose.
    const glm::vec3 pile = level::bookPileHalfExtents;
    struct Book {
        float thickness, shrinkX, shrinkZ, shiftX, shiftZ;
    };
    const std::array<Book, 4> books{{
        {2.1f, 0.0f, 0.0f, 0.0f, 0.0f},
        {1.7f, 0.25f, 0.35f, -0.2f, 0.25f},
        {2.25f, 0.1f, 0.15f, 0.08f, -0.12f},
        {1.7f, 0.3f, 0.5f, 0.15f, 0.3f},
    }};
    std::vector<BookPart> parts;
    const auto addBook = [&parts](const OrientedBox& whole) {
        // Boards 0.12 thick top and bottom, the spine on the book's -x side, pages between.
        const glm::vec3 h = whole.halfExtents;
        const float board = 0.12f;
        const auto part = [&](glm::vec3 centre, glm::vec3 half, BookPart::Kind kind) {
            parts.push_back({{whole.toWorld(centre), half, whole.rotation}, kind});
        };
        part({0.0f, h.y - board * 0.5f, 0.0f}, {h.x, board * 0.5f, h.z}, BookPart::cover);
        part({0.0f, -h.y + board * 0.5f, 0.0f}, {h.x, board * 0.5f, h.z}, BookPart::cover);
        part({-h.x + board * 0.5f, 0.0f, 0.0f}, {board * 0.5f, h.y - board, h.z}, BookPart::spine);
        part({0.05f, 0.0f, 0.0f}, {h.x - board - 0.05f, h.y - board, h.z - 0.15f}, BookPart::pages);
    };
    float bottom = -pile.y;
    for (const Book& book : books) {
        const glm::vec3 half(pile.x - book.shrinkX, book.thickness * 0.5f, pile.z - book.shrinkZ);
        // Shifts stay within what the shrink leaves free, so every book is inside the pile box.
        const glm::vec3 centre(std::clamp(book.shiftX, -book.shrinkX, book.shrinkX),
                               bottom + half.y,
                               std::clamp(book.shiftZ, -book.shrinkZ, book.shrinkZ));
        addBook({centre, half});
        bottom += book.thickness;
    }
    addBook({level::topBookOffset, level::topBookHalfExtents,
             rotationY(level::topBookAngleY) * rotationX(level::topBookAngleX)});
    return parts;
}

std::vector<OrientedBox> solids()
{
    std::vector<OrientedBox> out;
    const float x0 = roomMinX(), x1 = roomMaxX(), z0 = roomMinZ(), z1 = roomMaxZ();
    const float wallHalf = (wallTop - floorY) * 0.5f;
    const float wallY = floorY + wallHalf;
    const float thick = 2.0f;
    // The floor slab and the four walls, all just outside the room.
    out.push_back({{(x0 + x1) * 0.5f, floorY - 1.0f, (z0 + z1) * 0.5f},
                   {(x1 - x0) * 0.5f + thick * 2.0f, 1.0f, (z1 - z0) * 0.5f + thick * 2.0f}});
    out.push_back({{x0 - thick, wallY, (z0 + z1) * 0.5f},
                   {thick, wallHalf, (z1 - z0) * 0.5f + thick * 2.0f}});
    out.push_back({{x1 + thick, wallY, (z0 + z1) * 0.5f},
                   {thick, wallHalf, (z1 - z0) * 0.5f + thick * 2.0f}});
    out.push_back({{(x0 + x1) * 0.5f, wallY, z0 - thick},
                   {(x1 - x0) * 0.5f + thick * 2.0f, wallHalf, thick}});
    out.push_back({{(x0 + x1) * 0.5f, wallY, z1 + thick},
                   {(x1 - x0) * 0.5f + thick * 2.0f, wallHalf, thick}});

    for (const level::BoxShape& shape : level::counterTops) {
        out.push_back(box(shape));
    }
    out.push_back(box(level::pitFloor));
    out.push_back(box(level::tallWallBlock));
    out.push_back(broomHandleBox());
    out.push_back(broomHeadBox());

    for (const level::Placement& table : {level::table1, level::table2}) {
        for (const OrientedBox& part : tableParts()) {
            out.push_back(placed(part, table.position, table.angleY));
        }
    }
    for (const level::Placement& chair : level::chairs) {
        for (const OrientedBox& part : chairParts()) {
            out.push_back(placed(part, chair.position, chair.angleY));
        }
    }
    for (const level::Placement& pile : {level::bookPile1, level::bookPile2}) {
        for (const BookPart& part : bookPileParts()) {
            out.push_back(placed(part.box, pile.position, pile.angleY));
        }
    }
    const CabinetLayout cabinets = cabinetLayout();
    out.insert(out.end(), cabinets.panels.begin(), cabinets.panels.end());
    out.insert(out.end(), cabinets.handles.begin(), cabinets.handles.end());
    return out;
}

} // namespace kitchen
