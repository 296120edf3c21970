// The configuration file: its exact layout, reading it back, the earlier layout, and its errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "media/byte_io.h"
#include "store/atomic_write.h"
#include "store/player_table.h"
#include "store/settings.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace {

std::string Crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

const std::string kHeader = "- Tolmara 2.1 internal configuration file ------------------------";

// The file of two songs and two levels, line by line.
std::vector<std::string> ExampleLines() {
    return {kHeader,
            "---------------------- Please do not modify! -----------------------",
            "",
            "Character = Vuzoda;",
            "Show tips = false;",
            "Music enabled = true;",
            "Sounds enabled = false;",
            "Music Volume = 300;",
            "Sounds Volume = -5;",
            "Speed = 250;",
            "Levels File = my levels.lev;",
            "",
            "------------------------ Music configuration -----------------------",
            "",
            "Number of songs = 2;",
            "",
            "Song1 = music/one.mid;",
            "Song2 = ;",
            "",
            "------------------------ Levels songs ------------------------------",
            "------------- At every level will be a song number -----------------",
            "----- 0 means random, the game will choose one of the songs --------",
            "",
            "Number of levels = 2;",
            "",
            "Menu = 2;",
            "Level1 = 0;",
            "Level2 = -1;",
            "",
            "--------------------- End of configuration file --------------------"};
}

Settings ExampleSettings() {
    Settings s;
    s.Character = 0;
    s.ShowTips = 0;
    s.MusicEnabled = 1;
    s.SoundsEnabled = 0;
    s.MusicVolume = 300;
    s.SoundsVolume = -5;
    s.Speed = 250;
    s.LevelsFile = "my levels.lev";
    s.SongCount = 2;
    s.Songs[0] = "music/one.mid";
    s.Songs[1] = "";
    s.LevelSongCount = 2;
    s.LevelSongs[0] = 2;
    s.LevelSongs[1] = 0;
    s.LevelSongs[2] = -1;
    return s;
}

void ExpectSame(const Settings& a, const Settings& b) {
    EXPECT_EQ(a.Character, b.Character);
    EXPECT_EQ(a.ShowTips, b.ShowTips);
    EXPECT_EQ(a.MusicEnabled, b.MusicEnabled);
    EXPECT_EQ(a.SoundsEnabled, b.SoundsEnabled);
    EXPECT_EQ(a.MusicVolume, b.MusicVolume);
    EXPECT_EQ(a.SoundsVolume, b.SoundsVolume);
    EXPECT_EQ(a.Speed, b.Speed);
    EXPECT_EQ(a.LevelsFile, b.LevelsFile);
    ASSERT_EQ(a.SongCount, b.SongCount);
    for (int k = 0; k < a.SongCount; ++k) EXPECT_EQ(a.Songs[k], b.Songs[k]);
    ASSERT_EQ(a.LevelSongCount, b.LevelSongCount);
    for (int j = 0; j <= a.LevelSongCount; ++j) EXPECT_EQ(a.LevelSongs[j], b.LevelSongs[j]);
}

class Configuration : public ::testing::Test {
  protected:
    void WriteLines(const std::vector<std::string>& lines) {
        WriteTextFile(dir.File("tolmarakx.cfg"), Crlf(lines));
    }
    Settings Read() {
        Settings s;
        ReadConfiguration(s, dir.Path());
        return s;
    }
    std::string ErrorOf(const std::vector<std::string>& lines) {
        WriteLines(lines);
        try {
            Read();
        } catch (const FileError& e) {
            return e.what();
        }
        return "";
    }
    TempDir dir;
};

TEST_F(Configuration, WritesTheExactLayout) {
    WriteConfiguration(ExampleSettings(), dir.Path());
    Bytes bytes = ReadFileBytes(dir.File("tolmarakx.cfg"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), Crlf(ExampleLines()));
    EXPECT_FALSE(std::filesystem::exists(dir.File("tolmarakx.cfg.tmp")));
    ExpectSame(Read(), ExampleSettings());
}

TEST_F(Configuration, RoundTripOfTheDefaultsAndFullLists) {
    Settings s;
    s.LevelsFile = "Tolmara.lev";
    s.SongCount = 100;
    for (int k = 0; k < 100; ++k) s.Songs[k] = "song" + std::to_string(k) + ".ogg";
    s.LevelSongCount = 100;
    for (int j = 0; j <= 100; ++j) s.LevelSongs[j] = j % 7;
    WriteConfiguration(s, dir.Path());
    ExpectSame(Read(), s);
    s.SongCount = 0;
    s.LevelSongCount = 0;
    WriteConfiguration(s, dir.Path());  // rewriting replaces the whole file
    ExpectSame(Read(), s);
}

