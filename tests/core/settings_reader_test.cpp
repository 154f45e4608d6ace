#include "app/settings.h"
#include "app/settings_reader.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

// Writes the text to a settings file in a fresh folder and reads it back.
struct SettingsFile {
    TempDir folder;
    explicit SettingsFile(const std::string& text) { folder.write("settings.ini", text); }
    SettingsReader reader() const { return SettingsReader((folder / "settings.ini").string()); }
};

} // namespace

TEST(SettingsReaderKeys, SectionAndKeyNamesAreCaseInsensitive)
{
    const SettingsReader reader =
        SettingsFile("[Window]\nWIDTH = 640\nTitle = Mixed Case\n").reader();
    EXPECT_EQ(reader.parseError(), 0);
    EXPECT_EQ(reader.getInteger("window", "width", 800), 640);
    EXPECT_EQ(reader.get("WINDOW", "title", "x"), "Mixed Case"); // values keep their case
    EXPECT_EQ(reader.sectionNames().count("Window"), 1u);
}

TEST(SettingsReaderKeys, MissingKeysGiveTheDefault)
{
    const SettingsReader reader = SettingsFile("[window]\nwidth = 640\n").reader();
    EXPECT_EQ(reader.getInteger("window", "height", 800), 800);
    EXPECT_EQ(reader.get("camera", "fov", "none"), "none");
}

TEST(SettingsReaderIntegers, ParseInBaseZeroAndStopAtTheFirstBadCharacter)
{
    const SettingsReader reader = SettingsFile("[w]\nhex = 0x400\noctal = 0800\nletters = wide\n"
                                               "trailing = 1024abc\nnegative = -12\n")
                                      .reader();
    EXPECT_EQ(reader.getInteger("w", "hex", 800), 1024);
    EXPECT_EQ(reader.getInteger("w", "octal", 800), 0); // octal parse stops at the 8
    EXPECT_EQ(reader.getInteger("w", "letters", 800), 800);
    EXPECT_EQ(reader.getInteger("w", "trailing", 800), 1024);
    EXPECT_EQ(reader.getInteger("w", "negative", 800), -12);
}

TEST(SettingsReaderReals, ParseWithStrtodAndFallBackOnText)
{
    const SettingsReader reader = SettingsFile("[w]\na = 1.5e1\nb = bright\nc = .25xyz\n").reader();
    EXPECT_DOUBLE_EQ(reader.getReal("w", "a", 1.0), 15.0);
    EXPECT_DOUBLE_EQ(reader.getReal("w", "b", 1.0), 1.0);
    EXPECT_DOUBLE_EQ(reader.getReal("w", "c", 1.0), 0.25);
}

TEST(SettingsReaderBooleans, AcceptExactlyTheKnownWordsInAnyCase)
{
    const SettingsReader reader = SettingsFile("[w]\na = Yes\nb = ON\nc = 1\nd = No\ne = off\n"
                                               "f = 0\ng = y\nh = truely\n")
                                      .reader();
    EXPECT_TRUE(reader.getBoolean("w", "a", false));
    EXPECT_TRUE(reader.getBoolean("w", "b", false));
    EXPECT_TRUE(reader.getBoolean("w", "c", false));
    EXPECT_FALSE(reader.getBoolean("w", "d", true));
    EXPECT_FALSE(reader.getBoolean("w", "e", true));
    EXPECT_FALSE(reader.getBoolean("w", "f", true));
    EXPECT_FALSE(reader.getBoolean("w", "g", false)); // unknown word: the default
    EXPECT_TRUE(reader.getBoolean("w", "h", true));
}

TEST(SettingsReaderValues, RepeatedKeysAreJoinedAndTheFirstIntegerWins)
{
    const SettingsReader reader = SettingsFile("[window]\nwidth = 640\nwidth = 1024\n").reader();
    EXPECT_EQ(reader.get("window", "width", ""), "640\n1024");
    EXPECT_EQ(reader.getInteger("window", "width", 800), 640);
}

TEST(SettingsReaderValues, AnEmptyValueIsNotTheDefault)
{
    const SettingsReader reader = SettingsFile("[window]\ntitle =\n").reader();
    EXPECT_EQ(reader.get("window", "title", "Korvel"), "");
    EXPECT_EQ(readSettings(reader).title, "");
}

TEST(SettingsReaderValues, InlineCommentsNeedWhiteSpaceBeforeTheSemicolon)
{
    const SettingsReader reader =
        SettingsFile("[window]\nbrightness = 1.5 ; brighter\nother = 1.5;kept\n").reader();
    EXPECT_EQ(reader.get("window", "brightness", ""), "1.5");
    EXPECT_EQ(reader.get("window", "other", ""), "1.5;kept");
    EXPECT_DOUBLE_EQ(reader.getReal("window", "other", 1.0), 1.5);
}

