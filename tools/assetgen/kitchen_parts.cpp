#include "assetgen/kitchen_parts.h"

#include "assetgen/texture_layout.h"

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
    // From the end of the first run to the start of the second, across the counter's depth.
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

namespace {

enum class Corner { none, inner, outer };
enum class Fill { cabinets, sink, oven, panel };

struct Segment {
    float from, to;
    Fill fill;
    int count = 1;
};

struct Front {
    glm::vec3 start; // on the collider face at floor level
    glm::vec3 outward;
    float length;
    Corner startCorner, endCorner;
    std::vector<Segment> segments;
};

constexpr float gap = 0.075f;       // half the gap between neighbouring doors
constexpr float doorDepth = 0.15f;  // doors stand this far out of the carcass
constexpr float plinthDepth = 0.8f; // the toe kick's recess
constexpr float plinthTop = -19.6f;
constexpr float drawerBottom = -4.8f;
constexpr float frontTop = -1.35f; // just under the worktop

std::vector<Front> fronts()
{
    const auto& runs = level::counterTops;
    const OrientedBox first = box(runs[0]);
    const OrientedBox corner = box(runs[2]);
    const OrientedBox far = box(runs[3]);
    const Area rim = sinkRim();
    const float wallZ = roomMaxZ();

    const float frontZ = first.highCorner().z;
    const float startX = roomMinX();
    const float cornerX = corner.lowCorner().x;
    const float firstLength = cornerX - startX;
    const float sinkFrom = rim.x0 - startX;
    const float sinkTo = rim.x1 - startX;

    const float farX0 = far.lowCorner().x;
    const float farX1 = far.highCorner().x;
    const float farFront = far.lowCorner().z;
    // The far front runs from its +x end towards -x (its outward side faces -z).
    const float ovenFrom = farX1 - layout::hob.x1;
    const float ovenTo = farX1 - layout::hob.x0;

    return {
        {{startX, floorY, frontZ},
         {0, 0, 1},
         firstLength,
         Corner::none,
         Corner::inner,
         {{0.0f, sinkFrom, Fill::cabinets, 10},
          {sinkFrom, sinkTo, Fill::sink},
          {sinkTo, firstLength, Fill::cabinets, 2}}},
        {{cornerX, floorY, frontZ},
         {-1, 0, 0},
         corner.highCorner().z - frontZ,
         Corner::inner,
         Corner::outer,
         {{0.0f, corner.highCorner().z - frontZ, Fill::cabinets, 2}}},
        {{cornerX, floorY, corner.highCorner().z},
         {0, 0, 1},
         corner.highCorner().x - cornerX,
         Corner::outer,
         Corner::none,
         {{0.0f, corner.highCorner().x - cornerX, Fill::cabinets, 1}}},
        {{farX1, floorY, farFront},
         {0, 0, -1},
         farX1 - farX0,
         Corner::outer,
         Corner::outer,
         {{0.0f, ovenFrom, Fill::cabinets, 6},
          {ovenFrom, ovenTo, Fill::oven},
          {ovenTo, farX1 - farX0, Fill::cabinets, 4}}},
        {{farX0, floorY, farFront},
         {-1, 0, 0},
         wallZ - farFront,
         Corner::outer,
         Corner::none,
         {{0.0f, wallZ - farFront, Fill::panel}}},
        {{farX1, floorY, wallZ},
         {1, 0, 0},
         wallZ - farFront,
         Corner::none,
         Corner::outer,
         {{0.0f, wallZ - farFront, Fill::panel}}},
    };
}

// A front's own frame: a along the front, y up, d out of the collider face.
struct FrontFrame {
    glm::vec3 start, along, outward;
    glm::vec3 at(float a, float y, float d) const
    {
        return start + along * a + glm::vec3(0.0f, y - floorY, 0.0f) + outward * d;
    }
    OrientedBox box(float a0, float a1, float y0, float y1, float d0, float d1) const
    {
        const glm::mat3 rotation(along, glm::vec3(0, 1, 0), outward);
        return {at((a0 + a1) * 0.5f, (y0 + y1) * 0.5f, (d0 + d1) * 0.5f),
                {(a1 - a0) * 0.5f, (y1 - y0) * 0.5f, (d1 - d0) * 0.5f},
                rotation};
    }
};

float cornerShift(Corner corner, float recess)
{
    return corner == Corner::inner ? -recess : corner == Corner::outer ? recess : 0.0f;
}

void addDoor(CabinetLayout& out, const FrontFrame& frame, float a0, float a1, float y0, float y1,
             bool handleAtEnd, bool withHandle)
{
    out.panels.push_back(frame.box(a0, a1, y0, y1, -doorDepth, 0.0f));
    if (!withHandle) {
        return;
    }
    const float handleA = handleAtEnd ? a1 - 0.9f : a0 + 0.9f;
    const float handleTop = y1 - 1.2f;
    out.handles.push_back(
        frame.box(handleA - 0.16f, handleA + 0.16f, handleTop - 3.0f, handleTop, 0.0f, 0.3f));
}

void addDrawer(CabinetLayout& out, const FrontFrame& frame, float a0, float a1, bool withHandle)
{
    out.panels.push_back(frame.box(a0, a1, drawerBottom, frontTop, -doorDepth, 0.0f));
    if (!withHandle) {
        return;
    }
    const float middle = (a0 + a1) * 0.5f;
    const float half = std::min(2.0f, (a1 - a0) * 0.2f);
    const float y = (drawerBottom + frontTop) * 0.5f;
    out.handles.push_back(
        frame.box(middle - half, middle + half, y - 0.16f, y + 0.16f, 0.0f, 0.3f));
}

void addRecess(CabinetLayout& out, const FrontFrame& frame, float a0, float a1)
{
    const float height = -worktopThickness - plinthTop;
    out.recesses.push_back(
        {frame.at(a0, plinthTop, -doorDepth), frame.along * (a1 - a0), glm::vec3(0, height, 0)});
}

} // namespace