TEST_F(Configuration, ValuesAreReadAfterTheEqualsSign) {
    std::vector<std::string> lines = ExampleLines();
    lines[3] = "Character = vivuz;";  // case matters: Vuzoda
    lines[4] = "Show tips = True;";   // case matters: false
    lines[5] = "Anything=true;";      // the key is not looked at; no space is needed
    lines[10] = "Levels File = ;";    // an empty value
    lines[16] = "Song1 =  two spaces.mid; trailing text";
    WriteLines(lines);
    Settings s = Read();
    EXPECT_EQ(s.Character, 0);
    EXPECT_EQ(s.ShowTips, 0);
    EXPECT_EQ(s.MusicEnabled, 1);
    EXPECT_EQ(s.LevelsFile, "");
    EXPECT_EQ(s.Songs[0], " two spaces.mid");
    lines[3] = "Character = Vivuz;";
    WriteLines(lines);
    EXPECT_EQ(Read().Character, 1);
}

TEST_F(Configuration, SpeedIsBroughtIntoRangeAndVolumesKeptAsRead) {
    std::vector<std::string> lines = ExampleLines();
    lines[9] = "Speed = 150;";
    WriteLines(lines);
    Settings s = Read();
    EXPECT_EQ(s.Speed, 200);
    EXPECT_EQ(s.MusicVolume, 300);
    EXPECT_EQ(s.SoundsVolume, -5);
    lines[9] = "Speed = +999;";
    WriteLines(lines);
    EXPECT_EQ(Read().Speed, 400);
}

TEST_F(Configuration, EarlierLayoutWithoutVolumeLines) {
    std::vector<std::string> lines = ExampleLines();
    lines[0] = "- Tolmara 2.0 internal configuration file ------------------------";
    lines.erase(lines.begin() + 7, lines.begin() + 9);
    WriteLines(lines);
    Settings s = Read();
    EXPECT_EQ(s.MusicVolume, 90);
    EXPECT_EQ(s.SoundsVolume, 35);
    EXPECT_EQ(s.Speed, 250);
    EXPECT_EQ(s.LevelsFile, "my levels.lev");
    EXPECT_EQ(s.LevelSongs[2], -1);
}

TEST_F(Configuration, ShippedTestConfigurationReads) {
    WriteTextFile(dir.File("tolmarakx.cfg"), TestConfigText("Tolmara.lev", false, true, 3));
    Settings s = Read();
    EXPECT_EQ(s.LevelSongCount, 3);
    EXPECT_EQ(s.LevelsFile, "Tolmara.lev");
    EXPECT_EQ(s.SoundsEnabled, 1);
}

TEST_F(Configuration, ErrorsNameTheFileAndLine) {
    std::vector<std::string> lines = ExampleLines();
    lines[9] = "Speed = x;";
    EXPECT_EQ(ErrorOf(lines), "tolmarakx.cfg, line 10: 'x' is not a valid integer value");
    lines = ExampleLines();
    lines[7] = "Music Volume = 99999999999;";
    EXPECT_EQ(ErrorOf(lines), "tolmarakx.cfg, line 8: '99999999999' is not a valid integer value");
    lines = ExampleLines();
    lines[26] = "Level1 = 1 ;";
    EXPECT_EQ(ErrorOf(lines), "tolmarakx.cfg, line 27: '1 ' is not a valid integer value");
    lines = ExampleLines();
    lines[14] = "Number of songs = 101;";
    EXPECT_EQ(ErrorOf(lines), "tolmarakx.cfg, line 15: 101 songs, must be 0 to 100");
    lines = ExampleLines();
    lines.resize(17);  // ends after the first song
    EXPECT_EQ(ErrorOf(lines), "tolmarakx.cfg, line 18: the file ends before the value of 'Song2'");
    lines.resize(2);
    EXPECT_EQ(ErrorOf(lines),
              "tolmarakx.cfg, line 3: the file ends before the value of 'Character'");
    EXPECT_EQ(ErrorOf({}), "tolmarakx.cfg, line 1: the file ends before the value of 'Character'");
    std::filesystem::remove(dir.File("tolmarakx.cfg"));
    Settings s;
    try {
        ReadConfiguration(s, dir.Path());
        ADD_FAILURE() << "a missing file was read";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), dir.File("tolmarakx.cfg") + ": cannot open file");
    }
}

