#include "assetgen/cabinet_layout.h"

#include "assetgen/kitchen_parts.h"
#include "assetgen/texture_layout.h"

#include <glm/geometric.hpp>

#include <algorithm>

namespace kitchen {

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
    const Area sink = sinkGap();
    const float wallZ = roomMaxZ();

    const float frontZ = first.highCorner().z;
    const float startX = roomMinX();
    const float cornerX = corner.lowCorner().x;
    const float firstLength = cornerX - startX;
    const float sinkFrom = sink.x0 - startX;
    const float sinkTo = sink.x1 - startX;

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

std::vector<Area> floorUnderCabinets()
{
    const auto& runs = level::counterTops;
    const OrientedBox corner = box(runs[2]);
    const OrientedBox far = box(runs[3]);
    const OrientedBox block = box(level::tallWallBlock);
    // Kept clear of every face that shows, so the floor still runs a little under it.
    const float behindPlinth = plinthDepth + 0.2f;
    const float behindPanel = 0.5f;
    const float x0 = roomMinX(), z0 = roomMinZ(), z1 = roomMaxZ();
    const float cornerX = corner.lowCorner().x;
    const float blockX1 = block.highCorner().x - behindPanel;
    const float frontZ = box(runs[0]).highCorner().z;
    const float farX0 = far.lowCorner().x + behindPanel;
    const float farX1 = far.highCorner().x - behindPanel;
    const float farZ = far.lowCorner().z + behindPlinth;
    const float stoveX0 = layout::hob.x0 - behindPanel;
    const float stoveX1 = layout::hob.x1 + behindPanel;
    return {
        // The first run, the sink and the second run against the back wall, then the corner
        // run and the tall block beside it.
        {x0, blockX1, z0, frontZ - behindPlinth},
        {cornerX + behindPlinth, blockX1, z0, corner.highCorner().z - behindPlinth},
        {block.lowCorner().x, blockX1, z0, block.highCorner().z - behindPanel},
        {farX0, stoveX0, farZ, z1},
        {stoveX1, farX1, farZ, z1},
    };
}

} // namespace kitchen
