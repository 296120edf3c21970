// Keyboard and mouse events: flags, the cheat code, settings keys and the input states.
#include "app/key_events.h"

#include <gtest/gtest.h>

#include "app/session.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace {

std::unique_ptr<Game> FreshGame() {
    auto g = std::make_unique<Game>();
    FillMessageTexts(g->messages);
    FillTileTables(g->world.tiles);
    g->settings.ShowTips = 1;
    return g;
}

void Type(Game& g, const std::string& text) {
    for (char c : text) OnCharTyped(g, static_cast<uint8_t>(c));
}

}  // namespace

TEST(KeyEvents, CheatCodeTogglesEntryAndEnablesCheats) {
    auto g = FreshGame();
    Type(*g, "quixbrole");
    EXPECT_TRUE(g->input.CheatEntry);
    EXPECT_FALSE(g->input.CheatMode);
    EXPECT_FALSE(g->input.PlayerActionKey);  // letters went to the cheat buffer
    Type(*g, "m");
    EXPECT_TRUE(g->input.CheatMode);
    EXPECT_FALSE(g->input.CheatEntry);
    EXPECT_FALSE(g->settings.MusicEnabled);  // the last letter did not act as M

    // With cheats on, D toggles invincibility and also requests the delete action.
    Type(*g, "d");
    EXPECT_EQ(g->world.play.Mortal, 0);
    EXPECT_EQ(g->messages.MessageQueue[g->messages.MessageCount - 1].Code, 13);
    EXPECT_TRUE(g->input.PlayerActionKey);
    EXPECT_EQ(g->input.PlayerAction, 2);
}

TEST(KeyEvents, FirstLetterDuringEntryEndsTheEntry) {
    auto g = FreshGame();
    Type(*g, "qux");
    EXPECT_TRUE(g->input.CheatEntry);
    Type(*g, "q");
    EXPECT_FALSE(g->input.CheatEntry);
    Type(*g, "uixbrolem");  // no longer in entry: letters act as commands
    EXPECT_FALSE(g->input.CheatMode);
    EXPECT_TRUE(g->input.PlayerActionKey);  // "e"
    // Upper-case Q does not start an entry.
    auto h = FreshGame();
    Type(*h, "Q");
    EXPECT_FALSE(h->input.CheatEntry);
}

TEST(KeyEvents, DWithoutCheatsOnlyRequestsDelete) {
    auto g = FreshGame();
    Type(*g, "D");
    EXPECT_EQ(g->world.play.Mortal, 1);
    EXPECT_TRUE(g->input.PlayerActionKey);
    EXPECT_EQ(g->input.PlayerAction, 2);
}

TEST(KeyEvents, SpeedKeysClampAndApply) {
    auto g = FreshGame();
    g->settings.Speed = 250;
    Type(*g, "-");
    EXPECT_EQ(g->settings.Speed, 200);
    Type(*g, "_");
    EXPECT_EQ(g->settings.Speed, 200);
    EXPECT_EQ(g->world.tiles.FrameRate[70], 100);
    g->settings.Speed = 350;
    Type(*g, "+=");
    EXPECT_EQ(g->settings.Speed, 400);
    EXPECT_EQ(g->world.tiles.FrameRate[81], 200);
}

TEST(KeyEvents, TipsPauseFpsToggle) {
    auto g = FreshGame();
    Type(*g, "t");
    EXPECT_EQ(g->settings.ShowTips, 0);
    EXPECT_EQ(g->messages.MessageQueue[0].Code, 16);
    Type(*g, "T");
    EXPECT_EQ(g->settings.ShowTips, 1);
    Type(*g, "pr");
    EXPECT_TRUE(g->input.Paused);
    EXPECT_TRUE(g->input.ShowFps);
    g->input.NameEditing = true;
    Type(*g, "p");
    EXPECT_TRUE(g->input.Paused);  // letters do nothing while a name is typed
    EXPECT_EQ(g->input.LastKeyChar, 'p');
}

