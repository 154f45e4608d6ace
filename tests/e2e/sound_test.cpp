#include "game_run.h"

#include <algorithm>
#include <cstdlib>

// The mix that korvel-replay --sound records on the virtual clock: heard from the file alone.

namespace {

// 16-bit stereo at 44.1 kHz after the canonical 44-byte header.
struct Mix {
    std::string bytes;

    std::size_t frames() const { return (bytes.size() - 44) / 4; }

    // The loudest sample of either channel from `from` to `to` seconds.
    int peak(double from, double to) const
    {
        int loudest = 0;
        const auto last = std::min(frames(), static_cast<std::size_t>(to * 44100.0));
        for (auto i = static_cast<std::size_t>(from * 44100.0) * 2; i < last * 2; ++i) {
            const auto low = static_cast<unsigned char>(bytes[44 + 2 * i]);
            const auto high = static_cast<unsigned char>(bytes[45 + 2 * i]);
            loudest = std::max(loudest, std::abs(int{static_cast<short>(low | high << 8)}));
        }
        return loudest;
    }
};

constexpr int heard = 1000; // a sound at ordinary loudness peaks well above this
constexpr int silence = 2;  // the mixer's dither is all there is

} // namespace

// The winning route up to where it passes the hazard, with the music turned down to nothing:
// each jump taken (at the presses and the releases that are second jumps) and each throw of the
// knives sounds at once; the hops at the far end of the kitchen are not heard from the start,
// the ones beside the player are.
TEST(SoundMix, EventsAreHeardWhenTheyHappenAndFarHopsAreQuieterThanNearOnes)
{
    GameFolder game;
    game.window(64, 64, "[audio]\nmusic = 0\n");
    const ProcessResult run = game.replay(
        {KORVEL_SOURCE_DIR "/routes/win.route", "--until", "22.3", "--sound", "mix.wav"});
    EXPECT_EQ(run.output, "outcome: playing\n");
    const Mix mix{game.read("mix.wav")};
    ASSERT_GT(mix.bytes.size(), 44u);
    EXPECT_EQ(mix.bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(mix.frames(), 984165u); // 1339 passes of 735 frames at 1/60 s

    for (const double event : {0.0, 6.6, 7.0, 10.0, 10.55, 11.1}) {
        EXPECT_GT(mix.peak(event, event + 0.05), heard) << "at " << event << " s";
    }
    EXPECT_LE(mix.peak(1.3, 6.5), silence) << "nothing happens near the player";
    const int farHop = mix.peak(2.0, 2.3);
    const int nearHop = mix.peak(22.0, 22.3);
    EXPECT_GT(nearHop, heard);
    EXPECT_LT(farHop * 100, nearHop);
}

// M mutes what plays and everything after it: the landing and the jump after it are silent.
TEST(SoundMix, PressingMSilencesTheRest)
{
    GameFolder game;
    game.window(64, 64);
    game.write("mute.route", "0 W press\n0.3 M press\n0.35 M release\n1.0 SPACE press\n");
    const ProcessResult run = game.replay({"mute.route", "--until", "1.5", "--sound", "mix.wav"});
    EXPECT_EQ(run.output, "Sound: 0\noutcome: playing\n");
    const Mix mix{game.read("mix.wav")};
    EXPECT_GT(mix.peak(0.0, 0.3), heard); // the knives' first throw
    EXPECT_LE(mix.peak(0.4, 1.5), silence);
}

// A sound file that cannot be read is one warning and silence where that sound would be, and
// so is the music's; the rest plays, and the same route still gives the same file.
TEST(SoundMix, AMissingSoundIsOneWarningAndItsSilence)
{
    GameFolder game;
    game.window(64, 64);
    std::filesystem::remove(game / "assets/sounds/knife_whoosh.wav");
    std::filesystem::remove(game / "assets/sounds/music.wav");
    game.write("drop.route", "0 W press\n");
    const std::string replay = std::string(KORVEL_REPLAY) + " drop.route --until 1.2 --sound ";
    EXPECT_EQ(game.shell(replay + "one.wav 2>&1 >/dev/null"),
              "korvel: warning: assets/sounds/knife_whoosh.wav: cannot be read; that sound stays "
              "silent\n"
              "korvel: warning: assets/sounds/music.wav: cannot be read; playing without music\n");
    game.shell(replay + "two.wav");
    const Mix mix{game.read("one.wav")};
    EXPECT_LE(mix.peak(0.0, 0.5), silence) << "the knives' throw";
    EXPECT_GT(mix.peak(0.8, 1.2), heard) << "the landing from the start";
    EXPECT_TRUE(game.read("two.wav") == mix.bytes);
}

// The music plays from the start where nothing else sounds, the same on every run; M pressed at
// once silences it with the rest, and pressed again brings it back.
TEST(SoundMix, TheMusicLoopsUnderTheGameUnlessMuted)
{
    GameFolder game;
    game.window(64, 64);
    game.write("still.route", "# standing still at the start\n");
    game.write("muted.route", "0 M press\n0.05 M release\n1.0 M press\n1.05 M release\n");
    for (const char* take : {"one.wav", "two.wav"}) {
        EXPECT_EQ(game.replay({"still.route", "--until", "2", "--sound", take}).output,
                  "outcome: playing\n");
    }
    const Mix mix{game.read("one.wav")};
    EXPECT_GT(mix.peak(1.3, 2.0), heard) << "after the landing from the start, only the music";
    EXPECT_TRUE(game.read("two.wav") == mix.bytes);

    const ProcessResult muted = game.replay({"muted.route", "--until", "2", "--sound", "m.wav"});
    EXPECT_EQ(muted.output, "Sound: 0\nSound: 1\noutcome: playing\n");
    const Mix mutedMix{game.read("m.wav")};
    EXPECT_LE(mutedMix.peak(0.1, 1.0), silence); // from the pass that heard the M
    EXPECT_GT(mutedMix.peak(1.3, 2.0), heard);
}
