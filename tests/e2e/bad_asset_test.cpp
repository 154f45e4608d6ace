// The real game against broken asset files. A model, texture, sound or the font missing, empty,
// cut in half or garbage is simply not seen (or heard) and the game plays on; a shader file missing
// or broken ends start-up with its message and status 1, without waiting for a key that cannot
// come.
//
// Each damage is a game start, several seconds under the sanitizers: the test run takes a sample,
// and korvel_bad_asset_matrix (built with KORVEL_FULL_MATRIX, run by tools/bad_asset_matrix.sh)
// gives every file of the built assets every damage.

#include "game_run.h"

#include <algorithm>
#include <filesystem>
#include <random>

namespace {

enum Damage { missing, empty, halved, garbage, broken };
const char* const damageNames[] = {"missing", "empty", "halved", "garbage", "broken"};

struct AssetCase {
    std::string file; // below assets/
    std::vector<Damage> damages;
};

// The first 1.5 s of the winning route in a tiny window, cheap even under the sanitizers, with
// one file damaged; the frame at 1 s holds the player, the first counter run and the HUD.
ProcessResult play(const std::string& file, Damage damage, std::string& shot)
{
    const GameFolder game;
    game.window(64, 64);
    const std::string bytes = game.read("assets/" + file);
    std::string noise = bytes;
    std::ranges::generate(noise, std::mt19937(noise.size())); // the same garbage on every run
    const std::string damaged[] = {"", "", bytes.substr(0, bytes.size() / 2), noise,
                                   "#version 430 core\nvoid main() { oops }\n"};
    game.write("assets/" + file, damaged[damage]);
    if (damage == missing) {
        std::filesystem::remove(game / ("assets/" + file));
    }
    const ProcessResult run = game.replay(
        {KORVEL_SOURCE_DIR "/routes/win.route", "--until", "1.5", "--shot", "1:shot.png"});
    shot = game.read("shot.png");
    return run;
}

#ifdef KORVEL_FULL_MATRIX
const auto sample = [] {
    std::vector<AssetCase> cases;
    const std::filesystem::path assets = KORVEL_BINARY_DIR "/assets";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(assets)) {
        const std::string file = entry.path().lexically_relative(assets).string();
        if (entry.is_regular_file() && file != "settings.ini") {
            cases.push_back({file, file.starts_with("shader/")
                                       ? std::vector<Damage>{missing, broken}
                                       : std::vector<Damage>{missing, empty, halved, garbage}});
        }
    }
    return cases;
}();
#else
// The player's model and texture, the knives (one model drawn six times), a lightmap, the font,
// a sound; a program built before the scene and one built by the particles' own loader.
const std::vector<AssetCase> sample = {{"models/tamboro_game.obj", {missing, empty, garbage}},
                                       {"models/knife.obj", {missing, garbage}},
                                       {"textures/tam_tex.dds", {missing, halved, garbage}},
                                       {"textures/floor_lightmap.dds", {missing, empty}},
                                       {"fonts/arial.ttf", {missing, garbage, halved}},
                                       {"sounds/knife_whoosh.wav", {missing, halved, garbage}},
                                       {"shader/texture_lm.frag", {missing, broken}},
                                       {"shader/particle.compute", {missing, broken}}};
#endif

// How ctest names a case.
void PrintTo(const AssetCase& asset, std::ostream* out)
{
    *out << asset.file;
}

class BadAssetFile : public ::testing::TestWithParam<AssetCase> {};

} // namespace

// Every damage that leaves nothing readable draws the frame drawn with the file missing (each
// case lists missing first). Half an OBJ file or a font is still one: it only has to play on.
// A shader file ends start-up instead, and the particle and water programs' own loader names
// the file by its path.
TEST_P(BadAssetFile, IsSimplyNotSeenOrIfAShaderEndsStartUp)
{
    const std::string& file = GetParam().file;
    const std::string name = std::filesystem::path(file).filename().string();
    const bool own = name.starts_with("particle") || name.starts_with("procedural");
    std::string withoutIt;
    for (const Damage damage : GetParam().damages) {
        SCOPED_TRACE(damageNames[damage]);
        std::string shot;
        const ProcessResult run = play(file, damage, shot);
        if (file.starts_with("shader/")) {
            EXPECT_EQ(run.exitStatus, 1); // not killed, not stuck waiting for a key
            EXPECT_TRUE(shot.empty()) << "a frame was drawn";
            const std::string first =
                damage == missing ? (own ? "Could not open file " : "Couldn't open shader file: ") +
                                        ("assets/" + file)
                                  : "Failed to compile shader: " + (own ? "assets/" + file : name);
            EXPECT_TRUE(run.output.starts_with(first + "\n")) << run.output;
            // A missing file's line is all; the compiler's log follows the other.
            EXPECT_EQ(run.output.size() == first.size() + 1, damage == missing) << run.output;
            continue;
        }
        const bool partly = damage == halved && !file.ends_with(".dds");
        const bool noFont = file.ends_with(".ttf") && !partly;
        EXPECT_EQ(run.exitStatus, 0); // a sanitizer's report ends the run with another
        EXPECT_EQ(run.output, std::string(noFont ? "ERROR::FREETYPE: Failed to load font\n" : "") +
                                  "outcome: playing\n");
        ASSERT_FALSE(shot.empty());
        withoutIt = damage == missing ? shot : withoutIt;
        EXPECT_TRUE(partly || shot == withoutIt) << "another frame";
    }
}

INSTANTIATE_TEST_SUITE_P(Sample, BadAssetFile, ::testing::ValuesIn(sample));
