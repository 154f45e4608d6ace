#include "game/settings.h"
#include "shell/settings_reader.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

namespace {

// A query of a settings file, answered as text: 's' get, 'i' getInteger, 'r' getReal,
// 'b' getBoolean (fallback "1" is true), 'e' the parse error.
struct Query {
    const char* ini;
    char kind;
    const char* name; // in section "w"
    std::string fallback;
    std::string expected;
};

std::string answer(const SettingsReader& r, const Query& q)
{
    switch (q.kind) {
    case 'i':
        return std::to_string(r.getInteger("W", q.name, std::stol(q.fallback)));
    case 'r':
        return std::to_string(r.getReal("W", q.name, std::stod(q.fallback)));
    case 'b':
        return r.getBoolean("W", q.name, q.fallback == "1") ? "1" : "0";
    case 'e':
        return std::to_string(r.parseError());
    default:
        return r.get("W", q.name, q.fallback);
    }
}

} // namespace

TEST(SettingsReader, AnswersQueriesAsInihParsesTheFile)
{
    const Query queries[] = {
        {"[w]\nTitle = Mixed Case\n", 's', "TITLE", "x", "Mixed Case"},
        {"[w]\nwidth = 640\n", 'i', "height", "800", "800"},
        {"[w]\nv = 0x400\n", 'i', "v", "800", "1024"}, // base 0, up to the first bad character
        {"[w]\nv = 0800\n", 'i', "v", "800", "0"},
        {"[w]\nv = wide\n", 'i', "v", "800", "800"},
        {"[w]\nv = -12px\n", 'i', "v", "800", "-12"},
        {"[w]\nv = .25xyz\n", 'r', "v", "1", "0.250000"},
        {"[w]\nv = ON\n", 'b', "v", "0", "1"}, // only the known words, in any case
        {"[w]\nv = off\n", 'b', "v", "1", "0"},
        {"[w]\nv = y\n", 'b', "v", "0", "0"},
        {"[w]\nv = 640\nv = 1024\n", 's', "v", "", "640\n1024"}, // repeats are joined
        {"[w]\nv = truely\n", 'b', "v", "1", "1"},
        {"[w]\nv = 640\nv = 1024\n", 'i', "v", "800", "640"},
        {"[w]\nv =\n", 's', "v", "Korvel", ""}, // empty is not the default
        {"[w]\nv = 1.5 ; brighter\n", 's', "v", "", "1.5"},
        {"[w]\nv = 1.5;kept\n", 's', "v", "", "1.5;kept"},
        {"[w]\nv = first\n  second\n  [not a section]\n", 's', "v", "",
         "first\nsecond\n[not a section]"},
        {"\xEF\xBB\xBF; byte order mark\n[w]\n# comment\nv = 320\n", 'e', "v", "", "0"},
        {"\xEF\xBB\xBF; byte order mark\n[w]\n# comment\nv = 320\n", 'i', "v", "800", "320"},
        {"[w]\nv = 640\nno separator\n[broken\nh = 480\n", 'e', "", "", "3"}, // the first bad line
        {"[w]\nv = 640\nno separator\n[broken\nh = 480\n", 'i', "h", "800", "480"},
        {"this is not ini\n", 'e', "", "", "1"}, // loaded, unlike a missing file
    };
    TempDir folder;
    for (const Query& query : queries) {
        SCOPED_TRACE(query.ini);
        folder.write("settings.ini", query.ini);
        EXPECT_EQ(answer(SettingsReader((folder / "settings.ini").string()), query),
                  query.expected);
        EXPECT_EQ(answer(SettingsReader::fromText(query.ini), query), query.expected);
    }
}

