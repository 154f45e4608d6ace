// The real game against broken asset files. Models, textures and the font may be missing,
// empty, cut off or garbage: the game plays on without them. A shader file missing or broken
// ends start-up with its message and status 1, without waiting for a key that cannot come.
//
// Every damage of every file is about 150 game starts, several minutes under the sanitizers: built
// with KORVEL_FULL_MATRIX (korvel_bad_asset_matrix, run by tools/bad_asset_matrix.sh) every
// file gets every damage. Built into korvel_e2e_tests, which every test run runs, a sample
// does: each damage on a few files of each kind, each shader file once.

#include "support/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

enum class Damage { missing, empty, truncated, garbage, broken };

std::string damageName(Damage damage)
{
    switch (damage) {
    case Damage::missing:
        return "missing";
    case Damage::empty:
        return "empty";
    case Damage::truncated:
        return "truncated";
    case Damage::garbage:
        return "garbage";
    case Damage::broken:
        return "broken";
    }
    return "?";
}

struct AssetCase {
    std::string file; // below assets/
    std::vector<Damage> damages;
};

// How ctest shows a case beside its name.
void PrintTo(const AssetCase& asset, std::ostream* out)
{
    *out << asset.file << ":";
    for (const Damage damage : asset.damages) {
        *out << " " << damageName(damage);
    }
}

