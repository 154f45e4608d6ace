#include "render/geometry.h"
#include "render/mesh_bounds.h"

#include "support/dds_bytes.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"
#include "support/working_directory.h"

#include <glm/gtc/matrix_transform.hpp>

#include <filesystem>
#include <set>

namespace {

const char* const twoMeshes = R"(o first
v 0 0 0
v 1 0 0
v 0 1 0
vn 0 0 1
f 1//1 2//1 3//1
o second
v 2 0 -1
v 4 0 -1
v 4 3 -1
v 2 3 -1
vn 0 0 1
f 4//2 5//2 6//2 7//2
)";

// A stand-in physics actor that remembers the pose it was given.
struct FakeActor : RigidActor {
    Pose pose;
    bool woken = false;
    Pose getGlobalPose() const override { return pose; }
    void setGlobalPose(const Pose& newPose, bool wake) override
    {
        pose = newPose;
        woken = wake;
    }
};

GLint bufferSize(GLuint buffer)
{
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    GLint size = -1;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return size;
}

GeometryData oneTriangle()
{
    GeometryData data;
    data.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    data.normals = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    data.uvs = {{0, 0}, {1, 0}, {0, 1}};
    data.indices = {0, 1, 2};
    return data;
}

// Models draw with the game's lit programs and DDS textures, all read relative to the working
// directory: each test runs in a folder holding the shader files and its own textures.
class GeometryTest : public GlTest {
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        std::filesystem::create_directories(folder / "assets");
        std::filesystem::copy(std::filesystem::path(KORVEL_SOURCE_DIR) / "assets" / "shader",
                              folder / "assets" / "shader",
                              std::filesystem::copy_options::recursive);
        folder.write("assets/textures/white.dds",
                     DdsBytes{.blocks = DdsBytes::solidDxt1Block(0xFFFF)}.build());
        // About half grey: 16/31 red and blue, 32/63 green.
        folder.write("assets/textures/grey.dds",
                     DdsBytes{.blocks = DdsBytes::solidDxt1Block(0x8410)}.build());
        litShader = std::make_shared<Shader>("texture.vert", "texture.frag");
        white = std::make_shared<Texture>("white.dds");
        material =
            std::make_shared<TextureMaterial>(litShader, glm::vec3(0.2f, 0.9f, 0.5f), 10.0f, white);
    }
    void TearDown() override
    {
        material.reset();
        white.reset();
        litShader.reset();
        GlTest::TearDown();
    }

    // A camera looking down -z at the unit square, white light from the front.
    static void lightFromTheFront(Shader& shader, int toon)
    {
        shader.use();
        shader.setUniform("viewProjMatrix", glm::mat4(1.0f));
        shader.setUniform("camera_world", glm::vec3(0, 0, 5));
        shader.setUniform("brightness", 1.0f);
        shader.setUniform("toon", toon);
        shader.setUniform("dirL.color", glm::vec3(1));
        shader.setUniform("dirL.direction", glm::vec3(0, 0, -1));
        shader.setUniform("pointL.color", glm::vec3(0));
        shader.setUniform("pointL.position", glm::vec3(0));
        shader.setUniform("pointL.attenuation", glm::vec3(1, 0, 0));
    }

    // A square filling the view; its normals lean from left to right so diffuse light grades.
    static GeometryData gradedSquare()
    {
        GeometryData data;
        data.positions = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
        data.normals = {{-1, 0, 0.3f}, {1, 0, 0.3f}, {1, 0, 0.3f}, {-1, 0, 0.3f}};
        data.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        data.indices = {0, 1, 2, 0, 2, 3};
        return data;
    }

    static std::vector<unsigned char> middleRow()
    {
        std::vector<unsigned char> row(64 * 4);
        glReadPixels(0, 32, 64, 1, GL_RGBA, GL_UNSIGNED_BYTE, row.data());
        return row;
    }

    TempDir folder;
    WorkingDirectory inFolder{folder.path()};
    std::shared_ptr<Shader> litShader;
    std::shared_ptr<Texture> white;
    std::shared_ptr<Material> material;
};

} // namespace

