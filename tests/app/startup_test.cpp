// Start-up, the data check, the screen dispatcher's entry actions, the tick and shutdown.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/session.h"
#include "media/byte_io.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"
#include "store/atomic_write.h"
#include "store/records.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace {

// The texts part their lines with "\n\r"; the box and the terminal show two clean lines.
const std::string kTail =
    "!!!\nPlease read the Troubleshooting section in file readme.doc to find out what you sould "
    "do.";

std::string CheckMessage(const std::string& dir) {
    Game game;
    game.ProgramDir = dir;
    testing::internal::CaptureStderr();
    bool ok = CheckDataFiles(game);
    std::string err = testing::internal::GetCapturedStderr();
    return ok ? "" : err;
}

size_t FileCount(const std::string& dir) {
    size_t n = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir)) ++n;
    return n;
}

}  // namespace

TEST(DataCheck, NamesTheFirstMissingFileAndWritesNothing) {
    TempDir dir;
    EXPECT_EQ(CheckMessage(dir.Path()), "Cannot find the tolmara.dxg data file" + kTail + "\n");
    EXPECT_EQ(FileCount(dir.Path()), 0u);
    WriteTestDataFiles(dir.Path());
    std::filesystem::remove(dir.File("computer.dxg"));
    std::filesystem::remove(dir.File("tolmarakx.cfg"));
    EXPECT_EQ(CheckMessage(dir.Path()), "Cannot find the computer.dxg data file" + kTail + "\n");
    WriteTestDataFiles(dir.Path());
    std::filesystem::remove(dir.File("tolmarakx.cfg"));
    EXPECT_EQ(CheckMessage(dir.Path()), "Cannot find tolmarakx.cfg data file" + kTail + "\n");
    WriteTestDataFiles(dir.Path());
    EXPECT_EQ(CheckMessage(dir.Path()), "");
}

// Something that stands where a file should be but is no readable file is named with its path,
// in the save folder when the saves are kept apart from the data files.
TEST(DataCheck, AFolderInPlaceOfTheSettingsNamesItsPathInTheSaveFolder) {
    TempDir data, save;
    WriteTestDataFiles(data.Path());
    std::filesystem::create_directory(save.File("tolmarakx.cfg"));
    Game game;
    game.ProgramDir = data.Path();
    game.SaveDir = save.Path();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(CheckDataFiles(game));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(save.File("tolmarakx.cfg") + ": a folder stands where this file should be"),
              std::string::npos)
        << err;
}

// A portable copy that can no longer be written: its players and settings go with the player to
// the save folder, and the player is told once where the saves now go.
TEST(StartUp, SavesMovedFromAnUnwritableFolderKeepThePlayersAndSaySoOnce) {
    TempDir data, home;
    WriteTestDataFiles(data.Path());
    PlayerTable stored;
    stored.PlayerCount = 1;
    stored.PlayerNames[1] = "Ann";
    stored.PlayerLevels[1] = 3;
    WritePlayerNames(stored, 300, data.Path());
    const std::string save = home.File("tolmara-deepgrid/");
    testing::internal::CaptureStderr();
    {
        auto game = StartGame(SessionOptions{data.Path(), true, 7, save});
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(save), std::string::npos) << err;
        EXPECT_EQ(game->players.PlayerCount, 1);
        EXPECT_EQ(game->players.PlayerNames[1], "Ann");
        ASSERT_EQ(game->messages.MessageCount, 1);
        const int shown = game->messages.MessageQueue[0].Code;
        EXPECT_NE(game->messages.MessageTexts[shown].find(save), std::string::npos);
    }
    auto again = StartGame(SessionOptions{data.Path(), true, 7, save});
    EXPECT_EQ(again->messages.MessageCount, 0);
    EXPECT_EQ(again->players.PlayerNames[1], "Ann");
}

TEST(StartUp, RunsHeadlessToTheIntroLogoAndShutsDownCleanly) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    auto game = StartGame(SessionOptions{dir.Path(), true, 7});
    EXPECT_EQ(game->screens.CurrentScreen, Screen::IntroLogo);
    EXPECT_EQ(game->ScreenTick, &IntroLogoTick);
    EXPECT_EQ(game->world.play.CurrentLevel, 1);
    EXPECT_EQ(game->levels.LevelSet.LevelCount, 3);
    EXPECT_EQ(game->world.tiles.FrameRate[70], 150);
    for (int i = 0; i < 20; ++i) RunTick(*game, 17);
    EXPECT_FALSE(game->Terminated);
    ShutdownSequence(*game);
    EXPECT_TRUE(game->Terminated);
    EXPECT_TRUE(std::filesystem::exists(dir.File("playersnames.grf")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("tolmarakx.cfg")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("playersnames.grf.tmp")));
}

TEST(StartUp, FatalErrorAfterStartUpKeepsThePlayersProgress) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    auto game = StartGame(SessionOptions{dir.Path(), true, 7});
    game->players.PlayerCount = 1;
    game->players.PlayerNames[1] = "Ann";
    game->players.PlayerLevels[1] = 4;
    testing::internal::CaptureStderr();
    AppException(*game, std::runtime_error("boom"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("boom"), std::string::npos);
    EXPECT_TRUE(game->Terminated);
    PlayerTable read;
    int32_t speed = 0;
    ReadPlayerNames(read, speed, dir.Path());
    EXPECT_EQ(read.PlayerCount, 1);
    EXPECT_EQ(read.PlayerNames[1], "Ann");
    EXPECT_EQ(read.PlayerLevels[1], 4);
}

