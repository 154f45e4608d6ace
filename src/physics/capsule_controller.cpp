#include "physics/capsule_controller.h"

#include "physics/capsule_sweep.h"
#include "physics/controller_proxy.h"
#include "physics/touched_face.h"

#include <glm/geometric.hpp>

#include <cmath>
#include <memory>
#include <optional>

namespace {

constexpr int slideIterations = 10;
constexpr int recoveryRounds = 4;

enum class Pass { up, side, down, walkDown };

bool isAlmostZero(const glm::dvec3& v)
{
    return std::abs(v.x) < 1e-6 && std::abs(v.y) < 1e-6 && std::abs(v.z) < 1e-6;
}

} // namespace

struct CapsuleController::State {
    btCollisionWorld* world;
    CapsuleControllerSettings settings;
    glm::dvec3 up;
    glm::dvec3 centre;
    CapsuleSweep sweep;
    std::unique_ptr<ControllerProxy> proxy;

    // Whether this attempt's down pass watches for steep faces, and whether it found one.
    bool watchSteepFaces = false;
    bool climbedSteepFace = false;
    bool steepUnderfoot = false; // walking: the down pass landed on a steep face
    double originalBottom = 0.0;

    State(btCollisionWorld* world, const CapsuleControllerSettings& settings)
        : world(world), settings(settings), up(glm::normalize(glm::dvec3(settings.upDirection))),
          centre(settings.position),
          sweep(world, settings.radius, settings.height, settings.contactOffset, up)
    {
    }

    void attempt(const glm::dvec3& displacement, double minDistance, bool walk);
    bool sweepPass(const glm::dvec3& vector, double minDistance, int maxIterations, Pass pass,
                   bool walk);
    bool recoverFromOverlap();
    bool isSteepClimb(const SweepContact& contact, const glm::dvec3& direction) const;
    void report(const SweepContact& contact, const glm::dvec3& direction, double length) const;
};

CapsuleController::CapsuleController(btCollisionWorld* world,
                                     const CapsuleControllerSettings& settings)
    : state(new State(world, settings))
{
    if (settings.kinematicProxy) {
        state->proxy =
            std::make_unique<ControllerProxy>(world, settings.radius * settings.proxyScale,
                                              settings.height * settings.proxyScale, state->up);
        state->sweep.ignore(state->proxy->object());
        state->proxy->moveTo(state->centre, true);
    }
}

CapsuleController::~CapsuleController()
{
    delete state;
}

void CapsuleController::setPosition(const glm::dvec3& centre)
{
    state->centre = centre;
    if (state->proxy) {
        state->proxy->moveTo(centre, true);
    }
}

glm::dvec3 CapsuleController::getPosition() const
{
    return state->centre;
}

glm::dvec3 CapsuleController::getFootPosition() const
{
    const CapsuleControllerSettings& s = state->settings;
    const double below = double(s.height) * 0.5 + double(s.radius) + double(s.contactOffset);
    return state->centre - state->up * below;
}

void CapsuleController::move(const glm::vec3& displacement, float minDistance,
                             float /*elapsedTime*/)
{
    State& s = *state;
    const glm::dvec3 start = s.centre;
    const glm::dvec3 motion(displacement);
    s.attempt(motion, minDistance, false);
    if (s.climbedSteepFace) {
        // The move would have taken the capsule up a face too steep to walk: take it back and
        // walk instead, treating such faces as walls.
        s.centre = start;
        s.attempt(motion, minDistance, true);
    }
    if (s.proxy) {
        s.proxy->moveTo(s.centre, false);
    }
}