std::string caseName(const ::testing::TestParamInfo<AssetCase>& info)
{
    std::string name;
    for (const char c : std::filesystem::path(info.param.file).filename().string()) {
        name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    return name;
}

const std::vector<Damage> unreadable = {Damage::missing, Damage::empty, Damage::truncated,
                                        Damage::garbage};

#ifdef KORVEL_FULL_MATRIX
const std::vector<std::string> modelFiles = {
    "knife.obj", "tamboro_game.obj",     "pizza.obj",     "table.obj", "floor.obj", "counter.obj",
    "walls.obj", "counter_cabinets.obj", "book_pile.obj", "broom.obj", "chair.obj", "stove.obj",
    "sink.obj",
};

const std::vector<std::string> textureFiles = {
    "tam_tex.dds",          "pizza.dds",
    "knife_tex.dds",        "floor_tex.dds",
    "wood_counter_tex.dds", "table_wood_tex.dds",
    "walls_tex.dds",        "counter_cabinets_tex.dds",
    "book_red_tex.dds",     "broom_tex.dds",
    "stove_tex.dds",        "sink_tex.dds",
    "floor_lightmap.dds",   "counter_lightmap.dds",
    "walls_lightmap.dds",   "counter_cabinets_lightmap.dds",
};

const std::vector<std::string> shaderFiles = {
    "texture.vert",     "texture.frag",     "texture_lm.frag", "text.vert",
    "text.frag",        "procedural.vert",  "procedural.frag", "postProcess.vert",
    "postProcess.frag", "particle.compute", "particle.vert",   "particle.frag",
};

std::vector<AssetCase> everyDamage(const std::string& folder, const std::vector<std::string>& files,
                                   const std::vector<Damage>& damages)
{
    std::vector<AssetCase> result;
    for (const std::string& file : files) {
        result.push_back({folder + file, damages});
    }
    return result;
}

const std::vector<AssetCase> modelCases = everyDamage("assets/models/", modelFiles, unreadable);
const std::vector<AssetCase> textureCases =
    everyDamage("assets/textures/", textureFiles, unreadable);
const std::vector<AssetCase> shaderCases =
    everyDamage("assets/shader/", shaderFiles, {Damage::missing, Damage::broken});
const std::vector<Damage> refusedFontDamages = {Damage::missing, Damage::empty, Damage::garbage};
#else
// The knives (one model drawn six times), the largest model, a model cut in half and a
// garbage one; the player's model and texture are broken by UnreadableAsset below.
const std::vector<AssetCase> modelCases = {
    {"assets/models/knife.obj", {Damage::missing}},
    {"assets/models/counter_cabinets.obj", {Damage::empty}},
    {"assets/models/pizza.obj", {Damage::truncated}},
    {"assets/models/chair.obj", {Damage::garbage}},
};
const std::vector<AssetCase> textureCases = {
    {"assets/textures/wood_counter_tex.dds", {Damage::missing}},
    {"assets/textures/pizza.dds", {Damage::empty}},
    {"assets/textures/walls_tex.dds", {Damage::truncated}},
    {"assets/textures/floor_lightmap.dds", {Damage::garbage}},
};
// The programs built before the scene cost little to break; of those built after it, one
// for each loader.
const std::vector<AssetCase> shaderCases = {
    {"assets/shader/texture.vert", {Damage::missing}},
    {"assets/shader/texture.frag", {Damage::broken}},
    {"assets/shader/texture_lm.frag", {Damage::missing}},
    {"assets/shader/text.vert", {Damage::broken}},
    {"assets/shader/text.frag", {Damage::missing}},
    {"assets/shader/procedural.vert", {Damage::missing}},
    {"assets/shader/postProcess.frag", {Damage::broken}},
    {"assets/shader/particle.compute", {Damage::broken}},
};
const std::vector<Damage> refusedFontDamages = {Damage::missing};
#endif

// The same bytes on every run, so a failure can be repeated.
std::string garbageOfSize(std::size_t size)
{
    std::mt19937 random(static_cast<unsigned>(size));
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

void damageFile(const TempDir& folder, const std::string& file, Damage damage)
{
    const std::string bytes = folder.read(file);
    switch (damage) {
    case Damage::missing:
        std::filesystem::remove(folder / file);
        break;
    case Damage::empty:
        folder.write(file, "");
        break;
    case Damage::truncated:
        folder.write(file, bytes.substr(0, bytes.size() / 2));
        break;
    case Damage::garbage:
        folder.write(file, garbageOfSize(bytes.size()));
        break;
    case Damage::broken:
        folder.write(file, "#version 430 core\nvoid main() { oops }\n");
        break;
    }
}

bool haveDisplay()
{
    return std::getenv("DISPLAY") != nullptr;
}

// The built assets in a fresh folder, the game in a tiny window (fast even under the
// sanitizers), and the winning route beside them.
class GameFolder {
  public:
    GameFolder()
    {
        folder.copyBuiltAssets();
        folder.write("assets/settings.ini", "[window]\nwidth = 64\nheight = 64\n");
        std::filesystem::copy_file(std::filesystem::path(KORVEL_SOURCE_DIR) / "routes/win.route",
                                   folder / "win.route");
    }

    // The first 1.5 s of the winning route with a screenshot at 1 s, which holds the player,
    // the first counter run and the HUD's clock.
    ProcessResult playTheStart() const
    {
        return runProcess({KORVEL_REPLAY, "win.route", "--until", "1.5", "--shot", "1:shot.png"},
                          folder.path().string(), 120.0);
    }

    std::string screenshot() const { return folder.read("shot.png"); }

    TempDir folder;
};

// Plays the start with the file damaged each way; returns the screenshot of each run.
std::map<Damage, std::string> playWithDamagedFile(const AssetCase& asset,
                                                  const std::string& expectedOutput)
{
    std::map<Damage, std::string> screenshots;
    for (const Damage damage : asset.damages) {
        SCOPED_TRACE(asset.file + " " + damageName(damage));
        GameFolder game;
        damageFile(game.folder, asset.file, damage);
        const ProcessResult result = game.playTheStart();
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(result.signal, 0);
        // Any sanitizer report ends the run with a non-zero status.
        EXPECT_EQ(result.exitStatus, 0) << result.output;
        EXPECT_EQ(result.output, expectedOutput);
        screenshots[damage] = game.screenshot();
        EXPECT_FALSE(screenshots[damage].empty());
    }
    return screenshots;
}

// Runs that read nothing of the file must draw the same frame: the object is simply not seen.
void expectSameFrame(const std::map<Damage, std::string>& screenshots,
                     const std::vector<Damage>& readNothing)
{
    const std::string* first = nullptr;
    for (const Damage damage : readNothing) {
        const auto found = screenshots.find(damage);
        if (found == screenshots.end()) {
            continue;
        }
        if (first == nullptr) {
            first = &found->second;
        } else {
            EXPECT_TRUE(found->second == *first) << damageName(damage) << " drew another frame";
        }
    }
}

class BadModelFile : public ::testing::TestWithParam<AssetCase> {};
class BadTextureFile : public ::testing::TestWithParam<AssetCase> {};
class BadShaderFile : public ::testing::TestWithParam<AssetCase> {};

} // namespace

TEST_P(BadModelFile, TheGamePlaysOnWithoutTheModel)
{
    if (!haveDisplay()) {
        GTEST_SKIP() << "needs a display (the test command runs this under xvfb-run)";
    }
    const auto screenshots = playWithDamagedFile(GetParam(), "outcome: playing\n");
    // Half an OBJ file is still an OBJ file: the first half of the model may show.
    expectSameFrame(screenshots, {Damage::missing, Damage::empty, Damage::garbage});
}

INSTANTIATE_TEST_SUITE_P(EveryModel, BadModelFile, ::testing::ValuesIn(modelCases), caseName);

TEST_P(BadTextureFile, TheGamePlaysOnWithoutTheTexture)
{
    if (!haveDisplay()) {
        GTEST_SKIP() << "needs a display (the test command runs this under xvfb-run)";
    }
    const auto screenshots = playWithDamagedFile(GetParam(), "outcome: playing\n");
    // A DDS file cut short holds less than its header promises and is refused whole.
    expectSameFrame(screenshots, unreadable);
}

INSTANTIATE_TEST_SUITE_P(EveryTexture, BadTextureFile, ::testing::ValuesIn(textureCases), caseName);

TEST_P(BadShaderFile, EndsStartUpWithItsMessageAndStatusOne)
{
    if (!haveDisplay()) {
        GTEST_SKIP() << "needs a display (the test command runs this under xvfb-run)";
    }
    const std::string name = std::filesystem::path(GetParam().file).filename().string();
    // The particle and water programs are built by their own loader, which names the path.
    const bool ownLoader = name.starts_with("particle") || name.starts_with("procedural");
    for (const Damage damage : GetParam().damages) {
        SCOPED_TRACE(name + " " + damageName(damage));
        GameFolder game;
        damageFile(game.folder, GetParam().file, damage);
        const ProcessResult result = game.playTheStart();
        // Standard input is at its end: the wait for a key must not hang the game.
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(result.signal, 0) << "ended by a signal, not an orderly exit";
        EXPECT_EQ(result.exitStatus, 1) << result.output;
        std::string first;
        if (damage == Damage::missing) {
            first = ownLoader ? "Could not open file assets/shader/" + name
                              : "Couldn't open shader file: assets/shader/" + name;
            EXPECT_EQ(result.output, first + "\n"); // and nothing after it
        } else {
            first = "Failed to compile shader: " + (ownLoader ? "assets/shader/" + name : name);
            EXPECT_EQ(result.output.substr(0, first.size() + 1), first + "\n") << result.output;
            EXPECT_GT(result.output.size(), first.size() + 2) << "the compiler's log follows";
        }
        EXPECT_FALSE(std::filesystem::exists(game.folder / "shot.png")) << "a frame was drawn";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryShader, BadShaderFile, ::testing::ValuesIn(shaderCases), caseName);

TEST(BadFontFile, PrintsTheFontErrorAndPlaysOnWithoutText)
{
    if (!haveDisplay()) {
        GTEST_SKIP() << "needs a display (the test command runs this under xvfb-run)";
    }
    const std::vector<Damage>& refused = refusedFontDamages;
    const auto screenshots =
        playWithDamagedFile({"assets/fonts/arial.ttf", refused},
                            "ERROR::FREETYPE: Failed to load font\noutcome: playing\n");
    expectSameFrame(screenshots, refused);

    // A font cut in half may still open; whatever its glyphs do, the game plays on.
    GameFolder game;
    damageFile(game.folder, "assets/fonts/arial.ttf", Damage::truncated);
    const ProcessResult result = game.playTheStart();
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.output.ends_with("outcome: playing\n")) << result.output;
}

TEST(UnreadableAsset, IsSimplyNotSeen)
{
    if (!haveDisplay()) {
        GTEST_SKIP() << "needs a display (the test command runs this under xvfb-run)";
    }
    GameFolder intact;
    ASSERT_EQ(intact.playTheStart().exitStatus, 0);
    const std::string whole = intact.screenshot();
    ASSERT_FALSE(whole.empty());

    // The player's model and its texture are in the picture at 1 s; without them the frame
    // changes, the same way whichever way the file is broken.
    const auto withoutModel =
        playWithDamagedFile({"assets/models/tamboro_game.obj", {Damage::missing, Damage::garbage}},
                            "outcome: playing\n");
    expectSameFrame(withoutModel, unreadable);
    EXPECT_FALSE(withoutModel.at(Damage::missing) == whole);

    const auto withoutTexture =
        playWithDamagedFile({"assets/textures/tam_tex.dds", {Damage::missing, Damage::truncated}},
                            "outcome: playing\n");
    expectSameFrame(withoutTexture, unreadable);
    EXPECT_FALSE(withoutTexture.at(Damage::missing) == whole);
    EXPECT_FALSE(withoutTexture.at(Damage::missing) == withoutModel.at(Damage::missing));
}