TEST_F(GeometryTest, ATriangleFillsItsBuffersWithTheFixedLayout)
{
    const Geometry triangle(glm::mat4(1.0f), oneTriangle(), material);
    const MeshBuffers& mesh = triangle.getMesh();
    EXPECT_EQ(mesh.getIndexCount(), 3);
    EXPECT_EQ(bufferSize(mesh.getPositionBuffer()), 36);
    EXPECT_EQ(bufferSize(mesh.getNormalBuffer()), 36);
    EXPECT_EQ(bufferSize(mesh.getUvBuffer()), 24);
    EXPECT_EQ(bufferSize(mesh.getIndexBuffer()), 12);

    glBindVertexArray(mesh.getVertexArray());
    GLint elements = 0;
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &elements);
    EXPECT_EQ(static_cast<GLuint>(elements), mesh.getIndexBuffer());
    const GLuint buffers[] = {mesh.getPositionBuffer(), mesh.getNormalBuffer(), mesh.getUvBuffer()};
    const GLint components[] = {3, 3, 2};
    for (GLuint attribute = 0; attribute < 3; ++attribute) {
        GLint enabled = 0, size = 0, source = 0;
        glGetVertexAttribiv(attribute, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        glGetVertexAttribiv(attribute, GL_VERTEX_ATTRIB_ARRAY_SIZE, &size);
        glGetVertexAttribiv(attribute, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &source);
        EXPECT_EQ(enabled, GL_TRUE) << attribute;
        EXPECT_EQ(size, components[attribute]) << attribute;
        EXPECT_EQ(static_cast<GLuint>(source), buffers[attribute]) << attribute;
    }
    glBindVertexArray(0);
}

TEST_F(GeometryTest, AModelFileGivesOneChildPerMeshAndTheLastMeshsBox)
{
    folder.write("models/two.obj", twoMeshes);
    Geometry root(glm::mat4(1.0f), makePlaceholderData(), material);
    root.loadModel((folder / "models/two.obj").string());

    ASSERT_EQ(root.getChildren().size(), 2u);
    EXPECT_EQ(root.getChildren()[0]->getMesh().getIndexCount(), 3);
    EXPECT_EQ(root.getChildren()[1]->getMesh().getIndexCount(), 6);
    const BoundingBox box = root.getBoundingBox();
    EXPECT_EQ(box.min, glm::vec3(2, 0, -1));
    EXPECT_EQ(box.extents, glm::vec3(2, 3, 0));
    EXPECT_EQ(box.placement, glm::mat4(1.0f));
}

TEST_F(GeometryTest, AMissingModelFileAddsNothingAndPrintsNothing)
{
    Geometry root(glm::mat4(1.0f), makePlaceholderData(), material);
    testing::internal::CaptureStdout();
    root.loadModel((folder / "models/absent.obj").string());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(root.getChildren().empty());
    EXPECT_EQ(root.getBoundingBox().extents, glm::vec3(0));
}

TEST_F(GeometryTest, AMovedCopyLeavesItsTemplateInPlaceAndSharesTheChildren)
{
    folder.write("models/two.obj", twoMeshes);
    Geometry original(glm::mat4(1.0f), makePlaceholderData(), material);
    original.loadModel((folder / "models/two.obj").string());

    Geometry copy = original;
    const glm::mat4 moved = glm::translate(glm::mat4(1.0f), glm::vec3(10, 0, -4));
    copy.setTransform(moved);

    EXPECT_EQ(copy.getBoundingBox().placement, moved);
    EXPECT_EQ(original.getBoundingBox().placement, glm::mat4(1.0f));
    EXPECT_EQ(original.getTransformMatrix(), glm::mat4(1.0f));
    EXPECT_EQ(copy.getChildren(), original.getChildren());
    EXPECT_EQ(copy.getMesh().getVertexArray(), original.getMesh().getVertexArray());

    // The box follows transform × model; resetting the model matrix keeps the transform.
    const glm::mat4 scaled = glm::scale(glm::mat4(1.0f), glm::vec3(2));
    Geometry scaledNode(scaled, oneTriangle(), material);
    scaledNode.setTransform(moved);
    EXPECT_EQ(scaledNode.getBoundingBox().placement, moved * scaled);
    scaledNode.resetModelMatrix();
    EXPECT_EQ(scaledNode.getBoundingBox().placement, glm::mat4(1.0f));
    EXPECT_EQ(scaledNode.getTransformMatrix(), moved);
}

TEST_F(GeometryTest, TheGpuMeshGoesWithTheLastCopy)
{
    auto original = std::make_unique<Geometry>(glm::mat4(1.0f), oneTriangle(), material);
    const GLuint positions = original->getMesh().getPositionBuffer();
    const GLuint vertexArray = original->getMesh().getVertexArray();
    auto copy = std::make_unique<Geometry>(*original);

    original.reset();
    EXPECT_EQ(glIsBuffer(positions), GL_TRUE);
    EXPECT_EQ(glIsVertexArray(vertexArray), GL_TRUE);
    lightFromTheFront(*litShader, 0);
    copy->draw(glm::mat4(1.0f));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    copy.reset();
    EXPECT_EQ(glIsBuffer(positions), GL_FALSE);
    EXPECT_EQ(glIsVertexArray(vertexArray), GL_FALSE);
}

