#pragma once

#include "physics/capsule_controller.h"

#include <glm/vec3.hpp>

#include <array>
#include <cstddef>

// Where everything of the kitchen stands. The colliders, the models that draw them and the
// asset generator that builds those models all read these numbers, so a model can never
// drift away from the collider it shows.
namespace level {

// A placed model: translate(position) * rotateY(angle). Bound colliders take this pose.
struct Placement {
    glm::vec3 position;
    float angleY; // radians
};

inline constexpr glm::vec3 playerStart{0.0f, 20.0f, 0.0f}; // capsule centre

inline constexpr Placement table1{{66.8903f, 0.0f, 28.63888f}, 0.0f};
inline constexpr Placement table2{{340.0f, 0.0f, 23.0f}, 1.5707964f};
inline constexpr glm::vec3 tableHalfExtents{20.0f, 10.5f, 10.0f};
inline constexpr glm::vec3 tableShapeOffset{0.0f, -10.5f, 0.0f};

inline constexpr Placement bookPile1{{61.723f, 3.8255f, 0.3794f}, 0.0f};
inline constexpr Placement bookPile2{{320.55f, -4.68f, 26.55f}, 0.47123888f};
inline constexpr glm::vec3 bookPileHalfExtents{2.745f, 3.875f, 6.4f};
inline constexpr glm::vec3 topBookHalfExtents{2.46f, 0.65f, 3.585f};
inline constexpr glm::vec3 topBookOffset{0.1382f, 4.7412f, 0.0f};
inline constexpr float topBookAngleY = 0.1494002f; // R_Y(a) * R_X(b)
inline constexpr float topBookAngleX = 0.1108284f;

inline constexpr std::array<Placement, 5> chairs{{
    {{100.91949f, 0.0f, 17.1369f}, -3.8397243f},
    {{259.13303f, 0.0f, 28.134068f}, -1.37881f},
    {{280.85742f, 0.0f, 26.145287f}, -3.1066861f},
    {{299.86133f, 0.0f, 26.145287f}, -4.3982296f},
    {{316.87646f, 0.0f, 25.482359f}, -1.5760324f},
}};
inline constexpr glm::vec3 chairActorStart{0.0f, -9.352f, 0.0f};

// A box shape of a compound, posed relative to its actor. Rotation: R_X(angleX) * R_Z(angleZ).
struct ChairShape {
    glm::vec3 halfExtents;
    glm::vec3 offset;
    float angleX;
    float angleZ;
};
inline constexpr std::array<ChairShape, 4> chairShapes{{
    {{6.75f, 0.46f, 5.25f}, {0.0f, -9.0f, -0.1466f}, 0.0f, 0.0f},                      // seat
    {{0.55f, 4.91f, 0.55f}, {-5.46902f, -4.502f, 3.9548f}, 0.1104793f, 0.1268854f},    // leg
    {{0.55f, 4.91f, 0.55f}, {-5.46902f, -4.502f, -4.31622f}, -0.1104793f, 0.1268854f}, // leg
    {{0.37f, 2.545f, 7.5f}, {-5.61f, 0.42f, -0.2f}, 0.0f, 0.129154f},                  // back
}};

// The counter tops: one static actor at the origin. The first four are the runs (tops at
// y = 0, down to the floor); the last four are the pit's rim, 0.2 above the counter.
struct BoxShape {
    glm::vec3 halfExtents;
    glm::vec3 offset;
};
inline constexpr std::array<BoxShape, 8> counterTops{{
    {{56.6f, 10.5f, 6.0f}, {50.587f, -10.5f, 0.0f}},      // first run
    {{18.65f, 10.5f, 6.0f}, {136.409f, -10.5f, 0.0f}},    // second run
    {{6.0f, 10.5f, 11.95f}, {149.06f, -10.5f, 17.94f}},   // corner run
    {{66.0f, 10.5f, 6.0f}, {209.06f, -10.5f, 49.18f}},    // far run
    {{5.3f, 10.6f, 0.432f}, {112.461f, -10.4f, -5.552f}}, // rim, near side
    {{5.3f, 10.6f, 0.432f}, {112.461f, -10.4f, 5.552f}},  // rim, far side
    {{0.432f, 10.6f, 6.0f}, {107.576f, -10.4f, 0.0f}},    // rim, start end
    {{0.432f, 10.6f, 6.0f}, {117.346f, -10.4f, 0.0f}},    // rim, goal end
}};
inline constexpr int counterRunCount = 4;

inline constexpr BoxShape pitFloor{{5.3f, 9.5f, 5.5f}, {112.461f, -11.5f, 0.0f}};
inline constexpr BoxShape tallWallBlock{{2.5f, 31.45f, 17.95f}, {157.56f, 10.47f, 11.94f}};

// The broom's two blocks: actors at these positions, box rotated by R_Y(broomAngleY).
inline constexpr BoxShape broomHandle{{13.25f, 0.55f, 0.7f}, {54.31f, 0.66f, 13.44f}};
inline constexpr BoxShape broomHead{{0.9f, 0.7f, 4.0f}, {58.42f, 0.7f, 26.305f}};
inline constexpr float broomHalfAngle = 0.94248f; // quaternion (0, sin h, 0, cos h)

// Planes n.x + d = 0; the solid side is opposite the normal.
struct Plane {
    glm::vec3 normal;
    float d;
};
inline constexpr Plane killFloor{{0.0f, 1.0f, 0.0f}, 21.0f};
inline constexpr std::array<Plane, 4> boundaries{{
    {{0.0f, 0.0f, 1.0f}, 6.0f},
    {{0.0f, 0.0f, -1.0f}, 55.17f},
    {{1.0f, 0.0f, 0.0f}, 6.0f},
    {{-1.0f, 0.0f, 0.0f}, 350.81f},
}};

inline constexpr glm::vec3 pizzaStart{340.0f, 1.0f, 23.0f};
inline constexpr glm::vec3 pizzaHalfExtents{5.0f, 0.25f, 5.0f};

inline constexpr glm::vec3 knifeHalfExtents{0.1f, 3.0f, 1.0f};
inline constexpr std::size_t knifeCount = 6;
inline constexpr std::array<glm::vec3, knifeCount> knifeSpawns{{
    {30.0f, 15.0f, 2.0f},
    {45.0f, 15.0f, 1.0f},
    {60.0f, 15.0f, -2.0f},
    {75.0f, 15.0f, -4.0f},
    {75.0f, 15.0f, -4.0f},
    {75.0f, 15.0f, -4.0f},
}};
inline constexpr std::array<glm::vec3, knifeCount> knifeResets{{
    {30.0f, 10.0f, 2.0f},
    {45.0f, 10.0f, -1.0f},
    {60.0f, 10.0f, 3.0f},
    {75.0f, 10.0f, -2.0f},
    {90.0f, 10.0f, 3.0f},
    {105.0f, 10.0f, -1.0f},
}};

inline constexpr glm::vec3 hazardHalfExtents{2.0f, 4.5f, 2.0f};
inline constexpr std::array<glm::vec3, 5> hazardSpots{{
    {188.0f, 0.0f, 46.0f},
    {188.0f, 0.0f, 52.0f},
    {195.0f, 0.0f, 49.0f},
    {201.0f, 0.0f, 46.0f},
    {201.0f, 0.0f, 52.0f},
}};

// A box of world space from its low to its high corner, edges included.
struct Region {
    glm::vec3 low;
    glm::vec3 high;
};

// Where the course changes character, in the order a run meets them: an attempt's splits are
// taken as the player's foot first stands in each, and its last split is the pizza itself. Each
// spans its whole stretch, from a little below the counter tops to far above any jump, so no
// way along the course slips past one between two passes.
inline constexpr std::array<Region, 5> checkpoints{{
    {{64.5f, -5.0f, -7.0f}, {107.2f, 40.0f, 40.0f}},  // past book pile 1: first run and table 1
    {{117.8f, -5.0f, -7.0f}, {143.0f, 40.0f, 7.0f}},  // over the pit: the second run
    {{143.0f, -5.0f, 12.0f}, {155.1f, 40.0f, 30.0f}}, // round the corner: the corner run
    {{143.0f, -5.0f, 43.2f}, {275.1f, 40.0f, 55.2f}}, // onto the far run
    {{326.0f, -5.0f, 3.0f}, {351.0f, 40.0f, 43.0f}},  // off the chairs: above table 2
}};

inline constexpr glm::vec3 waterCentre{112.0f, -1.5f, 0.0f};
inline constexpr float waterSize = 10.3f;

// The player's capsule, the controller's default one: radius and cylinder height; the skin keeps
// it this far from what it touches.
inline constexpr float playerRadius = CapsuleControllerSettings{}.radius;
inline constexpr float playerHeight = CapsuleControllerSettings{}.height;
inline constexpr float playerSkin = CapsuleControllerSettings{}.contactOffset;

} // namespace level
