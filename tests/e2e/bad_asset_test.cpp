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

enum Damage { missing, empty, halved, garbage, broken, intact };
const char* const damageNames[] = {"missing", "empty", "halved", "garbage", "broken"};

struct AssetCase {
    std::string file; // below assets/
    std::vector<Damage> damages;
    bool seen = false; // in the frame at 1 s, so the frame without it is another
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
    const std::string half = bytes.substr(0, bytes.size() / 2);
    const std::string damaged[] = {
        "", "", half, noise, "#version 430 core\nvoid main() { oops }\n", bytes};
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
std::vector<AssetCase> every(const std::vector<std::string>& folders, std::vector<Damage> damages)
{
    std::vector<AssetCase> cases;
    for (const std::string& folder : folders) {
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::string(KORVEL_BINARY_DIR) + "/assets/" + folder)) {
            cases.push_back({folder + "/" + entry.path().filename().string(), damages});
        }
    }
    return cases;
}
const auto sample = [] {
    std::vector<AssetCase> cases =
        every({"models", "textures", "fonts"}, {missing, empty, halved, garbage});
    std::ranges::copy(every({"shader"}, {missing, broken}), std::back_inserter(cases));
    return cases;
}();
#else
// The player's model and texture, the knives (one model drawn six times), a lightmap, the font;
// the programs built before the scene cost little to break, and of those after it one for each
// loader.
const std::vector<AssetCase> sample = {{"models/tamboro_game.obj", {missing, empty, garbage}, true},
                                       {"models/knife.obj", {missing, garbage}},
                                       {"textures/tam_tex.dds", {missing, halved, garbage}, true},
                                       {"textures/floor_lightmap.dds", {missing, empty}},
                                       {"fonts/arial.ttf", {missing, garbage, halved}},
                                       {"shader/texture.frag", {missing}},
                                       {"shader/texture_lm.frag", {broken}},
                                       {"shader/procedural.vert", {missing}},
                                       {"shader/particle.compute", {broken}}};
#endif

// How ctest names a case.
void PrintTo(const AssetCase& asset, std::ostream* out)
{
    *out << asset.file;
}

class BadAssetFile : public ::testing::TestWithParam<AssetCase> {};

// Every damage that leaves nothing readable draws the frame drawn with the file missing (each
// case lists missing first). Half an OBJ file or a font is still one: it only has to play on.
void expectNotSeen(const AssetCase& asset)
{
    std::string withoutIt;
    for (const Damage damage : asset.damages) {
        SCOPED_TRACE(damageNames[damage]);
        std::string shot;
        const ProcessResult run = play(asset.file, damage, shot);
        const bool partly = damage == halved && !asset.file.ends_with(".dds");
        const bool noFont = asset.file.ends_with(".ttf") && !partly;
        EXPECT_EQ(run.exitStatus, 0); // a sanitizer's report ends the run with another
        EXPECT_EQ(run.output, std::string(noFont ? "ERROR::FREETYPE: Failed to load font\n" : "") +
                                  "outcome: playing\n");
        ASSERT_FALSE(shot.empty());
        withoutIt = damage == missing ? shot : withoutIt;
        EXPECT_TRUE(partly || shot == withoutIt) << "another frame";
    }
    if (asset.seen) {
        std::string whole;
        play(asset.file, intact, whole);
        EXPECT_NE(whole, withoutIt) << "the frame is the same with the file whole";
    }
}

void expectStartUpEnds(const AssetCase& asset)
{
    const std::string path = "assets/" + asset.file;
    const std::string name = std::filesystem::path(path).filename().string();
    // The particle and water programs are built by their own loader, which names the path.
    const bool own = name.starts_with("particle") || name.starts_with("procedural");
    for (const Damage damage : asset.damages) {
        SCOPED_TRACE(damageNames[damage]);
        std::string shot;
        const ProcessResult run = play(asset.file, damage, shot);
        EXPECT_EQ(run.exitStatus, 1); // not killed, not stuck waiting for a key
        EXPECT_TRUE(shot.empty()) << "a frame was drawn";
        const std::string first =
            damage == missing
                ? (own ? "Could not open file " : "Couldn't open shader file: ") + path
                : "Failed to compile shader: " + (own ? path : name);
        EXPECT_TRUE(run.output.starts_with(first + "\n")) << run.output;
        // A missing file's line is all; the compiler's log follows the other.
        EXPECT_EQ(run.output.size() == first.size() + 1, damage == missing) << run.output;
    }
}

} // namespace

TEST_P(BadAssetFile, IsSimplyNotSeenOrIfAShaderEndsStartUp)
{
    GetParam().file.starts_with("shader/") ? expectStartUpEnds(GetParam())
                                           : expectNotSeen(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Sample, BadAssetFile, ::testing::ValuesIn(sample));