TEST_F(GeometryTest, AFollowingNodeTakesTheActorsPose)
{
    FakeActor actor;
    actor.pose.position = glm::vec3(3, 4, 5);
    actor.pose.rotation = glm::angleAxis(glm::radians(90.0f), glm::vec3(0, 1, 0));
    Geometry knife(glm::mat4(1.0f), oneTriangle(), material);
    knife.followActor(&actor);
    EXPECT_EQ(knife.getFollowedActor(), &actor);

    knife.syncWithActor();
    const glm::mat4 expected =
        glm::translate(glm::mat4(1.0f), glm::vec3(3, 4, 5)) *
        glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), glm::vec3(0, 1, 0));
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            EXPECT_NEAR(knife.getBoundingBox().placement[column][row], expected[column][row], 1e-6);
        }
    }

    // Drawing takes the pose again, without anybody calling setTransform.
    actor.pose.position = glm::vec3(-1, 0, 0);
    lightFromTheFront(*litShader, 0);
    knife.draw(glm::mat4(1.0f));
    EXPECT_NEAR(knife.getTransformMatrix()[3].x, -1.0f, 1e-6);
    EXPECT_NEAR(knife.getBoundingBox().placement[3].x, -1.0f, 1e-6);
}

TEST_F(GeometryTest, AttachingAnActorMovesItToTheTransform)
{
    Geometry counter(glm::mat4(1.0f), oneTriangle(), material);
    const glm::quat turn = glm::angleAxis(glm::radians(30.0f), glm::normalize(glm::vec3(1, 2, 0)));
    counter.setTransform(glm::translate(glm::mat4(1.0f), glm::vec3(7, -2, 1)) *
                         glm::mat4_cast(turn));
    FakeActor collider;
    counter.attachActor(collider);
    EXPECT_TRUE(collider.woken);
    EXPECT_NEAR(glm::distance(collider.pose.position, glm::vec3(7, -2, 1)), 0.0f, 1e-5);
    EXPECT_NEAR(std::abs(glm::dot(collider.pose.rotation, turn)), 1.0f, 1e-5);
}

TEST_F(GeometryTest, TheLightMapDarkensTheSurfaceItCovers)
{
    auto mapped = std::make_shared<Shader>("texture.vert", "texture_lm.frag");
    auto lightMap = std::make_shared<Texture>("grey.dds");
    auto flat = std::make_shared<TextureMaterial>(mapped, glm::vec3(1, 0, 0), 10.0f, white);
    Geometry root(glm::mat4(1.0f), makePlaceholderData(), flat, lightMap);
    folder.write("models/square.obj", "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvt 0 0\nvt 1 0\n"
                                      "vt 1 1\nvt 0 1\nvn 0 0 1\nf 1/1/1 2/2/1 3/3/1 4/4/1\n");
    root.loadModel((folder / "models/square.obj").string());
    ASSERT_EQ(root.getChildren().size(), 1u);

    lightFromTheFront(*mapped, 0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    root.draw(glm::mat4(1.0f));
    const std::vector<unsigned char> row = middleRow();
    // Ambient only, on white, times the light map's grey (16/31 = 0.516).
    EXPECT_NEAR(row[32 * 4 + 0], 132, 3);
    EXPECT_NEAR(row[32 * 4 + 1], 130, 3);
    GLint unit = -1;
    glGetUniformiv(mapped->getHandle(), mapped->getUniformLocation("lightMap"), &unit);
    EXPECT_EQ(unit, 2);
}

TEST_F(GeometryTest, ToonShadingBandsTheDiffuseLight)
{
    auto diffuseOnly =
        std::make_shared<TextureMaterial>(litShader, glm::vec3(0, 1, 0), 10.0f, white);
    Geometry square(glm::mat4(1.0f), gradedSquare(), diffuseOnly);
    auto shadesIn = [&](int toon) {
        lightFromTheFront(*litShader, toon);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        square.draw(glm::mat4(1.0f));
        std::set<int> shades;
        const std::vector<unsigned char> row = middleRow();
        for (std::size_t pixel = 0; pixel < 64; ++pixel) {
            shades.insert(row[pixel * 4]);
        }
        return shades.size();
    };
    EXPECT_GT(shadesIn(0), 15u); // a smooth ramp
    EXPECT_LE(shadesIn(1), 3u);  // a few hard bands
}
