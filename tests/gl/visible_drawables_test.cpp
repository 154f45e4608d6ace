#include "physics/physics_actor.h"
#include "render/geometry.h"
#include "render/material.h"
#include "render/player_camera.h"
#include "render/shader.h"
#include "render/visible_drawables.h"

#include "support/gl_context.h"
#include "support/working_directory.h"

#include <btBulletCollisionCommon.h>
#include <glm/gtc/matrix_transform.hpp>

#include <memory>
#include <vector>

namespace {

GeometryData oneTriangle()
{
    GeometryData data;
    data.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    data.normals = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    data.uvs = {{0, 0}, {1, 0}, {0, 1}};
    data.indices = {0, 1, 2};
    return data;
}

Pose at(const glm::vec3& position)
{
    Pose pose;
    pose.position = position;
    return pose;
}

// Models of the drawables list, one of them following a dynamic body the way a knife does,
// seen by a camera whose culling volume is |x|, |y| <= -2z, -10 <= z <= -1.
class VisibleDrawables : public GlTest {
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        WorkingDirectory game(KORVEL_SOURCE_DIR);
        auto shader = std::make_shared<Shader>("texture.vert", "texture.frag");
        auto material = std::make_shared<Material>(shader, glm::vec3(0.1f, 0.7f, 0.2f), 4.0f);
        table = std::make_unique<Geometry>(glm::mat4(1.0f), oneTriangle(), material);
        table->setTransform(glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -5)));
        faraway = std::make_unique<Geometry>(glm::mat4(1.0f), oneTriangle(), material);
        faraway->setTransform(glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -50)));
        knife = std::make_unique<Geometry>(glm::mat4(1.0f), oneTriangle(), material);
        knife->followActor(knifeBody.get());
        camera.update({0, 0, 0}, {0, 0, -1});
    }
    void TearDown() override
    {
        table.reset();
        faraway.reset();
        knife.reset();
        GlTest::TearDown();
    }

    // One frame's list drawing; returns the models drawn.
    std::vector<Geometry*> drawFrame(bool culling)
    {
        std::vector<Geometry*> drawn;
        std::vector<Geometry*> drawables = {table.get(), faraway.get(), knife.get()};
        const int count = drawVisibleModels(drawables, camera, culling, [&](Geometry& model) {
            model.draw(glm::mat4(1.0f));
            drawn.push_back(&model);
        });
        EXPECT_EQ(count, static_cast<int>(drawn.size()));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        return drawn;
    }

    btBoxShape knifeShape{btVector3(0.5f, 0.05f, 0.1f)};
    std::unique_ptr<PhysicsActor> knifeBody =
        PhysicsActor::createDynamic(knifeShape, 1.0f, at({0, 0, -5}));
    std::unique_ptr<Geometry> table;
    std::unique_ptr<Geometry> faraway;
    std::unique_ptr<Geometry> knife;
    PlayerCamera camera{{0, 0, 0}, {0, 0, -1}, {0, 1, 0}, 1.5707964f, 1.0f, 1.0f, 10.0f};
};

} // namespace

TEST_F(VisibleDrawables, OnlyModelsInsideTheVolumeAreDrawnAndCounted)
{
    EXPECT_EQ(drawFrame(true), (std::vector<Geometry*>{table.get(), knife.get()}));
    EXPECT_EQ(drawFrame(false).size(), 3u);
}

TEST_F(VisibleDrawables, AFollowingModelIsTestedWhereItsBodyIsNow)
{
    drawFrame(true);
    // The knife flies out of view: it is culled at once, not drawn at its last place.
    knifeBody->setGlobalPose(at({0, 0, -50}));
    EXPECT_EQ(drawFrame(true), std::vector<Geometry*>{table.get()});
    EXPECT_EQ(glm::vec3(knife->getBoundingBox().placement[3]), glm::vec3(0, 0, -50));
    // It comes back into view somewhere else while culled: drawn again in the same frame.
    knifeBody->setGlobalPose(at({1, 1, -4}));
    EXPECT_EQ(drawFrame(true), (std::vector<Geometry*>{table.get(), knife.get()}));
}

TEST_F(VisibleDrawables, AListOfModelsByValueWorksAlike)
{
    std::vector<Geometry> drawables = {*table, *faraway};
    int drawn = drawVisibleModels(drawables, camera, true,
                                  [](Geometry& model) { model.draw(glm::mat4(1.0f)); });
    EXPECT_EQ(drawn, 1);
}
