// Character selection, information pages, credits and the game finished screen.
#include <gtest/gtest.h>

#include "app/screen_dispatch.h"
#include "app/session.h"
#include "menu_rig.h"

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
        game.screens.CurrentScreen = scGamePlay;
        TypeChar(game, 'c');  // C during play
        rig.Enter(scCharacterSelect);
        rig.Key(vkEscape);  // the left picture has not arrived: discarded
        rig.Ticks(14);
        EXPECT_EQ(rig.Screen(), scCharacterSelect);
        if (click) {
            rig.Click(400, 250);  // the right picture
            EXPECT_EQ(game.settings.Character, 0);
        } else {
            rig.Key(vkEscape);
        }
        rig.RunUntilScreenChanges();
        EXPECT_EQ(rig.Screen(), scGamePlay);
        EXPECT_FALSE(game.input.ChangeCharacterKey);
    }
}

TEST(CharacterSelect, FromThePlayersScreenEscapeGoesBackAndAGapClickOnlyStoresTheCharacter) {
    MenuRig rig;
    Game& game = rig.game();
    AddPlayer(game, "Ada", 1, 0);
    game.settings.Character = 1;
    rig.Enter(scCharacterSelect);
    rig.Ticks(2);
    rig.Click(300, 250);  // between the pictures, while they still slide in
    EXPECT_EQ(game.players.PlayerCharacter[1], 1);
    EXPECT_EQ(game.screens.characters.CharacterChoice, 0);
    rig.Ticks(14);
    rig.Key(vkEscape);
    rig.RunUntilScreenChanges();
    EXPECT_EQ(rig.Screen(), scPlayersLevels);
    EXPECT_EQ(game.screens.characters.BallPictureX, -92);  // state reset for the next visit
}

TEST(CharacterSelect, AClickDuringTheSlideInChoosesAndLeaves) {
    MenuRig rig;
    AddPlayer(rig.game(), "Ada", 1, 0);
    rig.Enter(scCharacterSelect);
    rig.Ticks(10);  // the left picture at x 108 of 188
    rig.Click(200, 250);
    EXPECT_EQ(rig.game().settings.Character, 1);
    rig.RunUntilScreenChanges(40);
    EXPECT_EQ(rig.Screen(), scLevelStart);
}

// After a choice that went on to the level start, C in that level shows the pictures again
// instead of returning at once with the old choice.
TEST(CharacterSelect, CInTheLevelAfterAChoiceShowsThePicturesAgain) {
    MenuRig rig;
    Game& game = rig.game();
    AddPlayer(game, "Ada", 1, 0);
    rig.Enter(scCharacterSelect);
    rig.Ticks(14);
    rig.Click(400, 250);
    rig.RunUntilScreenChanges(40);
    ASSERT_EQ(rig.Screen(), scLevelStart);
    game.screens.CurrentScreen = scGamePlay;
    TypeChar(game, 'c');
    rig.Enter(scCharacterSelect);
    rig.Ticks(5);
    EXPECT_EQ(rig.Screen(), scCharacterSelect);
    EXPECT_EQ(game.screens.characters.CharacterChoice, 0);
    EXPECT_LT(game.screens.characters.BallPictureX, 188);  // sliding in
    rig.Ticks(14);
    rig.Click(200, 250);
    rig.RunUntilScreenChanges(40);
    EXPECT_EQ(rig.Screen(), scGamePlay);
    EXPECT_EQ(game.settings.Character, 1);
}

TEST(Information, PagesTurnByKeysAndButtonsWithinOneToSeven) {
    MenuRig rig;
    rig.Enter(scInformation);
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
    EXPECT_EQ(rig.Screen(), scMenuReturn);
}

TEST(Information, CalledWithF1FromPlayEscapeReturnsToTheGameKeepingThePage) {
    MenuRig rig;
    Game& game = rig.game();
    game.screens.info.InfoPage = 3;
    game.screens.CurrentScreen = scGamePlay;
    PressAndRelease(rig, vkF1);  // as during play
    ASSERT_TRUE(game.input.HelpKey);
    rig.Enter(scInformation);
    rig.Tick();
    EXPECT_EQ(rig.Pixel(10, 10), MenuRig::ColourOf("c2"));
    rig.Key(vkEscape);
    EXPECT_EQ(rig.Screen(), scGamePlay);
    EXPECT_FALSE(game.input.HelpKey);
}

TEST(Credits, ScrollTwentyPixelsASecondBehindTheFrameAndRestartAfterTheMenu) {
    MenuRig rig;
    Game& game = rig.game();
    game.screens.menu.MenuSelection = 4;
    rig.Enter(scCredits);
    rig.Ticks(200, 10);  // 2 s
    EXPECT_DOUBLE_EQ(game.screens.info.CreditsY, 380);
    EXPECT_EQ(rig.Pixel(260, 381), MenuRig::ColourOf("credits"));
    EXPECT_EQ(rig.Pixel(260, 379), MenuRig::ColourOf("informatii"));
    EXPECT_EQ(rig.Pixel(260, 30), MenuRig::ColourOf("informatii2"));
    rig.Ticks(83, 1000);
    EXPECT_DOUBLE_EQ(game.screens.info.CreditsY, -1200);
    rig.Key(vkEscape);
    rig.Tick();  // the menu-return screen
    EXPECT_EQ(rig.Screen(), scMainMenu);
    EXPECT_DOUBLE_EQ(game.screens.info.CreditsY, 480);
    EXPECT_EQ(game.screens.menu.MenuSelection, 4);
}

TEST(GameFinished, ThePictureRisesToItsPlaceAndEscapeLeadsToThePlayersScreen) {
    MenuRig rig;
    Game& game = rig.game();
    rig.Enter(scGameFinished);
    rig.Ticks(28, 100);  // 2.8 s: half way
    EXPECT_DOUBLE_EQ(game.screens.info.FinishedY, 340);
    EXPECT_EQ(rig.Pixel(130, 341), MenuRig::ColourOf("termina"));
    EXPECT_EQ(rig.Pixel(130, 339), MenuRig::ColourOf("terminat"));
    rig.Ticks(40, 100);
    EXPECT_DOUBLE_EQ(game.screens.info.FinishedY, 200);
    rig.Key(vkEscape);
    EXPECT_EQ(rig.Screen(), scPlayersLevels);
    EXPECT_DOUBLE_EQ(game.screens.info.FinishedY, 480);
}

}  // namespace
