// The real game against broken asset files. A model, texture or the font missing, empty, cut in
// half or garbage is simply not seen and the game plays on; a shader file missing or broken ends
// start-up with its message and status 1, without waiting for a key that cannot come.
//
// Each damage is a game start, several seconds under the sanitizers: the test run takes a sample,
// and korvel_bad_asset_matrix (built with KORVEL_FULL_MATRIX, run by tools/bad_asset_matrix.sh)
// gives every file of the built assets every damage.

#include "game_run.h"

#include <algorithm>
#include <filesystem>
#include <random>

namespace {

enum Damage { missing, empty, halved, garbage, broken, unlinkable };
const char* const damageNames[] = {"missing", "empty", "halved", "garbage", "broken", "unlinkable"};

struct AssetCase {
    std::string file; // below assets/
    std::vector<Damage> damages;
    bool seen = false; // in the frame at 1 s, so the frame without it is another
};

void PrintTo(const AssetCase& asset, std::ostream* out)
{
    *out << asset.file;
}

std::string caseName(const ::testing::TestParamInfo<AssetCase>& info)
{
    std::string name = std::filesystem::path(info.param.file).filename().string();
    std::erase_if(name, [](char c) { return std::isalnum(static_cast<unsigned char>(c)) == 0; });
    return name + damageNames[info.param.damages[0]];
}

// The first 1.5 s of the winning route in a tiny window, cheap even under the sanitizers, with
// one file damaged; the frame at 1 s holds the player, the first counter run and the HUD.
ProcessResult play(const std::string& file, Damage damage, std::string& shot)
{
    const GameFolder game;
    game.window(64, 64);
    const std::string bytes = game.read("assets/" + file);
    std::mt19937 random(static_cast<unsigned>(bytes.size())); // the same garbage every run
    std::string noise(bytes.size(), '\0');
    std::ranges::generate(noise, [&random] { return static_cast<char>(random()); });
    const std::string damaged[] = {"", "", bytes.substr(0, bytes.size() / 2), noise,
                                   "#version 430 core\nvoid main() { oops }\n",
                                   // compiles, but feeds none of the lit fragment stage's inputs
                                   "#version 430 core\nlayout(location = 0) in vec3 p;\nvoid "
                                   "main() { gl_Position = vec4(p, 1); }\n"};
    if (damage == missing) {
        std::filesystem::remove(game / ("assets/" + file));
    } else if (damage != static_cast<Damage>(-1)) {
        game.write("assets/" + file, damaged[damage]);
    }
    const ProcessResult run =
        game.replay({shippedRoute("win.route"), "--until", "1.5", "--shot", "1:shot.png"});
    shot = game.read("shot.png");
    return run;
}

#ifdef KORVEL_FULL_MATRIX
std::vector<AssetCase> everyFile(const std::string& folder, const std::vector<Damage>& damages)
{
    std::vector<AssetCase> cases;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(KORVEL_BINARY_DIR) / "assets" / folder)) {
        cases.push_back({folder + "/" + entry.path().filename().string(), damages});
    }
    return cases;
}

const auto playable = [] {
    std::vector<AssetCase> cases = everyFile("models", {missing, empty, halved, garbage});
    std::ranges::copy(everyFile("textures", {missing, empty, halved, garbage}),
                      std::back_inserter(cases));
    cases.push_back({"fonts/arial.ttf", {missing, empty, halved, garbage}});
    return cases;
}();
const auto shaders = [] {
    std::vector<AssetCase> cases = everyFile("shader", {missing, broken});
    cases.push_back({"shader/texture.vert", {unlinkable}});
    return cases;
}();
#else
// The player's model and texture, the knives (one model drawn six times), a lightmap, the font;
// the programs built before the scene cost little to break, and of those after it one for each
// loader.
const std::vector<AssetCase> playable = {
    {"models/tamboro_game.obj", {missing, empty, garbage}, true},
    {"models/knife.obj", {missing, garbage}},
    {"textures/tam_tex.dds", {missing, halved, garbage}, true},
    {"textures/floor_lightmap.dds", {missing, empty}},
    {"fonts/arial.ttf", {missing, garbage, halved}},
};
const std::vector<AssetCase> shaders = {
    {"shader/texture.frag", {missing}},    {"shader/texture_lm.frag", {broken}},
    {"shader/texture.vert", {unlinkable}}, {"shader/procedural.vert", {missing}},
    {"shader/particle.compute", {broken}},
};
#endif

class BadAsset : public ::testing::TestWithParam<AssetCase> {};
class BadShader : public ::testing::TestWithParam<AssetCase> {};

} // namespace

// Every damage that leaves nothing readable draws the frame drawn with the file missing. Half an
// OBJ file or a font is still one, so a halved model or font only has to play on.
TEST_P(BadAsset, IsSimplyNotSeen)
{
    SKIP_WITHOUT_DISPLAY();
    const AssetCase& asset = GetParam();
    const bool font = asset.file.starts_with("fonts/");
    std::string withoutIt; // each case lists missing first
    for (const Damage damage : asset.damages) {
        SCOPED_TRACE(damageNames[damage]);
        std::string shot;
        const ProcessResult run = play(asset.file, damage, shot);
        EXPECT_EQ(run.exitStatus, 0); // a sanitizer's report ends the run with another
        const bool partly = damage == halved && !asset.file.ends_with(".dds");
        EXPECT_EQ(run.output,
                  std::string(font && !partly ? "ERROR::FREETYPE: Failed to load font\n" : "") +
                      "outcome: playing\n");
        ASSERT_FALSE(shot.empty());
        if (damage == missing) {
            withoutIt = shot;
        }
        EXPECT_TRUE(partly || shot == withoutIt) << "another frame";
    }
    if (asset.seen) {
        std::string whole;
        ASSERT_EQ(play(asset.file, static_cast<Damage>(-1), whole).exitStatus, 0);
        EXPECT_FALSE(whole == withoutIt) << "the comparison cannot see the file";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BadAsset, ::testing::ValuesIn(playable), caseName);

TEST_P(BadShader, EndsStartUpWithItsMessageAndStatusOne)
{
    SKIP_WITHOUT_DISPLAY();
    const std::string file = GetParam().file;
    const std::string name = std::filesystem::path(file).filename().string();
    // The particle and water programs are built by their own loader, which names the path.
    const std::string shown =
        name.starts_with("particle") || name.starts_with("procedural") ? "assets/" + file : name;
    for (const Damage damage : GetParam().damages) {
        SCOPED_TRACE(damageNames[damage]);
        std::string shot;
        const ProcessResult run = play(file, damage, shot);
        EXPECT_EQ(run.exitStatus, 1); // not killed, not stuck waiting for a key
        EXPECT_TRUE(shot.empty()) << "a frame was drawn";
        const std::string first = damage == missing
                                      ? (shown == name ? "Couldn't open shader file: assets/"
                                                       : "Could not open file assets/") +
                                            file
                                  : damage == broken ? "Failed to compile shader: " + shown
                                                     : "Failed to link shader program:";
        if (damage == missing) {
            EXPECT_EQ(run.output, first + "\n"); // and nothing after it
        } else {
            EXPECT_TRUE(run.output.starts_with(first + "\n")) << run.output;
            EXPECT_GT(run.output.size(), first.size() + 2) << "the log follows";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BadShader, ::testing::ValuesIn(shaders), caseName);