// M asks for song 1 on the menus and for the level's song during play and character selection;
// off, it stops the music and forgets the song so that the next M starts one again.
TEST(KeyEvents, MusicKeyPlaysTheScreensSongOrStopsTheMusic) {
    auto g = FreshGame();
    g->world.play.CurrentLevel = 2;
    g->settings.LevelSongs[2] = 3;
    g->screens.CurrentScreen = Screen::GamePlay;
    Type(*g, "m");
    EXPECT_EQ(g->settings.MusicEnabled, 1);
    EXPECT_EQ(g->audio.CurrentSong, 3);
    Type(*g, "M");
    EXPECT_EQ(g->settings.MusicEnabled, 0);
    EXPECT_EQ(g->audio.CurrentSong, -1);
    EXPECT_EQ(g->messages.MessageQueue[g->messages.MessageCount - 1].Code, 3);
    g->screens.CurrentScreen = Screen::CharacterSelect;
    Type(*g, "m");
    EXPECT_EQ(g->audio.CurrentSong, 3);
    Type(*g, "m");
    g->screens.CurrentScreen = Screen::PlayersLevels;
    Type(*g, "m");
    EXPECT_EQ(g->audio.CurrentSong, 1);
}

// S opens the sound device and loads the sounds once; without "sounds.dxg" sounds stay off with
// message 10 instead of "Sounds enabled".
TEST(KeyEvents, SoundsKeyLoadsTheSoundsOrReportsTheFailure) {
    TempDir dir;
    auto g = FreshGame();
    g->ProgramDir = dir.Path();
    Type(*g, "s");
    EXPECT_EQ(g->settings.SoundsEnabled, 0);
    EXPECT_TRUE(g->messages.MessageShown[10]);
    EXPECT_FALSE(g->messages.MessageShown[4]);
    WriteTestDataFiles(dir.Path());
    Type(*g, "S");
    EXPECT_EQ(g->settings.SoundsEnabled, 1);
    EXPECT_TRUE(g->messages.MessageShown[4]);
    EXPECT_GT(g->media.Sounds.Count(), 0);
    Type(*g, "s");
    EXPECT_EQ(g->settings.SoundsEnabled, 0);
    EXPECT_EQ(g->messages.MessageQueue[g->messages.MessageCount - 1].Code, 5);
}

TEST(KeyEvents, EnterSetsFireExceptWhileTypingAName) {
    auto g = FreshGame();
    OnKeyDown(*g, vkReturn, {});
    EXPECT_TRUE(g->media.Input.Has(isButton1));
    EXPECT_TRUE(g->input.EnterPressed);
    OnKeyUp(*g, vkReturn, {});
    EXPECT_FALSE(g->media.Input.Has(isButton1));
    EXPECT_FALSE(g->input.EnterPressed);
    g->input.NameEditing = true;
    OnKeyDown(*g, vkReturn, {});
    EXPECT_FALSE(g->media.Input.Has(isButton1));
    EXPECT_FALSE(g->input.EnterPressed);
}

TEST(KeyEvents, SpaceAndCtrlFlags) {
    auto g = FreshGame();
    OnKeyDown(*g, vkSpace, {});
    OnKeyDown(*g, vkRight, {});
    EXPECT_TRUE(g->input.SnapKey);
    OnKeyUp(*g, vkRight, {});
    EXPECT_TRUE(g->input.SnapKey);
    OnKeyUp(*g, vkSpace, {});
    EXPECT_FALSE(g->input.SnapKey);
    ShiftState ctrl;
    ctrl.Ctrl = true;
    OnKeyDown(*g, vkControl, ctrl);
    EXPECT_TRUE(g->input.BombKey);
    OnKeyUp(*g, vkLeft, ctrl);
    EXPECT_TRUE(g->input.BombKey);
    OnKeyUp(*g, vkControl, {});
    EXPECT_FALSE(g->input.BombKey);
}

TEST(KeyEvents, F1AndCOnlyRequestALeaveDuringPlay) {
    auto g = FreshGame();
    g->screens.CurrentScreen = Screen::MainMenu;
    OnKeyDown(*g, vkF1, {});
    OnCharTyped(*g, 'c');
    EXPECT_FALSE(g->input.HelpKey);
    EXPECT_FALSE(g->input.ChangeCharacterKey);
    g->screens.CurrentScreen = Screen::GamePlay;
    OnCharTyped(*g, 'C');
    EXPECT_TRUE(g->input.ChangeCharacterKey);
}

