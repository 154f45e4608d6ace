#include "render/texture.h"

#include "support/dds_bytes.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"
#include "support/working_directory.h"

namespace {

// Textures are read from "assets/textures/" below the working directory: each test writes its
// files into a fresh folder and runs there.
class TextureTest : public GlTest {
  protected:
    void put(const std::string& name, const DdsBytes& file)
    {
        folder.write("assets/textures/" + name, file.build());
    }

    TempDir folder;
    WorkingDirectory inFolder{folder.path()};
};

} // namespace

// A model whose texture file is refused draws without it: no texture name, and whatever
// was bound stays bound.
TEST_F(TextureTest, ARefusedFileLeavesNoTextureAndTheBindingAlone)
{
    put("good.dds", DdsBytes{.width = 1, .height = 1});
    GLint maximumSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maximumSize);
    const auto tooWide = static_cast<std::uint32_t>(maximumSize) * 2;
    put("wide.dds",
        DdsBytes{
            .width = tooWide, .height = 4, .linearSize = tooWide * 2, .dataSize = tooWide * 2});
    const Texture good("good.dds");
    good.bind(0);
    for (const char* name : {"absent.dds", "wide.dds"}) {
        const Texture texture(name);
        EXPECT_FALSE(texture.isLoaded()) << name;
        EXPECT_EQ(texture.getHandle(), 0u) << name;
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), good.getHandle()) << name;
    }
}
