// Character selection, information pages, credits and the game finished screen.
#include <gtest/gtest.h>

#include "app/session.h"
#include "menu_rig.h"
#include "screens/screen_dispatch.h"

namespace {

void PressAndRelease(MenuRig& rig, int vk) {
    PressKey(rig.game(), vk);
    rig.Tick();
    ReleaseKey(rig.game(), vk);
}

TEST(CharacterSelect, CalledFromPlayEscapeAndAChoiceBothGoBackIntoTheLevel) {
    MenuRig rig;
    Game& game = rig.game();
    AddPlayer(game, "Ada", 4, 0);
    for (int click : {0, 1}) {
        game.screens.CurrentScreen = Screen::GamePlay;
        TypeChar(game, 'c');  // C during play
        rig.Enter(Screen::CharacterSelect);
        rig.Key(vkEscape);  // the left picture has not arrived: discarded
        rig.Ticks(14);
        EXPECT_EQ(rig.CurrentScreen(), Screen::CharacterSelect);
        if (click) {
            rig.Click(400, 250);  // the right picture
            EXPECT_EQ(game.settings.Character, 0);
        } else {
            rig.Key(vkEscape);
        }
        rig.RunUntilScreenChanges();
        EXPECT_EQ(rig.CurrentScreen(), Screen::GamePlay);
        EXPECT_FALSE(game.input.ChangeCharacterKey);
    }
}

TEST(CharacterSelect, FromThePlayersScreenEscapeGoesBackAndAGapClickOnlyStoresTheCharacter) {
    MenuRig rig;
    Game& game = rig.game();
    AddPlayer(game, "Ada", 1, 0);
    game.settings.Character = 1;
    rig.Enter(Screen::CharacterSelect);
    rig.Ticks(2);
    rig.Click(300, 250);  // between the pictures, while they still slide in
    EXPECT_EQ(game.players.PlayerCharacter[1], 1);
    EXPECT_EQ(game.screens.characters.CharacterChoice, 0);
    rig.Ticks(14);
    rig.Key(vkEscape);
    rig.RunUntilScreenChanges();
    EXPECT_EQ(rig.CurrentScreen(), Screen::PlayersLevels);
    EXPECT_EQ(game.screens.characters.BallPictureX, -92);  // state reset for the next visit
}

TEST(CharacterSelect, AClickDuringTheSlideInChoosesAndLeaves) {
    MenuRig rig;
    AddPlayer(rig.game(), "Ada", 1, 0);
    rig.Enter(Screen::CharacterSelect);
    rig.Ticks(10);  // the left picture at x 108 of 188
    rig.Click(200, 250);
    EXPECT_EQ(rig.game().settings.Character, 1);
    rig.RunUntilScreenChanges(40);
    EXPECT_EQ(rig.CurrentScreen(), Screen::LevelStart);
}

// After a choice that went on to the level start, C in that level shows the pictures again
// instead of returning at once with the old choice.
TEST(CharacterSelect, CInTheLevelAfterAChoiceShowsThePicturesAgain) {
    MenuRig rig;
    Game& game = rig.game();
    AddPlayer(game, "Ada", 1, 0);
    rig.Enter(Screen::CharacterSelect);
    rig.Ticks(14);
    rig.Click(400, 250);
    rig.RunUntilScreenChanges(40);
    ASSERT_EQ(rig.CurrentScreen(), Screen::LevelStart);
    game.screens.CurrentScreen = Screen::GamePlay;
    TypeChar(game, 'c');
    rig.Enter(Screen::CharacterSelect);
    rig.Ticks(5);
    EXPECT_EQ(rig.CurrentScreen(), Screen::CharacterSelect);
    EXPECT_EQ(game.screens.characters.CharacterChoice, 0);
    EXPECT_LT(game.screens.characters.BallPictureX, 188);  // sliding in
    rig.Ticks(14);
    rig.Click(200, 250);
    rig.RunUntilScreenChanges(40);
    EXPECT_EQ(rig.CurrentScreen(), Screen::GamePlay);
    EXPECT_EQ(game.settings.Character, 1);
}

TEST(Information, PagesTurnByKeysAndButtonsWithinOneToSeven) {
    MenuRig rig;
    rig.Enter(Screen::Information);
    rig.Tick();
    EXPECT_EQ(rig.Pixel(10, 10), MenuRig::ColourOf("c"));
    PressAndRelease(rig, vkPrior);  // page 1 stays
    EXPECT_EQ(rig.game().screens.info.InfoPage, 1);
    PressAndRelease(rig, vkNext);
    EXPECT_EQ(rig.Pixel(10, 10), MenuRig::ColourOf("c1"));
    EXPECT_EQ(rig.Pixel(510, 440), MenuRig::ColourOf("p2"));
    rig.Click(60, 428);  // between the two buttons
    EXPECT_EQ(rig.game().screens.info.InfoPage, 2);
    for (int i = 0; i < 8; ++i) rig.Click(60, 440);
    EXPECT_EQ(rig.game().screens.info.InfoPage, 7);
    EXPECT_EQ(rig.Pixel(10, 10), MenuRig::ColourOf("c6"));
    rig.Click(60, 410);
    EXPECT_EQ(rig.game().screens.info.InfoPage, 6);
    rig.Key(vkEscape);
    EXPECT_EQ(rig.CurrentScreen(), Screen::MenuReturn);
}

TEST(Information, CalledWithF1FromPlayEscapeReturnsToTheGameKeepingThePage) {
    MenuRig rig;
    Game& game = rig.game();
    game.screens.info.InfoPage = 3;
    game.screens.CurrentScreen = Screen::GamePlay;
    PressAndRelease(rig, vkF1);  // as during play
    ASSERT_TRUE(game.input.HelpKey);
    rig.Enter(Screen::Information);
    rig.Tick();
    EXPECT_EQ(rig.Pixel(10, 10), MenuRig::ColourOf("c2"));
    rig.Key(vkEscape);
    EXPECT_EQ(rig.CurrentScreen(), Screen::GamePlay);
    EXPECT_FALSE(game.input.HelpKey);
}

TEST(Credits, ScrollTwentyPixelsASecondBehindTheFrameAndRestartAfterTheMenu) {
    MenuRig rig;
    Game& game = rig.game();
    game.screens.menu.MenuSelection = 4;
    rig.Enter(Screen::Credits);
    rig.Ticks(200, 10);  // 2 s
    EXPECT_DOUBLE_EQ(game.screens.info.CreditsY, 380);
    EXPECT_EQ(rig.Pixel(260, 381), MenuRig::ColourOf("credits"));
    EXPECT_EQ(rig.Pixel(260, 379), MenuRig::ColourOf("informatii"));
    EXPECT_EQ(rig.Pixel(260, 30), MenuRig::ColourOf("informatii2"));
    rig.Ticks(83, 1000);
    EXPECT_DOUBLE_EQ(game.screens.info.CreditsY, -1200);
    rig.Key(vkEscape);
    rig.Tick();  // the menu-return screen
    EXPECT_EQ(rig.CurrentScreen(), Screen::MainMenu);
    EXPECT_DOUBLE_EQ(game.screens.info.CreditsY, 480);
    EXPECT_EQ(game.screens.menu.MenuSelection, 4);
}

TEST(GameFinished, ThePictureRisesToItsPlaceAndEscapeLeadsToThePlayersScreen) {
    MenuRig rig;
    Game& game = rig.game();
    rig.Enter(Screen::GameFinished);
    rig.Ticks(28, 100);  // 2.8 s: half way
    EXPECT_DOUBLE_EQ(game.screens.info.FinishedY, 340);
    EXPECT_EQ(rig.Pixel(130, 341), MenuRig::ColourOf("termina"));
    EXPECT_EQ(rig.Pixel(130, 339), MenuRig::ColourOf("terminat"));
    rig.Ticks(40, 100);
    EXPECT_DOUBLE_EQ(game.screens.info.FinishedY, 200);
    rig.Key(vkEscape);
    EXPECT_EQ(rig.CurrentScreen(), Screen::PlayersLevels);
    EXPECT_DOUBLE_EQ(game.screens.info.FinishedY, 480);
}

}  // namespace