void CapsuleController::State::attempt(const glm::dvec3& displacement, double minDistance,
                                       bool walk)
{
    const double along = glm::dot(displacement, up);
    glm::dvec3 upward = up * along;
    const glm::dvec3 side = displacement - upward;
    glm::dvec3 downward{0.0};
    if (along < 0.0) {
        downward = upward;
        upward = glm::dvec3(0.0);
    }
    const bool movingUp = along > 0.0;
    climbedSteepFace = false;
    steepUnderfoot = false;
    watchSteepFaces = !movingUp && settings.nonWalkableMode == NonWalkableMode::preventClimbing;
    const bool sideways = !isAlmostZero(side);
    const double originalHeight = glm::dot(centre, up);
    originalBottom = originalHeight - (double(settings.height) * 0.5 + double(settings.radius));

    // Stepping up only makes sense when moving sideways, and never while jumping.
    double step = (sideways && !movingUp && !walk) ? double(settings.stepOffset) : 0.0;

    if (!walk) {
        if (sweepPass(upward + up * step, minDistance, sideways ? 1 : slideIterations, Pass::up,
                      false)) {
            // What the step actually gained is what the down pass must take back.
            const double gained = glm::dot(centre, up) - originalHeight;
            step = std::max(0.0, std::min(step, gained));
        }
    }
    sweepPass(side, minDistance, slideIterations, Pass::side, walk);
    if (!walk) {
        sweepPass(downward - up * step, minDistance, 1, Pass::down, false);
    } else {
        sweepPass(downward, minDistance, 1, Pass::down, true);
        if (steepUnderfoot) {
            // Still on a steep face: settle onto it straight down, its normals flattened, so
            // the capsule neither climbs nor slides down it.
            const double gained = std::max(0.0, glm::dot(centre, up) - originalHeight);
            const double fall = std::max(0.0, -along);
            sweepPass(-up * (gained + fall), minDistance, slideIterations, Pass::walkDown, true);
        }
    }
}

bool CapsuleController::State::recoverFromOverlap()
{
    if (!sweep.penetrates(centre)) {
        return false;
    }
    centre = sweep.pushOut(centre, recoveryRounds);
    return true;
}

bool CapsuleController::State::sweepPass(const glm::dvec3& vector, double minDistance,
                                         int maxIterations, Pass pass, bool walk)
{
    bool collided = recoverFromOverlap();
    const double skin = settings.contactOffset;
    glm::dvec3 target = centre + vector;
    for (int iteration = 0; iteration < maxIterations; ++iteration) {
        const glm::dvec3 remaining = target - centre;
        const double length = glm::length(remaining);
        if (length <= minDistance) {
            break;
        }
        const glm::dvec3 direction = remaining / length;
        // Sliding back against the requested motion only jitters in corners: stop instead.
        if (glm::dot(direction, vector) <= 0.0) {
            break;
        }
        const std::optional<SweepContact> contact = sweep.sweep(centre, direction, length + skin);
        if (!contact) {
            centre = target;
            break;
        }
        collided = true;
        report(*contact, direction, length);
        if (pass == Pass::down && watchSteepFaces && isSteepClimb(*contact, direction)) {
            if (!walk) {
                climbedSteepFace = true;
                return collided;
            }
            steepUnderfoot = true;
        }
        if (contact->distance > skin) {
            centre += direction * (contact->distance - skin);
        }
        glm::dvec3 normal = contact->normal;
        if (walk && (pass == Pass::side || pass == Pass::walkDown)) {
            normal -= up * glm::dot(normal, up);
            const double horizontal = glm::length(normal);
            normal = horizontal > 1e-9 ? normal / horizontal : glm::dvec3(0.0);
        }
        const double amplitude = glm::length(target - centre);
        target = centre + (direction - normal * glm::dot(direction, normal)) * amplitude;
    }
    return collided;
}

bool CapsuleController::State::isSteepClimb(const SweepContact& contact,
                                            const glm::dvec3& direction) const
{
    if (!contact.object->isStaticObject()) {
        return false;
    }
    const std::optional<TouchedFace> face = findTouchedFace(contact, direction, up);
    if (!face) {
        return false;
    }
    const double alongUp = glm::dot(face->normal, up);
    const bool tooSteep = alongUp >= 0.0 && alongUp < double(settings.slopeLimit);
    return tooSteep && face->highest - originalBottom > double(settings.stepOffset);
}

void CapsuleController::State::report(const SweepContact& contact, const glm::dvec3& direction,
                                      double length) const
{
    if (!settings.reportCallback) {
        return;
    }
    ShapeHit hit;
    hit.actor = contact.object;
    hit.shapeIndex = contact.shapeIndex;
    hit.worldPosition = contact.point;
    hit.worldNormal = glm::vec3(contact.normal);
    hit.direction = glm::vec3(direction);
    hit.length = float(length);
    settings.reportCallback->onShapeHit(hit);
}
