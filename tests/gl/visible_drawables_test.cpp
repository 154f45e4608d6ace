#include "physics/physics_actor.h"
#include "render/geometry.h"
#include "render/material.h"
#include "render/mesh_bounds.h"
#include "render/visible_drawables.h"

#include "build_tree_gl_test.h"

#include <btBulletCollisionCommon.h>
#include <glm/gtc/matrix_transform.hpp>

namespace {

Pose at(const glm::vec3& position)
{
    Pose pose;
    pose.position = position;
    return pose;
}

} // namespace

using VisibleDrawables = BuildTreeGlTest;

// A camera at the origin looking down -z, whose culling volume is |x|, |y| <= -2z and
// -10 <= z <= -1, and the models of the drawables list: a table in view, a model far away and
// a knife that follows a dynamic body.
TEST_F(VisibleDrawables, OnlyModelsInViewAreDrawnAndAFollowerIsTestedWhereItsBodyIsNow)
{
    const GeometryData point = makePlaceholderData(); // its box is the point itself
    auto material = std::make_shared<Material>(
        std::make_shared<Shader>("texture.vert", "texture.frag"), glm::vec3(0.5f), 4.0f);
    Geometry table(glm::mat4(1.0f), point, material);
    table.setTransform(glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -5)));
    Geometry faraway(glm::mat4(1.0f), point, material);
    faraway.setTransform(glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -50)));
    Geometry knife(glm::mat4(1.0f), point, material);
    btBoxShape knifeShape(btVector3(0.5f, 0.05f, 0.1f));
    const auto knifeBody = PhysicsActor::createDynamic(knifeShape, 1.0f, at({0, 0, -5}));
    knife.followActor(knifeBody.get());
    PlayerCamera camera{{0, 0, 0}, {0, 0, -1}, {0, 1, 0}, 1.5707964f, 1.0f, 1.0f, 10.0f};
    camera.update({0, 0, 0}, {0, 0, -1});

    auto drawFrame = [&](bool culling) {
        std::vector<Geometry*> drawn;
        std::vector<Geometry*> drawables = {&table, &faraway, &knife};
        drawVisibleModels(drawables, camera, culling, [&](Geometry& model) {
            model.draw(glm::mat4(1.0f));
            drawn.push_back(&model);
        });
        return drawn;
    };
    EXPECT_EQ(drawFrame(true), (std::vector<Geometry*>{&table, &knife}));
    EXPECT_EQ(drawFrame(false).size(), 3u);
    // The knife flies out of view: culled at once, not drawn at its last place; then it comes
    // back into view elsewhere while culled and is drawn again in the same frame.
    knifeBody->setGlobalPose(at({0, 0, -50}));
    EXPECT_EQ(drawFrame(true), std::vector<Geometry*>{&table});
    knifeBody->setGlobalPose(at({1, 1, -4}));
    EXPECT_EQ(drawFrame(true), (std::vector<Geometry*>{&table, &knife}));
}