TEST(KeyEvents, F1OnlyOnceAndNotWhileTyping) {
    auto g = FreshGame();
    g->screens.CurrentScreen = Screen::GamePlay;
    g->input.NameEditing = true;
    OnKeyDown(*g, vkF1, {});
    EXPECT_FALSE(g->input.HelpKey);
    g->input.NameEditing = false;
    OnKeyDown(*g, vkF1, {});
    EXPECT_TRUE(g->input.HelpKey);
}

// A press where the pointer already rests is a click without a move: the main menu and the
// options screen then act on the item chosen with the keys, not on the one under the pointer.
TEST(MouseEvents, AClickWhereThePointerRestsIsNoMove) {
    auto g = FreshGame();
    MouseDownAt(*g, 300, 200);  // the pointer arrives with the press: a move, then the button
    EXPECT_TRUE(g->input.MouseMoved);
    EXPECT_EQ(g->input.MouseX, 300);
    EXPECT_EQ(g->input.MouseY, 200);
    EXPECT_TRUE(g->input.MouseHeld);
    OnMouseUp(*g);
    EXPECT_FALSE(g->input.MouseHeld);
    EXPECT_TRUE(g->media.Input.Has(isButton1));  // the release does not take the fire state
    g->media.Input.Remove(isButton1);            // a screen consumed the click
    g->input.MouseMoved = false;                 // and read the move
    g->input.MouseRepeatTime = 250;
    MouseDownAt(*g, 300, 200);
    EXPECT_FALSE(g->input.MouseMoved);
    EXPECT_TRUE(g->media.Input.Has(isButton1));
    EXPECT_TRUE(g->input.MouseHeld);
    EXPECT_EQ(g->input.MouseRepeatTime, 0);
    MouseDownAt(*g, 301, 200);
    EXPECT_TRUE(g->input.MouseMoved);
    EXPECT_EQ(g->input.MouseX, 301);
}

TEST(InputStates, ConsumedStateStaysOffWhileHeldAndAddedStateSurvivesPoll) {
    InputStates input;
    input.KeyDown(vkSpace);
    EXPECT_TRUE(input.Has(isButton1));
    input.Remove(isButton1);  // a screen consumed it
    input.PollInput();
    EXPECT_FALSE(input.Has(isButton1));
    input.KeyUp(vkSpace);
    input.KeyDown(vkSpace);
    EXPECT_TRUE(input.Has(isButton1));
    input.KeyUp(vkSpace);
    input.Add(isButton1);  // added by the game (a mouse button)
    input.PollInput();
    EXPECT_TRUE(input.Has(isButton1));
}

TEST(InputStates, TwoKeysOfOneStateAndFocusLoss) {
    InputStates input;
    input.KeyDown(vkUp);
    input.KeyDown(vkNumpad8);
    input.KeyUp(vkUp);
    EXPECT_TRUE(input.Has(isUp));
    input.KeyDown(vkLeft);
    input.ReleaseAll();
    EXPECT_FALSE(input.Has(isUp));
    EXPECT_FALSE(input.Has(isLeft));
}

// A full-screen game that loses the input focus cannot be seen: its play stops, game time
// included, until the focus comes back. A window keeps playing unfocused.
TEST(FocusLoss, StopsThePlayInFullScreenOnly) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    auto game = StartGame(SessionOptions{dir.Path(), true, 7});
    game->world.play.CurrentLevel = 1;
    SetScreen(*game, Screen::LevelStart);
    RunTick(*game, 20);
    ASSERT_EQ(game->screens.CurrentScreen, Screen::GamePlay);
    const double& levelTime = game->world.play.LevelTime;
    OnFocusChanged(*game, false);
    double before = levelTime;
    RunTick(*game, 20);
    EXPECT_GT(levelTime, before);
    OnFocusChanged(*game, true);
    ToggleDisplayMode(*game);
    ASSERT_TRUE(game->media.Screen.FullScreen());
    OnFocusChanged(*game, false);
    before = levelTime;
    for (int i = 0; i < 5; ++i) RunTick(*game, 20);
    EXPECT_EQ(levelTime, before);
    OnFocusChanged(*game, true);
    RunTick(*game, 20);
    EXPECT_GT(levelTime, before);
}