TEST(SettingsReaderSyntax, ContinuationLinesExtendThePendingValue)
{
    const SettingsReader reader =
        SettingsFile("[window]\ntitle = first\n  second\n  [not a section]\n").reader();
    EXPECT_EQ(reader.parseError(), 0);
    EXPECT_EQ(reader.get("window", "title", ""), "first\nsecond\n[not a section]");
}

TEST(SettingsReaderSyntax, AByteOrderMarkIsSkipped)
{
    const SettingsReader reader = SettingsFile("\xEF\xBB\xBF[window]\nwidth = 320\n").reader();
    EXPECT_EQ(reader.parseError(), 0);
    EXPECT_EQ(reader.getInteger("window", "width", 800), 320);
}

TEST(SettingsReaderSyntax, CommentsAndPairsBeforeAnySectionAreKept)
{
    const SettingsReader reader =
        SettingsFile("; comment\n# another\nloose = 7\n[window]\n  ; indented comment\n").reader();
    EXPECT_EQ(reader.parseError(), 0);
    EXPECT_EQ(reader.getInteger("", "loose", 0), 7);
}

TEST(SettingsReaderSyntax, BadLinesReportTheFirstAndTheRestIsStillRead)
{
    const SettingsReader reader =
        SettingsFile("[window]\nwidth = 640\nno separator here\n[broken\nheight = 480\n").reader();
    EXPECT_EQ(reader.parseError(), 3);
    EXPECT_EQ(reader.getInteger("window", "width", 800), 640);
    EXPECT_EQ(reader.getInteger("window", "height", 800), 480);
}

TEST(SettingsReaderSyntax, AFileOfOnlySyntaxErrorsLoadsWithDefaults)
{
    const SettingsReader reader = SettingsFile("this is not ini\n").reader();
    EXPECT_EQ(reader.parseError(), 1); // positive: loaded, unlike a missing file
    const Settings settings = readSettings(reader);
    EXPECT_EQ(settings.width, 800);
    EXPECT_EQ(settings.title, "Korvel");
}

TEST(SettingsReaderFile, AMissingFileWarnsOnceAndGivesDefaults)
{
    TempDir folder;
    const std::string path = (folder / "absent.ini").string();
    testing::internal::CaptureStdout();
    const SettingsReader reader(path);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(reader.parseError(), -1);
    EXPECT_EQ(printed, "WARNING: " + path + " not found! Using defaults instead.\n");
    const Settings settings = readSettings(reader);
    EXPECT_EQ(settings.width, 800);
    EXPECT_EQ(settings.height, 800);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_FLOAT_EQ(settings.far, 100.0f);
}

TEST(SettingsRecord, ReadsAllEightKeys)
{
    const SettingsReader reader = SettingsFile("[Window]\nWidth=0x280\nheight=480\ntitle=Test\n"
                                               "fullscreen=YES\nbrightness=0.5\n"
                                               "[camera]\nfov=45\nnear=0.5\nfar=250\n")
                                      .reader();
    const Settings settings = readSettings(reader);
    EXPECT_EQ(settings.width, 640);
    EXPECT_EQ(settings.height, 480);
    EXPECT_EQ(settings.title, "Test");
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_FLOAT_EQ(settings.brightness, 0.5f);
    EXPECT_FLOAT_EQ(settings.fov, 45.0f);
    EXPECT_FLOAT_EQ(settings.near, 0.5f);
    EXPECT_FLOAT_EQ(settings.far, 250.0f);
}

TEST(SettingsReaderText, TextInMemoryParsesAsTheSameFileOnDisk)
{
    const std::string text = "\xEF\xBB\xBF[Window]\nwidth = 0x400\nbroken line\ntitle = A\n"
                             "  and B\n[camera]\nfar = 1e3 ; cut\n";
    const SettingsReader fromFile = SettingsFile(text).reader();
    testing::internal::CaptureStdout();
    const SettingsReader fromText = SettingsReader::fromText(text);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(fromText.parseError(), fromFile.parseError());
    EXPECT_EQ(fromText.parseError(), 3); // "broken line"
    EXPECT_EQ(fromText.sectionNames(), fromFile.sectionNames());
    EXPECT_EQ(fromText.getInteger("window", "width", 0), 1024);
    EXPECT_EQ(fromText.get("window", "title", ""), "A\nand B");
    EXPECT_EQ(fromText.getReal("camera", "far", 0.0), 1000.0);

    const SettingsReader empty = SettingsReader::fromText("");
    EXPECT_EQ(empty.parseError(), 0);
    EXPECT_EQ(empty.get("window", "title", "default"), "default");
}
