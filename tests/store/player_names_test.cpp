// The player names file: byte-exact layout, reading it back, a missing file, and broken files.
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

const Bytes kAnnAndBo = {0x02, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x5E, 0x01,
                         0x00, 0x00, 0x03, 0x41, 0x6E, 0x6E, 0x04, 0x00, 0x00, 0x00,
                         0x01, 0x02, 0x42, 0x6F, 0x01, 0x00, 0x00, 0x00, 0x00};

class PlayerNames : public ::testing::Test {
  protected:
    std::string Path() const { return dir.File("playersnames.grf"); }
    std::string ErrorOf(const Bytes& bytes) {
        WriteFileAtomically(Path(), bytes);
        PlayerTable players;
        int32_t speed = 0;
        try {
            ReadPlayerNames(players, speed, dir.Path());
        } catch (const FileError& e) {
            EXPECT_EQ(players.PlayerCount, 0) << "the table changed";
            return e.what();
        }
        return "";
    }
    TempDir dir;
};

TEST_F(PlayerNames, WritesTheExactBytes) {
    PlayerTable players;
    players.PlayerCount = 2;
    players.NamesFileSpare = 7;
    players.PlayerNames[1] = "Ann";
    players.PlayerLevels[1] = 4;
    players.PlayerCharacter[1] = 1;
    players.PlayerNames[2] = "Bo";
    players.PlayerLevels[2] = 1;
    players.PlayerCharacter[2] = 0;
    players.PlayerNames[3] = "not stored";
    WritePlayerNames(players, 350, dir.Path());
    EXPECT_EQ(ReadFileBytes(Path()), kAnnAndBo);
    EXPECT_FALSE(std::filesystem::exists(Path() + ".tmp"));
}

TEST_F(PlayerNames, ReadingAndWritingAgainGivesTheSameBytes) {
    WriteFileAtomically(Path(), kAnnAndBo);
    PlayerTable players;
    int32_t speed = 0;
    ReadPlayerNames(players, speed, dir.Path());
    EXPECT_EQ(players.PlayerCount, 2);
    EXPECT_EQ(players.NamesFileSpare, 7);
    EXPECT_EQ(speed, 350);
    EXPECT_EQ(players.PlayerNames[1], "Ann");
    EXPECT_EQ(players.PlayerLevels[1], 4);
    EXPECT_EQ(players.PlayerCharacter[1], 1);
    EXPECT_EQ(players.PlayerNames[2], "Bo");
    EXPECT_EQ(players.PlayerNames[3], kNoName);
    EXPECT_EQ(players.PlayerLevels[3], 1);
    EXPECT_EQ(players.CurrentPlayer, 1);
    std::filesystem::remove(Path());
    WritePlayerNames(players, speed, dir.Path());
    EXPECT_EQ(ReadFileBytes(Path()), kAnnAndBo);
}

TEST_F(PlayerNames, NoPlayersAndNoFile) {
    PlayerTable players;
    int32_t speed = 300;
    ReadPlayerNames(players, speed, dir.Path());  // no file: nothing changes, no error
    EXPECT_EQ(players.PlayerCount, 0);
    EXPECT_EQ(players.PlayerNames[100], kNoName);
    EXPECT_EQ(speed, 300);
    WritePlayerNames(players, 300, dir.Path());
    EXPECT_EQ(ReadFileBytes(Path()), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0x2C, 0x01, 0, 0}));
}

TEST_F(PlayerNames, NamesAreLatin1BytesOfAtMost255) {
    PlayerTable players;
    players.PlayerCount = 2;
    players.PlayerNames[1] = "Z\xF6\xE9";
    players.PlayerNames[2] = std::string(300, 'n');
    WritePlayerNames(players, 300, dir.Path());
    PlayerTable read;
    int32_t speed = 0;
    ReadPlayerNames(read, speed, dir.Path());
    EXPECT_EQ(read.PlayerNames[1], "Z\xF6\xE9");
    EXPECT_EQ(read.PlayerNames[2], std::string(255, 'n'));
}

TEST_F(PlayerNames, BrokenFilesAreRefused) {
    EXPECT_EQ(ErrorOf({101, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
              "playersnames.grf: PlayerCount: 101 players, must be 0 to 100");
    EXPECT_EQ(ErrorOf(Bytes(kAnnAndBo.begin(), kAnnAndBo.end() - 1)),
              "playersnames.grf: player 2: unexpected end of file at offset 28");
    EXPECT_EQ(ErrorOf(Bytes(kAnnAndBo.begin(), kAnnAndBo.begin() + 14)),
              "playersnames.grf: player 1: unexpected end of file at offset 13");
    EXPECT_EQ(ErrorOf({1, 0, 0}),
              "playersnames.grf: PlayerCount: unexpected end of file at offset 0");
    EXPECT_EQ(ErrorOf(Bytes(kAnnAndBo.begin(), kAnnAndBo.begin() + 9)),
              "playersnames.grf: Speed: unexpected end of file at offset 8");
}

}  // namespace

// A negative player count reads no record: the game starts with no players, but the spare
// value and the speed before the records are still taken.
TEST(PlayerNamesEdges, ANegativeCountReadsNoPlayer) {
    TempDir dir;
    const Bytes bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0x09, 0x00, 0x00, 0x00, 0x5E, 0x01, 0x00,
                         0x00, 0x03, 0x41, 0x6E, 0x6E, 0x04, 0x00, 0x00, 0x00, 0x01};
    WriteFileAtomically(dir.File("playersnames.grf"), bytes);
    PlayerTable players;
    int32_t speed = 0;
    ReadPlayerNames(players, speed, dir.Path());
    EXPECT_EQ(players.PlayerCount, 0);
    EXPECT_EQ(players.PlayerNames[1], kNoName);
    EXPECT_EQ(players.NamesFileSpare, 9);
    EXPECT_EQ(speed, 350);
}