TEST_F(Configuration, FailedReadLeavesTheSettings) {
    std::vector<std::string> lines = ExampleLines();
    lines[26] = "Level1 = x;";
    WriteLines(lines);
    Settings s;
    s.Speed = 333;
    s.LevelsFile = "kept.lev";
    EXPECT_THROW(ReadConfiguration(s, dir.Path()), FileError);
    EXPECT_EQ(s.Speed, 333);
    EXPECT_EQ(s.LevelsFile, "kept.lev");
}

}  // namespace

namespace {

// A file of the current layout with one song and one level; each test edits single lines.
std::vector<std::string> BaseLines() {
    return {"- Tolmara 2.1 internal configuration file ------------------------",
            "---------------------- Please do not modify! -----------------------",
            "",
            "Character = Vivuz;",
            "Show tips = true;",
            "Music enabled = false;",
            "Sounds enabled = true;",
            "Music Volume = 80;",
            "Sounds Volume = 60;",
            "Speed = 300;",
            "Levels File = Tolmara.lev;",
            "",
            "------------------------ Music configuration -----------------------",
            "",
            "Number of songs = 1;",
            "",
            "Song1 = one.mid;",
            "",
            "------------------------ Levels songs ------------------------------",
            "------------- At every level will be a song number -----------------",
            "----- 0 means random, the game will choose one of the songs --------",
            "",
            "Number of levels = 1;",
            "",
            "Menu = 1;",
            "Level1 = 1;",
            "",
            "--------------------- End of configuration file --------------------"};
}

class ConfigurationEdges : public ::testing::Test {
  protected:
    Settings Read(const std::vector<std::string>& lines, Settings start = Settings{}) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        WriteTextFile(dir.File("tolmarakx.cfg"), text);
        ReadConfiguration(start, dir.Path());
        return start;
    }
    TempDir dir;
};

}  // namespace

// The character after "=" starts the value unless it is a space, and a ";" there is no
// exception: "=;" reads ";", while " = ;" reads an empty value.
TEST_F(ConfigurationEdges, ASemicolonRightAfterTheEqualsSignIsTheValue) {
    std::vector<std::string> lines = BaseLines();
    lines[10] = "Levels File =;";
    lines[16] = "Song1 = ;";
    Settings s = Read(lines);
    EXPECT_EQ(s.LevelsFile, ";");
    EXPECT_EQ(s.Songs[0], "");
    EXPECT_EQ(s.Speed, 300);  // the next values are read in step
    EXPECT_EQ(s.LevelSongs[1], 1);

    lines = BaseLines();
    lines[9] = "Speed =;";
    try {
        Read(lines);
        ADD_FAILURE() << "a speed of \";\" was read";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "tolmarakx.cfg, line 10: ';' is not a valid integer value");
    }
}

// A negative level count reads nothing, not even the menu's song; a negative song count reads
// no song. The values after them are then taken from where the reader stands.
TEST_F(ConfigurationEdges, NegativeCountsReadNoEntries) {
    std::vector<std::string> lines = BaseLines();
    lines[22] = "Number of levels = -1;";
    Settings start;
    start.LevelSongs[0] = 7;
    start.LevelSongs[1] = 8;
    Settings s = Read(lines, start);
    EXPECT_EQ(s.LevelSongCount, 0);
    EXPECT_EQ(s.LevelSongs[0], 7);  // "Menu = 1" is not read
    EXPECT_EQ(s.LevelSongs[1], 8);
    EXPECT_EQ(s.SongCount, 1);

    lines = BaseLines();
    lines[14] = "Number of songs = -3;";
    lines.erase(lines.begin() + 16);  // no song line; the level values follow as usual
    s = Read(lines);
    EXPECT_EQ(s.SongCount, 0);
    EXPECT_EQ(s.LevelSongCount, 1);
    EXPECT_EQ(s.LevelSongs[0], 1);
    EXPECT_EQ(s.LevelSongs[1], 1);

    // Written back, the file holds counts of 0 and reads the same again.
    WriteConfiguration(s, dir.Path());
    Settings again;
    ReadConfiguration(again, dir.Path());
    EXPECT_EQ(again.SongCount, 0);
    EXPECT_EQ(again.LevelSongCount, 1);
    EXPECT_EQ(again.LevelSongs[0], 1);
}
