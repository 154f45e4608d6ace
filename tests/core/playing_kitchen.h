#pragma once

#include "game/key_input.h"
#include "input_events.h"
#include "physics/player.h"

#include "kitchen_world.h"

#include <glm/vec3.hpp>

// The kitchen with the player's motion reset to its start values, played one 60 Hz frame at
// a time in the game's order: obstacles, their timers, the physics step, the player's move.
class PlayingKitchen : public KitchenWorld {
  protected:
    static constexpr float frameTime = 1.0f / 60.0f;

    void SetUp() override
    {
        playerMotion = PlayerMotion{};
        KitchenWorld::SetUp();
    }

    glm::dvec3 playFrame()
    {
        if (withObstacles) {
            updateObstacles();
            advanceObstacleTimers(frameTime);
        }
        stepPhysics();
        foot = movePlayer(frameTime);
        return foot;
    }

    void playFrames(int frames)
    {
        for (int frame = 0; frame < frames; ++frame) {
            playFrame();
        }
    }

    // Drops the player with its centre at this point and lets it settle.
    void placePlayer(const glm::dvec3& centre, int settleFrames = 30)
    {
        physicsWorld.gControllerManager->getController()->setPosition(centre);
        playFrames(settleFrames);
    }

    // For tests that do not want the knives in play.
    void takeKnivesAway()
    {
        for (PhysicsActor* knife : knives) {
            knife->removeFromWorld();
        }
    }

    static void press(Key key) { hearKey(key, KeyAction::press); }
    static void release(Key key) { hearKey(key, KeyAction::release); }

    bool withObstacles = true;
    glm::dvec3 foot{0.0};
};