TEST(SettingsReader, TheGameReadsEightKeysAndAMissingFileWarnsAndGivesTheDefaults)
{
    TempDir folder;
    const std::string path = (folder / "absent.ini").string();
    testing::internal::CaptureStdout();
    Settings settings = readSettings(SettingsReader(path));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "WARNING: " + path + " not found! Using defaults instead.\n");
    const auto shown = [](const Settings& s) {
        return std::to_string(s.width) + " " + std::to_string(s.height) + " " + s.title + " " +
               std::to_string(s.fullscreen) + " " + std::to_string(s.brightness) + " " +
               std::to_string(s.fov) + " " + std::to_string(s.near) + " " + std::to_string(s.far);
    };
    EXPECT_EQ(shown(settings), "800 800 Korvel 0 1.000000 60.000000 0.100000 100.000000");
    settings = readSettings(
        SettingsReader::fromText("[Window]\nWidth=0x280\nheight=480\ntitle=Test\nfullscreen=YES\n"
                                 "brightness=0.5\n[camera]\nfov=45\nnear=0.5\nfar=250\n"));
    EXPECT_EQ(shown(settings), "640 480 Test 1 0.500000 45.000000 0.500000 250.000000");
}

// The player's own keys, named as routes name them. Each value that cannot be used is one line
// naming the action and the default it takes, and the rest still apply: a swap of two keys is
// two keys, not one bound twice. A key the window hears is turned into the action's own key.
TEST(SettingsReader, TheKeysSectionRebindsAndEachUnusableKeyIsOneWarning)
{
    std::ostringstream warnings;
    const auto read = [&warnings](const std::string& keys) {
        warnings.str("");
        return readSettings(SettingsReader::fromText("[keys]\n" + keys), warnings).keys;
    };
    const KeyBindings swapped = read("forward = s\nback = W\njump = I\npause = Q\n");
    EXPECT_EQ(warnings.str(), "");
    EXPECT_EQ(swapped.heard(Key::s), Key::w);
    EXPECT_EQ(swapped.heard(Key::w), Key::s);
    EXPECT_EQ(swapped.heard(Key::i), Key::space);
    EXPECT_EQ(swapped.heard(Key::space), Key::other); // left by jump
    EXPECT_EQ(swapped.heard(Key::q), Key::p);
    EXPECT_EQ(swapped.heard(Key::f11), Key::f11);
    EXPECT_EQ(swapped.boundTo(BoundAction::pause), Key::q);

    const KeyBindings refused = read("forward = UP\nleft = F2\nright = tab\nghost = V\n"
                                     "jump = A\nsound = J\npause = J\nback =\n");
    std::string expected;
    for (const char* line :
         {"forward: UP is not a key; using W", "back:  is not a key; using S",
          "left: F2 keeps its own meaning; using A", "right: tab keeps its own meaning; using D",
          "ghost: V keeps its own meaning; using G", "sound: J is bound twice; using M",
          "jump: A is bound twice; using SPACE"}) {
        expected += std::string("korvel: warning: settings.ini [keys] ") + line + "\n";
    }
    EXPECT_EQ(warnings.str(), expected);
    EXPECT_EQ(refused, read("pause = J\n")); // the one choice left standing
    EXPECT_EQ(read(""), KeyBindings{});
    EXPECT_EQ(warnings.str(), "");
}

// A volume is a number from 0 to 1. Anything else in its place is one warning line naming the
// key and the default it takes; a key left out is its default, silently.
TEST(SettingsReader, AVolumeThatCannotBeUsedIsOneWarningAndItsDefault)
{
    const std::string music = "korvel: warning: settings.ini [audio] music: ";
    const std::string effects = "korvel: warning: settings.ini [audio] effects: ";
    const std::string notOne = " is not a volume from 0 to 1; using ";
    const std::pair<const char*, std::string> cases[] = {
        {"", "0.5 1"},
        {"music = 0\neffects = 0.25\n", "0 0.25"},
        {"music = 2\n", music + "2" + notOne + "0.5\n0.5 1"},
        {"effects = loud\n", effects + "loud" + notOne + "1\n0.5 1"},
        {"music = nan\nmusic = 0.2\neffects = -0.1\n",
         music + "nan" + notOne + "0.5\n" + effects + "-0.1" + notOne + "1\n0.5 1"},
        {"effects = 0.5x\n", effects + "0.5x" + notOne + "1\n0.5 1"},
    };
    for (const auto& [audio, heard] : cases) {
        std::ostringstream warnings;
        const Settings settings =
            readSettings(SettingsReader::fromText(std::string("[audio]\n") + audio), warnings);
        warnings << settings.musicVolume << " " << settings.effectsVolume;
        EXPECT_EQ(warnings.str(), heard) << audio;
    }
}
