#pragma once

#include <glm/vec3.hpp>

#include <memory>
#include <vector>

class btCollisionObject;
class btCollisionWorld;

// What one sweep of the capsule touched. The touched object's user pointer is the game's tag.
struct ShapeHit {
    const btCollisionObject* actor = nullptr;
    int shapeIndex = -1;           // child shape of a compound, -1 for a simple shape
    glm::dvec3 worldPosition{0.0}; // contact point
    glm::vec3 worldNormal{0.0f};   // towards the capsule
    glm::vec3 direction{0.0f};     // unit direction of the sweep
    float length = 0.0f;           // length the sweep iteration asked for
};
struct ControllerHit {};
struct ObstacleHit {};

// Receives the contacts of a move, synchronously, while the move runs.
class ControllerHitReport {
  public:
    virtual ~ControllerHitReport() = default;
    virtual void onShapeHit(const ShapeHit& hit) = 0;
    virtual void onControllerHit(const ControllerHit& hit) = 0;
    virtual void onObstacleHit(const ObstacleHit& hit) = 0;
};

enum class ClimbingMode { easy, constrained };
enum class NonWalkableMode { preventClimbing, preventClimbingAndForceSliding };

// The defaults are the player's capsule, the one the kitchen was laid out for.
struct CapsuleControllerSettings {
    glm::dvec3 position{0.0}; // capsule centre
    glm::vec3 upDirection{0.0f, 1.0f, 0.0f};
    float slopeLimit = 0.70710677f; // cosine of the steepest walkable slope, cos(pi / 4)
    float contactOffset = 0.05f;    // the skin
    float stepOffset = 0.26f;
    float radius = 0.3f;
    float height = 1.4f; // cylinder part
    ClimbingMode climbingMode = ClimbingMode::easy;
    NonWalkableMode nonWalkableMode = NonWalkableMode::preventClimbing;
    ControllerHitReport* reportCallback = nullptr;
    // A kinematic capsule, 0.8 of the controller's size, that dynamic bodies bounce off.
    bool kinematicProxy = true;
    float proxyScale = 0.8f;
};

// A kinematic capsule moved by sweeps through a Bullet collision world: it slides along walls,
// climbs steps, refuses steep slopes and reports every shape it touches.
class CapsuleController {
  public:
    CapsuleController(btCollisionWorld* world, const CapsuleControllerSettings& settings);
    ~CapsuleController();
    CapsuleController(const CapsuleController&) = delete;
    CapsuleController& operator=(const CapsuleController&) = delete;

    // Moves by the displacement, reporting what it touches. The elapsed time does not change
    // the motion.
    void move(const glm::vec3& displacement, float minDistance, float elapsedTime);

    // Teleports the centre: no collision check, no reports.
    void setPosition(const glm::dvec3& centre);
    glm::dvec3 getPosition() const;
    // Centre minus (height / 2 + radius + skin) along up.
    glm::dvec3 getFootPosition() const;

  private:
    struct State;
    State* state;
};

// Owns the one controller of a world, the player's. The game keeps no pointer to it and asks
// the manager wherever it needs the player's capsule.
class ControllerManager {
  public:
    explicit ControllerManager(btCollisionWorld* world) : world(world) {}
    ControllerManager(const ControllerManager&) = delete;
    ControllerManager& operator=(const ControllerManager&) = delete;

    // Makes the controller in the manager's world, in place of any made before.
    CapsuleController* createController(const CapsuleControllerSettings& settings);
    // Null until createController.
    CapsuleController* getController() const { return controller.get(); }

  private:
    btCollisionWorld* world;
    std::unique_ptr<CapsuleController> controller;
};