CabinetLayout cabinetLayout()
{
    CabinetLayout out;
    for (const Front& front : fronts()) {
        const FrontFrame frame{front.start, glm::cross(glm::vec3(0, 1, 0), front.outward),
                               front.outward};
        if (front.segments.front().fill == Fill::panel) {
            out.panels.push_back(
                frame.box(0.0f, front.length, floorY, -worktopThickness, -doorDepth, 0.0f));
            continue;
        }
        // Carcass and plinth run the whole front, reaching into inner corners and stopping
        // short of outer ones so neighbouring fronts meet.
        const float carcass0 = cornerShift(front.startCorner, doorDepth);
        const float carcass1 = front.length - cornerShift(front.endCorner, doorDepth);
        addRecess(out, frame, carcass0, carcass1);
        const float plinth0 = cornerShift(front.startCorner, plinthDepth);
        const float plinth1 = front.length - cornerShift(front.endCorner, plinthDepth);
        out.recesses.push_back({frame.at(plinth0, floorY, -plinthDepth),
                                frame.along * (plinth1 - plinth0),
                                glm::vec3(0, plinthTop - floorY, 0)});
        out.recesses.push_back({frame.at(plinth0, plinthTop, -plinthDepth),
                                frame.along * (plinth1 - plinth0),
                                frame.outward * (plinthDepth - doorDepth)});
        for (const Segment& segment : front.segments) {
            if (segment.fill == Fill::oven) {
                continue; // the stove's own front fills it
            }
            if (segment.fill == Fill::sink) {
                // A false drawer front and a pair of doors meeting in the middle.
                const float middle = (segment.from + segment.to) * 0.5f;
                addDrawer(out, frame, segment.from + gap, segment.to - gap, false);
                addDoor(out, frame, segment.from + gap, middle - gap, plinthTop + 0.15f,
                        drawerBottom - 0.15f, true, true);
                addDoor(out, frame, middle + gap, segment.to - gap, plinthTop + 0.15f,
                        drawerBottom - 0.15f, false, true);
                continue;
            }
            const float width = (segment.to - segment.from) / static_cast<float>(segment.count);
            for (int i = 0; i < segment.count; ++i) {
                const float a0 = segment.from + width * static_cast<float>(i) + gap;
                const float a1 = a0 + width - 2.0f * gap;
                addDrawer(out, frame, a0, a1, true);
                addDoor(out, frame, a0, a1, plinthTop + 0.15f, drawerBottom - 0.15f, i % 2 == 0,
                        true);
            }
        }
    }
    return out;
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
