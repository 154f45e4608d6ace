#include "game/snapshot_lines.h"

#include "physics/state_hash.h"

#include <algorithm>
#include <array>

namespace {

using Kind = SnapshotValue::Kind;

SnapshotValue real(float& value)
{
    return {Kind::real32, &value};
}

template <std::size_t N>
void visitLine(const SnapshotLineVisitor& visit, std::string_view name,
               std::array<SnapshotValue, N> values)
{
    visit(name, values);
}

std::array<SnapshotValue, 3> vector(glm::vec3& v)
{
    return {real(v.x), real(v.y), real(v.z)};
}

template <std::size_t... Sizes> auto joined(const std::array<SnapshotValue, Sizes>&... parts)
{
    std::array<SnapshotValue, (Sizes + ...)> all{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), all.begin() + static_cast<std::ptrdiff_t>(at)),
      at += parts.size()),
     ...);
    return all;
}

void visitBody(const SnapshotLineVisitor& visit, BodyState& body)
{
    std::array<SnapshotValue, 2> head{
        {{Kind::int32, &body.activationState}, real(body.deactivationTime)}};
    std::array<SnapshotValue, 24> poses{};
    for (std::size_t i = 0; i < 12; ++i) {
        poses[i] = real(body.transform[i]);
        poses[12 + i] = real(body.interpolationTransform[i]);
    }
    visitLine(visit, "body",
              joined(head, poses, vector(body.linearVelocity), vector(body.angularVelocity),
                     vector(body.interpolationLinearVelocity),
                     vector(body.interpolationAngularVelocity), vector(body.totalForce),
                     vector(body.totalTorque)));
}

void visitSwitches(const SnapshotLineVisitor& visit, InputState& s)
{
    std::array<SnapshotValue, 17> values{{{Kind::flag, &s.debugText},
                                          {Kind::flag, &s.wireframe},
                                          {Kind::flag, &s.outlines},
                                          {Kind::flag, &s.toon},
                                          {Kind::flag, &s.backfaceCulling},
                                          {Kind::flag, &s.frustumCulling},
                                          {Kind::flag, &s.followCamera},
                                          {Kind::flag, &s.ghost},
                                          {Kind::flag, &s.restartRequested},
                                          {Kind::flag, &s.sound},
                                          {Kind::flag, &s.leftMouseDown},
                                          {Kind::flag, &s.rightMouseDown},
                                          real(s.orbitZoom),
                                          {Kind::byte, &s.directionHolders[0]},
                                          {Kind::byte, &s.directionHolders[1]},
                                          {Kind::byte, &s.directionHolders[2]},
                                          {Kind::byte, &s.directionHolders[3]}}};
    visit("switches", values);
}

} // namespace

void forEachSnapshotLine(AttemptSnapshot& snapshot, const SnapshotLineVisitor& visit)
{
    FrameTimer::State& timer = snapshot.timer;
    visitLine(visit, "timer",
              std::array{real(timer.last), real(timer.delta), real(timer.accumulator)});
    PhysicsSnapshot& physics = snapshot.physics;
    visitLine(visit, "obstacles",
              joined(std::array{real(physics.knifeTimer), real(physics.hazardTimer),
                                SnapshotValue{Kind::count, &physics.hazardHops}},
                     vector(physics.hazardSpot)));
    glm::dvec3& centre = physics.controllerCentre;
    visitLine(visit, "capsule",
              std::array{SnapshotValue{Kind::real64, &centre.x},
                         SnapshotValue{Kind::real64, &centre.y},
                         SnapshotValue{Kind::real64, &centre.z}});
    MotionSnapshot& motion = snapshot.motion;
    visitLine(
        visit, "motion",
        joined(vector(motion.speed),
               std::array{real(motion.timeSinceJump), SnapshotValue{Kind::int32, &motion.jumpsLeft},
                          SnapshotValue{Kind::flag, &motion.leftHeld},
                          SnapshotValue{Kind::flag, &motion.rightHeld}},
               vector(motion.displacement),
               std::array{SnapshotValue{Kind::flag, &motion.alive},
                          SnapshotValue{Kind::flag, &motion.pizzaReached}, real(motion.airTime)}));
    visitSwitches(visit, snapshot.switches);
    visitLine(visit, "camera",
              joined(vector(snapshot.cameraPosition), vector(snapshot.cameraTarget)));
    OrbitCamera::State& orbit = snapshot.orbit;
    visitLine(visit, "orbit",
              joined(std::array{SnapshotValue{Kind::int32, &orbit.lastCursorX},
                                SnapshotValue{Kind::int32, &orbit.lastCursorY}, real(orbit.yaw),
                                real(orbit.pitch)},
                     vector(orbit.position), vector(orbit.pan)));
    std::uint64_t bodies = physics.bodies.size();
    visitLine(visit, "bodies", std::array{SnapshotValue{Kind::count, &bodies}});
    physics.bodies.resize(std::min<std::uint64_t>(bodies, maxSnapshotBodies));
    for (BodyState& body : physics.bodies) {
        visitBody(visit, body);
    }
}

void hashSnapshot(StateHash& hash, AttemptSnapshot& snapshot)
{
    forEachSnapshotLine(snapshot, [&](std::string_view name, std::span<SnapshotValue> values) {
        hash.add(name);
        for (const SnapshotValue& value : values) {
            switch (value.kind) {
            case Kind::real32:
                hash.add(*static_cast<float*>(value.at));
                break;
            case Kind::real64:
                hash.add(*static_cast<double*>(value.at));
                break;
            case Kind::int32:
                hash.add(*static_cast<std::int32_t*>(value.at));
                break;
            case Kind::byte:
                hash.add(*static_cast<std::uint8_t*>(value.at));
                break;
            case Kind::flag:
                hash.add(*static_cast<bool*>(value.at));
                break;
            case Kind::count:
                hash.add(*static_cast<std::uint64_t*>(value.at));
                break;
            }
        }
    });
}
