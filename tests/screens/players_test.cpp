// The players and levels screen: name entry, the player table, level choice and start requests.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/session.h"
#include "menu_rig.h"
#include "screens/screen_dispatch.h"

namespace {

constexpr uint16_t kRed = 0xF800, kGreen = 0x07E0, kYellow = 0xFFE0;

void ReachIdlePlayers(MenuRig& rig) {
    rig.Enter(Screen::PlayersLevels);
    rig.Ticks(18);  // the level panel needs 334 ms
}

// Enter as the window delivers it during name entry: a key-down and the typed character.
void PressEnter(MenuRig& rig) {
    PressKey(rig.game(), vkReturn);
    TypeChar(rig.game(), 13);
    rig.Tick();
    ReleaseKey(rig.game(), vkReturn);
}

// Whether a pixel of the colour lies in the text band right of x at line y.
bool TextColourAt(MenuRig& rig, int x, int y, uint16_t colour) {
    for (int py = y; py < y + 18; ++py)
        for (int px = x; px < x + 120; ++px)
            if (rig.Pixel(px, py) == colour) return true;
    return false;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string WithoutLast(const std::string& s) {
    return s.substr(0, s.size() - 1);
}

TEST(PlayersScreen, AFirstPlayerTypesANameChoosesACharacterAndReachesTheLevelStart) {
    MenuRig rig;
    Game& game = rig.game();
    rig.Enter(Screen::PlayersLevels);
    EXPECT_TRUE(rig.Queued(114));
    rig.Ticks(18);
    ASSERT_TRUE(game.input.NameEditing);  // with no player, name entry opens by itself
    PressEnter(rig);                      // an empty name is refused as the add button does
    EXPECT_TRUE(rig.Queued(9));
    EXPECT_TRUE(game.input.NameEditing);
    EXPECT_EQ(game.players.PlayerCount, 0);
    rig.Type("Anx\bn");
    EXPECT_EQ(game.screens.players.EditText, "Ann");
    PressEnter(rig);
    EXPECT_FALSE(game.input.NameEditing);
    EXPECT_EQ(game.players.PlayerCount, 1);
    EXPECT_EQ(game.players.PlayerNames[1], "Ann");
    EXPECT_TRUE(TextColourAt(rig, 67, 303, kGreen));   // the selected name
    EXPECT_TRUE(TextColourAt(rig, 371, 305, kGreen));  // level 1, open
    EXPECT_TRUE(TextColourAt(rig, 371, 331, kRed));    // level 2, not yet
    rig.Click(360, 430);                               // "ok"
    rig.RunUntilScreenChanges();
    ASSERT_EQ(rig.CurrentScreen(),
              Screen::CharacterSelect);  // a new player of the game's own level set
    rig.Ticks(15);
    EXPECT_EQ(rig.Pixel(190, 210), MenuRig::ColourOf("ballmeniu"));
    rig.Click(230, 250);  // the left picture
    EXPECT_EQ(game.settings.Character, 1);
    EXPECT_EQ(game.players.PlayerCharacter[1], 1);
    rig.RunUntilScreenChanges();
    EXPECT_EQ(rig.CurrentScreen(), Screen::LevelStart);
    EXPECT_EQ(game.world.play.CurrentLevel, 1);
}

TEST(PlayersScreen, TheNameStopsAtItsDrawnWidthAndBackspaceStopsAtEmpty) {
    MenuRig rig;
    ReachIdlePlayers(rig);
    rig.Type(std::string(30, 'W'));
    const std::string text = rig.game().screens.players.EditText;
    TextCanvas& canvas = rig.game().media.Canvas;
    canvas.SetFont("Arial", 14);
    EXPECT_LT(text.size(), 30u);
    EXPECT_GE(canvas.TextPixelWidth(text), 120);
    EXPECT_LT(canvas.TextPixelWidth(WithoutLast(text)), 120);
    rig.Type(std::string(40, '\b'));
    EXPECT_EQ(rig.game().screens.players.EditText, "");
}

// Names of the players file whose text has nothing to draw (a soft hyphen, a NUL byte first) are
// drawn as nothing, and levels far out of range are taken inside it as the file is read.
TEST(PlayersScreen, NamesWithNothingToDrawAndWildLevelsFromTheFile) {
    MenuRig rig;
    Game& game = rig.game();
    PlayerTable written;
    written.PlayerCount = 2;
    written.PlayerNames[1] = "\xAD";
    written.PlayerLevels[1] = INT32_MIN;
    written.PlayerNames[2] = std::string("\0Bo", 3);
    written.PlayerLevels[2] = INT32_MAX;
    WritePlayerNames(written, 300, rig.Folder());
    int32_t speed = 0;
    ReadPlayerNames(game.players, speed, rig.Folder());
    EXPECT_EQ(game.players.PlayerLevels[1], 1);
    EXPECT_EQ(game.players.PlayerLevels[2], 101);
    game.world.play.CurrentLevel = game.players.PlayerLevels[1];
    ReachIdlePlayers(rig);
    rig.Type(".");  // the second player
    rig.Ticks(3);
    EXPECT_EQ(game.players.CurrentPlayer, 2);
    EXPECT_EQ(rig.CurrentScreen(), Screen::PlayersLevels);
}

TEST(PlayersScreen, EscapeFirstCancelsTheEntryThenLeavesForTheMenu) {
    MenuRig rig;
    ReachIdlePlayers(rig);
    rig.Type("Bo");
    rig.Key(vkEscape);
    EXPECT_FALSE(rig.game().input.NameEditing);
    EXPECT_EQ(rig.game().players.PlayerCount, 0);
    EXPECT_EQ(rig.CurrentScreen(), Screen::PlayersLevels);
    rig.Key(vkReturn);  // a start request with nobody named
    EXPECT_TRUE(rig.Queued(7));
    rig.Key(vkEscape);
    rig.RunUntilScreenChanges();
    EXPECT_EQ(rig.CurrentScreen(), Screen::MenuReturn);
}

TEST(PlayersScreen, DeletingTheMiddleOfThreeMovesTheLastUp) {
    MenuRig rig;
    Game& game = rig.game();
    AddPlayer(game, "Ada", 3, 1);
    AddPlayer(game, "Bix", 5, 0);
    AddPlayer(game, "Cyr", 2, 1);
    game.players.CurrentPlayer = 2;
    game.world.play.CurrentLevel = 4;
    ReachIdlePlayers(rig);
    rig.Click(250, 368);  // delete
    EXPECT_EQ(game.players.PlayerCount, 2);
    EXPECT_EQ(game.players.PlayerNames[2], "Cyr");
    EXPECT_EQ(game.players.PlayerLevels[2], 2);
    EXPECT_EQ(game.players.PlayerCharacter[2], 1);
    EXPECT_EQ(game.players.PlayerNames[3], kNoName);
    EXPECT_EQ(game.players.PlayerLevels[3], 1);
    EXPECT_EQ(game.players.CurrentPlayer, 2);
    EXPECT_EQ(game.world.play.CurrentLevel, 2);  // lowered to the new selection's level
    // The free entry after the last player: selectable, but not editable, deletable or playable.
    rig.Type(".");
    EXPECT_EQ(game.players.CurrentPlayer, 3);
    rig.Type("e");
    EXPECT_TRUE(rig.Queued(17));
    rig.Click(250, 368);
    EXPECT_TRUE(rig.Queued(18));
    rig.Key(vkReturn);
    EXPECT_TRUE(rig.Queued(23));
    EXPECT_EQ(game.players.PlayerCount, 2);
}

TEST(PlayersScreen, ARedLevelIsRefusedUntilTheCheatOpensEveryLevel) {
    MenuRig rig;
    Game& game = rig.game();
    AddPlayer(game, "Ada", 2, 1);
    ReachIdlePlayers(rig);
    rig.Key(vkDown);  // one tap, one level
    EXPECT_EQ(game.world.play.CurrentLevel, 2);
    PressKey(game, vkDown);  // a tap held over three ticks is still one level
    rig.Ticks(3);
    ReleaseKey(game, vkDown);
    EXPECT_EQ(game.world.play.CurrentLevel, 3);
    EXPECT_TRUE(TextColourAt(rig, 371, 279, kYellow));
    EXPECT_TRUE(TextColourAt(rig, 371, 305, kRed));
    rig.Key(vkReturn);
    EXPECT_TRUE(rig.Queued(6));
    EXPECT_FALSE(game.screens.players.PlayersLeaving);
    rig.Type("quixbrolem");
    ASSERT_TRUE(game.input.CheatMode);
    EXPECT_TRUE(TextColourAt(rig, 371, 305, kGreen));
    rig.Key(vkReturn);
    rig.RunUntilScreenChanges();
    EXPECT_EQ(rig.CurrentScreen(), Screen::LevelStart);  // not a new player: no character selection
}

TEST(PlayersScreen, HeldKeysAndButtonsRepeatTheLevelArrows) {
    MenuRig rig(60);
    Game& game = rig.game();
    AddPlayer(game, "Ada", 1, 1);
    ReachIdlePlayers(rig);
    PressKey(game, vkDown);
    rig.Ticks(49);  // held ticks 0..48: steps at 0, 12, 24, 36, 42 and 48
    ReleaseKey(game, vkDown);
    rig.Ticks(3);
    EXPECT_EQ(game.world.play.CurrentLevel, 7);
    MoveMouse(game, 340, 340);  // the lower level arrow
    MouseButton(game, true);
    rig.Ticks(11);  // at the click, then every 100 ms of holding
    MouseButton(game, false);
    rig.Ticks(3);
    EXPECT_EQ(game.world.play.CurrentLevel, 10);
    MoveMouse(game, 340, 310);  // the middle part does nothing
    MouseButton(game, true);
    rig.Ticks(11);
    MouseButton(game, false);
    EXPECT_EQ(game.world.play.CurrentLevel, 10);
}

// The players file follows every change of the table, byte for byte as the end of the run
// writes it; a write that fails shows its message once and the next change writes again.
TEST(PlayersScreen, EveryChangeIsInThePlayersFileAtOnceAndAFailedWriteIsTriedAgain) {
    MenuRig rig;
    Game& game = rig.game();
    game.PlayersFileFollows = true;
    const std::string file = rig.Folder() + "playersnames.grf";
    auto fileHoldsTheTable = [&] {
        TempDir exit;
        WritePlayerNames(game.players, game.settings.Speed, exit.Path());
        return ReadBytes(file) == ReadBytes(exit.File("playersnames.grf"));
    };
    ReachIdlePlayers(rig);
    rig.Type("Ann");
    PressEnter(rig);
    ASSERT_EQ(game.players.PlayerCount, 1);
    EXPECT_TRUE(fileHoldsTheTable());
    rig.Type("a");
    rig.Type("Bo");
    rig.Click(230, 250);  // the add button
    ASSERT_EQ(game.players.PlayerCount, 2);
    EXPECT_TRUE(fileHoldsTheTable());

    // The file becomes a link into a folder that does not exist: the save cannot be made.
    std::filesystem::remove(file);
    std::filesystem::create_symlink(rig.Folder() + "missing/playersnames.grf", file);
    testing::internal::CaptureStderr();
    rig.Click(250, 368);  // delete "Bo"
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_EQ(game.players.PlayerCount, 1);
    EXPECT_TRUE(rig.Queued(22));
    EXPECT_NE(reported.find("playersnames.grf"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(rig.CurrentScreen(), Screen::PlayersLevels);

    std::filesystem::remove(file);
    rig.Type("e");  // rename "Ann"
    rig.Type("x");
    PressEnter(rig);
    EXPECT_EQ(game.players.PlayerNames[1], "Annx");
    EXPECT_TRUE(fileHoldsTheTable());
}

TEST(PlayersScreen, ANewNameIsRefusedWhileTheTableIsFull) {
    MenuRig rig;
    Game& game = rig.game();
    for (int i = 1; i <= 100; ++i) AddPlayer(game, "P" + std::to_string(i), 1, 0);
    ReachIdlePlayers(rig);
    rig.Type("a");
    ASSERT_TRUE(game.input.NameEditing);
    rig.Type("Zed");
    PressEnter(rig);
    EXPECT_TRUE(rig.Queued(21));
    EXPECT_FALSE(game.input.NameEditing);
    EXPECT_EQ(game.players.PlayerCount, 100);
    EXPECT_EQ(game.players.PlayerNames[100], "P100");
    rig.Click(100, 250);  // the name field, then the add button
    rig.Type("Zed");
    game.messages.MessageCount = 0;
    rig.Click(230, 250);
    EXPECT_TRUE(rig.Queued(21));
    EXPECT_EQ(game.players.PlayerCount, 100);
}

TEST(PlayersScreen, OnePastTheLastLevelOfAFullSetDrawsNoLineAndIsClamped) {
    MenuRig rig(100);
    Game& game = rig.game();
    AddPlayer(game, "Ada", 101, 1);
    game.world.play.CurrentLevel = 101;  // just after the last level was made
    rig.Enter(Screen::PlayersLevels);
    rig.Ticks(16);  // panels still sliding: input not read
    ASSERT_EQ(game.world.play.CurrentLevel, 101);
    const int textX = static_cast<int>(game.screens.players.LevelPanelX) + 65;
    EXPECT_TRUE(TextColourAt(rig, textX, 279, kYellow));  // level 100
    EXPECT_FALSE(TextColourAt(rig, textX, 305, kGreen));
    EXPECT_FALSE(TextColourAt(rig, textX, 305, kRed));
    rig.Ticks(2);
    EXPECT_EQ(game.world.play.CurrentLevel, 100);
}

// Level 1 always shows the line of level 2 beside it, also in a set of one level; one past the
// last level of a smaller set (just after it was made) shows its number with an empty name.
TEST(PlayersScreen, LinesPastTheEndOfASmallSetStillShowTheirNumbers) {
    MenuRig rig(1);
    Game& game = rig.game();
    AddPlayer(game, "Ada", 1, 1);
    ReachIdlePlayers(rig);
    EXPECT_TRUE(TextColourAt(rig, 371, 305, kGreen));
    EXPECT_TRUE(TextColourAt(rig, 371, 331, kRed));  // "2 " of a level the set lacks

    MenuRig rig3(3);
    Game& game3 = rig3.game();
    AddPlayer(game3, "Bix", 4, 1);
    game3.world.play.CurrentLevel = 4;  // the last of the three levels was just made
    rig3.Enter(Screen::PlayersLevels);
    rig3.Ticks(16);  // panels still sliding: the level is not clamped yet
    ASSERT_EQ(game3.world.play.CurrentLevel, 4);
    const int textX = static_cast<int>(game3.screens.players.LevelPanelX) + 65;
    EXPECT_TRUE(TextColourAt(rig3, textX, 279, kYellow));
    EXPECT_TRUE(TextColourAt(rig3, textX, 305, kGreen));  // "4 "
    EXPECT_FALSE(TextColourAt(rig3, textX, 331, kYellow));
    EXPECT_FALSE(TextColourAt(rig3, textX, 331, kRed));
}

}  // namespace

// Level 1 is red while nobody has a name and level 2 is red for a player at level 1; with the
// cheat both have their plain colours. Enter refuses an empty name as the ADD button does.
TEST(PlayersEdges, EnterRefusesAnEmptyNameAndTheFirstLinesFollowThePlayerCount) {
    MenuRig rig;
    Game& game = rig.game();
    rig.Enter(Screen::PlayersLevels);
    rig.Ticks(18);
    ASSERT_TRUE(game.input.NameEditing);
    EXPECT_TRUE(TextColourAt(rig, 371, 305, kRed));
    EXPECT_TRUE(TextColourAt(rig, 371, 331, kRed));

    PressKey(game, vkReturn);
    TypeChar(game, 13);
    rig.Tick();
    ReleaseKey(game, vkReturn);
    EXPECT_TRUE(game.input.NameEditing);
    EXPECT_EQ(game.players.PlayerCount, 0);
    EXPECT_TRUE(rig.Queued(MessageNumber(MessageId::NameTooShort)));

    rig.Type("A");
    PressKey(game, vkReturn);
    TypeChar(game, 13);
    rig.Tick();
    ReleaseKey(game, vkReturn);
    EXPECT_FALSE(game.input.NameEditing);
    EXPECT_EQ(game.players.PlayerCount, 1);
    EXPECT_TRUE(TextColourAt(rig, 371, 305, kGreen));
    EXPECT_TRUE(TextColourAt(rig, 371, 331, kRed));

    game.input.CheatMode = true;
    rig.Tick();
    EXPECT_TRUE(TextColourAt(rig, 371, 331, kYellow));
    rig.Key(vkReturn);
    EXPECT_EQ(game.screens.players.PlayersAction, 2);
}

// Keys pressed on one screen are dropped when the screen changes: five Downs round the menu's
// items and an "a" leave the players screen on level 1, with no name entry begun.
TEST(ScreenChanges, KeysPressedOnTheMenuDoNotActOnTheNextScreen) {
    MenuRig rig;
    Game& game = rig.game();
    AddPlayer(game, "Ada", 1, 1);
    game.world.play.CurrentLevel = 1;
    rig.Enter(Screen::MenuReturn);
    rig.Ticks(60);
    for (int i = 0; i < 5; ++i) rig.Key(vkDown);
    rig.Type("a");
    ASSERT_EQ(game.screens.menu.MenuSelection, 1);
    rig.Key(vkReturn);
    rig.RunUntilScreenChanges();
    ASSERT_EQ(rig.CurrentScreen(), Screen::PlayersLevels);
    rig.Ticks(18);
    EXPECT_EQ(game.world.play.CurrentLevel, 1);
    EXPECT_FALSE(game.input.NameEditing);
}

namespace {

// A returning player goes on where they left off: choosing a player shows their newest open
// level (the last one once the set is made), whichever way the player is chosen.
TEST(PlayersScreen, ChoosingAPlayerShowsTheirNewestOpenLevel) {
    MenuRig rig;
    Game& game = rig.game();
    AddPlayer(game, "Ada", 3, 1);
    AddPlayer(game, "Bix", 7, 0);
    AddPlayer(game, "Cyr", 11, 1);  // made the whole set of 10
    game.players.CurrentPlayer = 1;
    game.world.play.CurrentLevel = 1;
    ReachIdlePlayers(rig);
    rig.Type(".");
    EXPECT_EQ(game.world.play.CurrentLevel, 7);
    rig.Type(".");
    EXPECT_EQ(game.world.play.CurrentLevel, 10);
    rig.Type(";");
    rig.Type(";");
    EXPECT_EQ(game.world.play.CurrentLevel, 3);
}

}  // namespace
