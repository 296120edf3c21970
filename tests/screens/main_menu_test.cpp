// The intro logo and the main menu, driven through the frame loop.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/session.h"
#include "menu_rig.h"
#include "screens/screen_dispatch.h"

namespace {

// The menu reached through the menu-return screen, title and items at rest.
void ReachIdleMenu(MenuRig& rig) {
    rig.Enter(Screen::MenuReturn);
    rig.Ticks(50);
    ASSERT_EQ(rig.CurrentScreen(), Screen::MainMenu);
}

bool ItemShown(MenuRig& rig, int item, const char* picture) {
    return rig.Pixel(300, 270 + 40 * (item - 1) + 5) == MenuRig::ColourOf(picture);
}

TEST(IntroLogo, FadesInPlaysItsJingleLateAndLeavesAfterItsTime) {
    MenuRig rig;
    const uint16_t logo = MenuRig::ColourOf("brinloft");
    rig.Tick(100);  // drawn at alpha 0: nothing yet
    EXPECT_EQ(rig.Pixel(320, 240), 0);
    rig.Tick(100);  // alpha 100: a mix
    EXPECT_NE(rig.Pixel(320, 240), 0);
    EXPECT_NE(rig.Pixel(320, 240), logo);
    rig.Ticks(2, 100);  // from 255 ms on fully opaque
    EXPECT_EQ(rig.Pixel(320, 240), logo);
    rig.Ticks(6, 100);  // 1000 ms: not yet more than 1000
    EXPECT_FALSE(rig.game().screens.logo.LogoJinglePlayed);
    rig.Tick(1);
    EXPECT_TRUE(rig.game().screens.logo.LogoJinglePlayed);
    rig.Ticks(64, 100);  // 7401 ms
    EXPECT_EQ(rig.CurrentScreen(), Screen::IntroLogo);
    rig.Tick(100);
    EXPECT_EQ(rig.CurrentScreen(), Screen::MenuReturn);
    rig.Tick();
    EXPECT_EQ(rig.CurrentScreen(), Screen::MainMenu);
}

TEST(IntroLogo, AClickSkipsItAtOnce) {
    MenuRig rig;
    rig.Tick();
    rig.Click(100, 100);
    EXPECT_EQ(rig.CurrentScreen(), Screen::MenuReturn);
    EXPECT_FALSE(rig.game().media.Input.Has(isButton1));
    rig.Tick();
    EXPECT_EQ(rig.CurrentScreen(), Screen::MainMenu);
}

TEST(MainMenu, TitleFirstThenItemsSlideInAndTheMovedHighlightBlinks) {
    MenuRig rig;
    rig.Enter(Screen::MenuReturn);
    rig.Ticks(26);  // 500 ms: "sm" has not arrived, no items
    EXPECT_FALSE(ItemShown(rig, 2, "op"));
    EXPECT_EQ(rig.Pixel(300, 460), MenuRig::ColourOf("background"));
    rig.Ticks(24);
    EXPECT_EQ(rig.Pixel(40, 25), MenuRig::ColourOf("sm"));  // "sm" at rest over "m2"
    EXPECT_TRUE(ItemShown(rig, 2, "op"));
    EXPECT_TRUE(ItemShown(rig, 5, "exit"));
    rig.Key(vkDown);  // item 2 highlighted and hidden first
    EXPECT_EQ(rig.game().screens.menu.MenuSelection, 2);
    EXPECT_FALSE(ItemShown(rig, 2, "op"));
    EXPECT_TRUE(ItemShown(rig, 1, "sg"));
    rig.Ticks(17);  // the blink phase passes 200 and starts again visible
    EXPECT_TRUE(ItemShown(rig, 2, "op"));
}

TEST(MainMenu, SelectionWrapsAndFollowsThePointerOverTheFixedRows) {
    MenuRig rig;
    ReachIdleMenu(rig);
    rig.Key(vkUp);
    EXPECT_EQ(rig.game().screens.menu.MenuSelection, 5);
    rig.Key(vkDown);
    EXPECT_EQ(rig.game().screens.menu.MenuSelection, 1);
    MoveMouse(rig.game(), 300, 429);
    rig.Tick();
    EXPECT_EQ(rig.game().screens.menu.MenuSelection, 4);
    MoveMouse(rig.game(), 300, 430);
    rig.Tick();
    EXPECT_EQ(rig.game().screens.menu.MenuSelection, 5);
    MoveMouse(rig.game(), 435, 300);  // outside: unchanged
    rig.Tick();
    EXPECT_EQ(rig.game().screens.menu.MenuSelection, 5);
}

TEST(MainMenu, EscapeShowsTheQuitHintOnlyWhenIdle) {
    MenuRig rig;
    rig.Enter(Screen::MenuReturn);
    rig.Tick();
    rig.Key(vkEscape);  // before the title has arrived: kept, then dropped by the slide-in
    rig.Ticks(40);
    EXPECT_FALSE(rig.Queued(11));
    EXPECT_FALSE(rig.game().input.EscapePressed);
    rig.Ticks(10);
    rig.Key(vkEscape);
    EXPECT_TRUE(rig.Queued(11));
    EXPECT_EQ(rig.CurrentScreen(), Screen::MainMenu);
}

TEST(MainMenu, AClickedItemSlidesOutAndOpensItsScreen) {
    MenuRig rig;
    ReachIdleMenu(rig);
    rig.game().screens.info.InfoPage = 4;
    rig.Click(300, 360);  // item 3, "in"
    EXPECT_TRUE(rig.game().screens.menu.MenuLeaving);
    rig.RunUntilScreenChanges();
    EXPECT_EQ(rig.CurrentScreen(), Screen::Information);
    EXPECT_EQ(rig.game().screens.info.InfoPage, 1);
    EXPECT_NEAR(rig.game().screens.menu.MenuItemsY, 481, 20);
}

TEST(MainMenu, TheExitItemStoresEverythingAndEndsTheRun) {
    MenuRig rig;
    ReachIdleMenu(rig);
    rig.Key(vkUp);
    PressKey(rig.game(), vkSpace);
    rig.Tick();
    ReleaseKey(rig.game(), vkSpace);
    for (int i = 0; i < 30 && !rig.game().Terminated; ++i) rig.Tick();
    EXPECT_TRUE(rig.game().Terminated);
    EXPECT_TRUE(std::filesystem::exists(rig.Folder() + "playersnames.grf"));
}

}  // namespace

namespace {

// Runs the menu until the next 20 ms tick brings the items to rest.
void RunToTheTickBeforeArrival(MenuRig& rig) {
    rig.Enter(Screen::MenuReturn);
    const MainMenuState& menu = rig.game().screens.menu;
    for (int i = 0; i < 100 && !(menu.TitleSmArrived && menu.MenuItemsY < 290); ++i) rig.Tick();
    ASSERT_FALSE(menu.MenuItemsArrived);
}

}  // namespace

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
    EXPECT_FALSE(game.media.Input.Has(isButton1));  // a press does not carry to the next screen
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
