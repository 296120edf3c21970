// Menu rules at the edges of a slide and of name entry: when the main menu reads its input, an
// empty name stored by Enter, and the level lines' colours before anybody has a name.
#include <gtest/gtest.h>

#include "app/session.h"
#include "menu_rig.h"
#include "screens/screen_dispatch.h"

namespace {

constexpr uint16_t kRed = 0xF800, kGreen = 0x07E0, kYellow = 0xFFE0;

bool TextColourAt(MenuRig& rig, int x, int y, uint16_t colour) {
    for (int py = y; py < y + 18; ++py)
        for (int px = x; px < x + 120; ++px)
            if (rig.Pixel(px, py) == colour) return true;
    return false;
}

// Runs the menu until the next 20 ms tick brings the items to rest.
void RunToTheTickBeforeArrival(MenuRig& rig) {
    rig.Enter(Screen::MenuReturn);
    const MainMenuState& menu = rig.game().screens.menu;
    for (int i = 0; i < 100 && !(menu.TitleSmArrived && menu.MenuItemsY < 290); ++i) rig.Tick();
    ASSERT_FALSE(menu.MenuItemsArrived);
}

// The menu reads input only in ticks that begin with the items at rest: an Escape that arrives
// just before the items come to rest is dropped without the quit hint, and a fire press held
// through the slide-out is left for the next screen.
TEST(MainMenuEdges, InputIsReadOnlyInTicksThatBeginAtRest) {
    MenuRig rig;
    Game& game = rig.game();
    RunToTheTickBeforeArrival(rig);
    rig.Key(vkEscape);
    EXPECT_TRUE(game.screens.menu.MenuItemsArrived);
    EXPECT_FALSE(game.input.EscapePressed);
    EXPECT_FALSE(rig.Queued(11));

    rig.Click(300, 360);  // item 3 starts the slide-out
    ASSERT_TRUE(game.screens.menu.MenuLeaving);
    PressKey(game, vkSpace);  // held until the information screen is selected
    rig.RunUntilScreenChanges();
    EXPECT_EQ(rig.CurrentScreen(), Screen::Information);
    EXPECT_TRUE(game.media.Input.Has(isButton1));
    EXPECT_FALSE(game.screens.menu.MenuLeaving);
}

// A screen-state reset during the slide-out (the display mode switch does one) lets the items
// slide in again instead of leaving them stuck below the screen.
TEST(MainMenuEdges, AResetDuringTheSlideOutSlidesTheItemsInAgain) {
    MenuRig rig;
    Game& game = rig.game();
    rig.Enter(Screen::MenuReturn);
    rig.Ticks(50);
    rig.Click(300, 320);
    rig.Ticks(3);
    ResetScreenState(game);
    rig.Ticks(15);
    EXPECT_TRUE(game.screens.menu.MenuItemsArrived);
    EXPECT_DOUBLE_EQ(game.screens.menu.MenuItemsY, 270);
    EXPECT_EQ(rig.CurrentScreen(), Screen::MainMenu);
}

// Level 1 is red while nobody has a name and level 2 is red for a player at level 1; with the
// cheat both have their plain colours. Enter stores even an empty text as the new player's name.
TEST(PlayersEdges, EnterStoresAnEmptyNameAndTheFirstLinesFollowThePlayerCount) {
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
    EXPECT_FALSE(game.input.NameEditing);
    EXPECT_EQ(game.players.PlayerCount, 1);
    EXPECT_EQ(game.players.PlayerNames[1], "");
    EXPECT_TRUE(TextColourAt(rig, 371, 305, kGreen));
    EXPECT_TRUE(TextColourAt(rig, 371, 331, kRed));

    game.input.CheatMode = true;
    rig.Tick();
    EXPECT_TRUE(TextColourAt(rig, 371, 331, kYellow));
    rig.Key(vkReturn);  // an empty name is a name: the start request is granted
    EXPECT_EQ(game.screens.players.PlayersAction, 2);
}

}  // namespace
