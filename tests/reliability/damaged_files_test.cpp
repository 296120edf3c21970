// Every damaged file ends in one clear error naming the file, what was wrong and where: each
// reader is given its file cut short at every length and with single bytes spoilt, and must
// either accept it or throw a FileError of that form; never crash, hang or take a half read.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "app/game.h"
#include "level/level_loader.h"
#include "media/byte_io.h"
#include "media/library_format.h"
#include "store/player_table.h"
#include "store/settings.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    WriteTextFile(path, std::string(bytes.begin(), bytes.end()));
}

// A game with the test data files, the tile animation tables and no display.
std::unique_ptr<Game> LevelGame(const TempDir& dir) {
    auto game = std::make_unique<Game>();
    game->ProgramDir = dir.Path();
    game->settings.LevelsFile = "Tolmara.lev";
    FillTileTables(game->tiles);
    ApplySpeedToTables(game->tiles, 300);
    return game;
}

TEST(DamagedFiles, LevelSetCutShortAtEveryLength) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    const Bytes whole = TestLevelSetBytes(TestLevels());
    auto game = LevelGame(dir);
    int indexErrors = 0, levelErrors = 0;
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        WriteBytes(dir.File("Tolmara.lev"), Bytes(whole.begin(), whole.begin() + cut));
        try {
            ReadLevelSet(*game);
        } catch (const FileError& e) {
            ++indexErrors;
            ASSERT_TRUE(StartsWith(e.what(), "Tolmara.lev: ")) << e.what();
            continue;
        }
        // The names could be read: the last level's record is what is missing.
        const int last = game->levels.LevelSet.LevelCount;
        for (int n = 1; n < last; ++n) loadlevel(*game, n);
        try {
            loadlevel(*game, last);
            FAIL() << "level " << last << " loaded from a file cut at " << cut;
        } catch (const FileError& e) {
            ++levelErrors;
            std::string where = "Tolmara.lev: level " + std::to_string(last) + ": ";
            ASSERT_TRUE(StartsWith(e.what(), where)) << e.what();
            ASSERT_NE(std::string(e.what()).find("unexpected end of file at offset"),
                      std::string::npos)
                << e.what();
        }
    }
    EXPECT_GT(indexErrors, 4000);  // the index alone is over 4000 bytes
    EXPECT_GT(levelErrors, 0);
}

TEST(DamagedFiles, LevelSetWithSpoiltBytesLoadsOrFailsClearly) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    const Bytes whole = TestLevelSetBytes(TestLevels());
    auto game = LevelGame(dir);
    for (size_t at = 0; at < whole.size(); at += (at < 16 || at >= 4000 ? 1 : 97)) {
        for (uint8_t value : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0xFF}}) {
            Bytes spoilt = whole;
            spoilt[at] = value;
            WriteBytes(dir.File("Tolmara.lev"), spoilt);
            try {
                ReadLevelSet(*game);
                for (int n = 1; n <= game->levels.LevelSet.LevelCount; ++n) loadlevel(*game, n);
            } catch (const FileError& e) {
                ASSERT_TRUE(StartsWith(e.what(), "Tolmara.lev: ")) << e.what();
            }
        }
    }
}

TEST(DamagedFiles, ConfigurationCutShortAtEveryLength) {
    TempDir dir;
    const std::string whole = TestConfigText("Tolmara.lev", false, true, 3);
    // The reader needs everything up to the "=" of the last value ("Level3 = ...").
    const size_t needed = whole.rfind('=') + 1;
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        WriteTextFile(dir.File("tolmarakx.cfg"), whole.substr(0, cut));
        Settings settings;
        settings.LevelsFile = "before";
        try {
            ReadConfiguration(settings, dir.Path());
            ASSERT_GE(cut, needed) << "a configuration cut at " << cut << " was accepted";
        } catch (const FileError& e) {
            // Missing values, or a number cut to nothing.
            ASSERT_TRUE(StartsWith(e.what(), "tolmarakx.cfg, line ")) << e.what();
            ASSERT_EQ(settings.LevelsFile, "before") << "a failed read changed the settings";
        }
    }
}

TEST(DamagedFiles, PlayerNamesCutShortAtEveryLength) {
    TempDir dir;
    PlayerTable players;
    players.PlayerCount = 2;
    players.PlayerNames[1] = "Ann";
    players.PlayerLevels[1] = 4;
    players.PlayerNames[2] = "Bo";
    WritePlayerNames(players, 350, dir.Path());
    const Bytes whole = ReadFileBytes(dir.File("playersnames.grf"));
    ASSERT_EQ(whole.size(), 29u);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        WriteBytes(dir.File("playersnames.grf"), Bytes(whole.begin(), whole.begin() + cut));
        PlayerTable read;
        int32_t speed = 300;
        try {
            ReadPlayerNames(read, speed, dir.Path());
            FAIL() << "a player names file cut at " << cut << " was accepted";
        } catch (const FileError& e) {
            ASSERT_TRUE(StartsWith(e.what(), "playersnames.grf: ")) << e.what();
            ASSERT_NE(std::string(e.what()).find("unexpected end of file at offset "),
                      std::string::npos)
                << e.what();
            ASSERT_EQ(read.PlayerCount, 0);
            ASSERT_EQ(speed, 300);
        }
    }
}

// Libraries: every cut of a small library and every spoilt byte of its header and first items.
template <typename Read>
void CheckLibraryDamage(const std::string& name, const Bytes& whole, Read read) {
    // Every length through the header and the first items, then some 100 lengths spread over
    // the rest: each read decodes the whole library.
    const size_t stride = std::max<size_t>(1, whole.size() / 100);
    for (size_t cut = 0; cut < whole.size(); cut += (cut < 512 ? 1 : stride)) {
        try {
            read(Bytes(whole.begin(), whole.begin() + cut), name);
            FAIL() << name << " cut at " << cut << " was accepted";
        } catch (const FileError& e) {
            ASSERT_TRUE(StartsWith(e.what(), name + ": ")) << e.what();
        }
    }
    for (size_t at = 0; at < whole.size(); at += (at < 512 ? 1 : stride)) {
        Bytes spoilt = whole;
        spoilt[at] ^= 0xA5;
        try {
            read(spoilt, name);
        } catch (const FileError& e) {
            ASSERT_TRUE(StartsWith(e.what(), name + ": ")) << e.what();
        }
    }
}

TEST(DamagedFiles, PictureLibraryCutShortOrSpoilt) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    CheckLibraryDamage("computer.dxg", ReadFileBytes(dir.File("computer.dxg")),
                       [](const Bytes& bytes, const std::string& name) {
                           PictureList list;
                           list.LoadLibrary(ReadPictureLibrary(bytes, name));
                       });
}

TEST(DamagedFiles, SoundLibraryCutShortOrSpoilt) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    CheckLibraryDamage(
        "sounds.dxg", ReadFileBytes(dir.File("sounds.dxg")),
        [](const Bytes& bytes, const std::string& name) { ReadSoundLibrary(bytes, name); });
}

}  // namespace
