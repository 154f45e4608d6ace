#include "render/texture.h"

#include "support/dds_bytes.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"
#include "support/working_directory.h"

#include <optional>

namespace {

// Textures are read from "assets/textures/" below the working directory: each test writes its
// files into a fresh folder and runs there.
class TextureTest : public GlTest {
  protected:
    void put(const std::string& name, const DdsBytes& file)
    {
        folder.write("assets/textures/" + name, file.build());
    }
    void put(const std::string& name, const std::string& bytes)
    {
        folder.write("assets/textures/" + name, bytes);
    }

    GLint levelValue(const Texture& texture, GLint level, GLenum name) const
    {
        glBindTexture(GL_TEXTURE_2D, texture.getHandle());
        GLint value = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
        return value;
    }

    GLint parameter(const Texture& texture, GLenum name) const
    {
        glBindTexture(GL_TEXTURE_2D, texture.getHandle());
        GLint value = -1;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
        return value;
    }

    TempDir folder;
    WorkingDirectory inFolder{folder.path()};
};

} // namespace

TEST_F(TextureTest, TheTopLevelIsUploadedInWholeBlocks)
{
    put("one.dds", DdsBytes{.width = 1, .height = 1, .linearSize = 8, .fourCc = "DXT1"});
    put("odd.dds",
        DdsBytes{.width = 5, .height = 3, .linearSize = 32, .fourCc = "DXT5", .dataSize = 32});
    put("three.dds",
        DdsBytes{.width = 4, .height = 4, .linearSize = 16, .fourCc = "DXT3", .dataSize = 16});
    const Texture one("one.dds");
    const Texture odd("odd.dds");
    const Texture three("three.dds");
    ASSERT_TRUE(one.isLoaded());
    ASSERT_TRUE(odd.isLoaded());
    ASSERT_TRUE(three.isLoaded());

    EXPECT_EQ(levelValue(one, 0, GL_TEXTURE_COMPRESSED_IMAGE_SIZE), 8);
    EXPECT_EQ(levelValue(one, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_COMPRESSED_RGBA_S3TC_DXT1_EXT);
    EXPECT_EQ(levelValue(odd, 0, GL_TEXTURE_COMPRESSED_IMAGE_SIZE), 32);
    EXPECT_EQ(levelValue(odd, 0, GL_TEXTURE_WIDTH), 5);
    EXPECT_EQ(levelValue(odd, 0, GL_TEXTURE_HEIGHT), 3);
    EXPECT_EQ(levelValue(odd, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_COMPRESSED_RGBA_S3TC_DXT5_EXT);
    EXPECT_EQ(levelValue(three, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_COMPRESSED_RGBA_S3TC_DXT3_EXT);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTest, GlBuildsTheMipChainAndTheSamplerRepeats)
{
    // 8x8 with its three smaller levels stored behind it; GL makes its own.
    put("stored.dds", DdsBytes{.width = 8, .height = 8, .linearSize = 56, .dataSize = 56});
    const Texture texture("stored.dds");
    ASSERT_TRUE(texture.isLoaded());
    EXPECT_EQ(levelValue(texture, 3, GL_TEXTURE_WIDTH), 1);
    EXPECT_EQ(levelValue(texture, 3, GL_TEXTURE_HEIGHT), 1);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_R), GL_REPEAT);
}

TEST_F(TextureTest, BindChoosesTheTextureUnit)
{
    put("one.dds", DdsBytes{.width = 1, .height = 1});
    const Texture texture("one.dds");
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    texture.bind(2);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), texture.getHandle());
    glActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
}

TEST_F(TextureTest, UnusableFilesLeaveNoTextureAndPrintNothing)
{
    put("magic.dds", DdsBytes{.magic = std::string("DDS\0", 4)});
    put("format.dds", DdsBytes{.fourCc = "ATI2"});
    put("short.dds", DdsBytes{.width = 8, .height = 8, .linearSize = 32, .dataSize = 20});
    put("lying.dds", DdsBytes{.width = 64, .height = 64, .linearSize = 8, .dataSize = 8});
    put("header.dds", DdsBytes{}.build().substr(0, 100));
    GLint maximumSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maximumSize);
    const auto tooWide = static_cast<std::uint32_t>(maximumSize) * 2;
    put("wide.dds",
        DdsBytes{
            .width = tooWide, .height = 4, .linearSize = tooWide * 2, .dataSize = tooWide * 2});

    testing::internal::CaptureStdout();
    for (const char* name : {"absent.dds", "magic.dds", "format.dds", "short.dds", "lying.dds",
                             "header.dds", "wide.dds"}) {
        const Texture texture(name);
        EXPECT_FALSE(texture.isLoaded()) << name;
        EXPECT_EQ(texture.getHandle(), 0u) << name;
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTest, DestructionDeletesTheGlTexture)
{
    put("one.dds", DdsBytes{.width = 1, .height = 1});
    GLuint name = 0;
    {
        const Texture texture("one.dds");
        name = texture.getHandle();
        ASSERT_EQ(glIsTexture(name), GL_TRUE);
    }
    EXPECT_EQ(glIsTexture(name), GL_FALSE);
}