// The level at start is the one reached by the player in slot 1. Starting level 3 of the
// standard set queues its tip delayed; the level start keeps it, and play shows it on the first
// line once it is older than 500 ms.
TEST(StartUp, StartsAtSlotOnesLevelAndItsTipShowsInPlayAfterHalfASecond) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    PlayerTable stored;
    stored.PlayerCount = 2;
    stored.PlayerNames[1] = "Ann";
    stored.PlayerLevels[1] = 3;
    stored.PlayerNames[2] = "Bo";
    stored.PlayerLevels[2] = 2;
    WritePlayerNames(stored, 300, dir.Path());
    auto game = StartGame(SessionOptions{dir.Path(), true, 7});
    Game& g = *game;
    EXPECT_EQ(g.world.play.CurrentLevel, 3);

    const uint16_t strip = RgbTo565(0xE0E0C0);
    SetScreen(g, Screen::LevelStart);
    RunTick(g, 250);  // loads the level and switches to play; the tip is 250 ms old
    EXPECT_EQ(g.screens.CurrentScreen, Screen::GamePlay);
    RunTick(g, 250);
    EXPECT_NE(g.media.Back.At(70, 10), strip);
    RunTick(g, 1);
    EXPECT_EQ(g.media.Back.At(70, 10), strip);
    ASSERT_GE(g.messages.MessageCount, 1);
    EXPECT_EQ(g.messages.MessageQueue[0].Code, 121 + 200);
}

TEST(ScreenDispatch, EntryActions) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    auto game = StartGame(SessionOptions{dir.Path(), true, 7});
    Game& g = *game;
    ClearMessages(g.messages);
    SetScreen(g, Screen::PlayersLevels);
    EXPECT_TRUE(g.input.AddNameKey);
    ASSERT_EQ(g.messages.MessageCount, 1);
    EXPECT_EQ(g.messages.MessageQueue[0].Code, 114);
    EXPECT_EQ(g.ScreenTick, &PlayersLevelsTick);

    ClearMessages(g.messages);
    g.world.play.CurrentLevel = 5;
    g.settings.LevelsFile = "Tolmara.lev";
    SetScreen(g, Screen::LevelStart);
    ASSERT_EQ(g.messages.MessageCount, 1);
    EXPECT_EQ(g.messages.MessageQueue[0].Code, 122 + 200);
    ClearMessages(g.messages);
    g.settings.LevelsFile = "Other.lev";
    SetScreen(g, Screen::LevelStart);
    EXPECT_EQ(g.messages.MessageCount, 0);

    SetScreen(g, static_cast<Screen>(4));  // not a screen: only the code changes
    EXPECT_EQ(g.screens.CurrentScreen, static_cast<Screen>(4));
    EXPECT_EQ(g.ScreenTick, &LevelStartTick);
    EXPECT_TRUE(g.timer.Enabled);
}

TEST(ScreenDispatch, TickAgesByAtLeastOneMillisecond) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    auto game = StartGame(SessionOptions{dir.Path(), true, 7});
    ClearMessages(game->messages);
    ShowMessage(*game, MessageId::MusicEnabled);
    RunTick(*game, 0);
    EXPECT_EQ(game->messages.MessageQueue[0].Age, 1);
    ApplySpeed(*game);
    game->settings.Speed = 250;
    ApplySpeed(*game);
    EXPECT_EQ(game->world.tiles.FrameRate[75], 125);
}

namespace {

// A damaged records file is moved aside with a message naming it; the game starts and keeps
// new records.
TEST(StartUp, ADamagedRecordsFileIsMovedAsideAndTheGamePlaysOn) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    WriteFileAtomically(dir.File(kRecordsFile), Bytes{'n', 'o', 'p', 'e'});
    testing::internal::CaptureStderr();
    auto game = StartGame(SessionOptions{dir.Path(), true, 7});
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(dir.File(kRecordsFile) + ": the records were damaged"), std::string::npos)
        << err;
    ASSERT_TRUE(game->records);
    EXPECT_EQ(ReadFileBytes(dir.File(std::string(kRecordsFile) + ".damaged")),
              (Bytes{'n', 'o', 'p', 'e'}));
    ASSERT_EQ(game->messages.MessageCount, 1);
    const int shown = game->messages.MessageQueue[0].Code;
    EXPECT_NE(game->messages.MessageTexts[shown].find(".damaged"), std::string::npos);
    for (int i = 0; i < 20; ++i) RunTick(*game, 17);
    EXPECT_FALSE(game->Terminated);
}

}  // namespace

namespace {

// The game starts with the player who last started a level selected, on their newest level.
TEST(StartUp, SelectsThePlayerWhoPlayedLast) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    PlayerTable stored;
    stored.PlayerCount = 2;
    stored.PlayerNames[1] = "Ann";
    stored.PlayerLevels[1] = 2;
    stored.PlayerNames[2] = "Bo";
    stored.PlayerLevels[2] = 3;
    WritePlayerNames(stored, 300, dir.Path());
    {
        std::string notice;
        RecordStore::Open(dir.File(kRecordsFile), notice)->SetChoice("last player", "Bo");
    }
    auto game = StartGame(SessionOptions{dir.Path(), true, 7});
    EXPECT_EQ(game->players.CurrentPlayer, 2);
    EXPECT_EQ(game->world.play.CurrentLevel, 3);
}

}  // namespace
