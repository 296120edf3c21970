// The options screen: working copies, live volumes, "ok" saving and "back" restoring.
#include <gtest/gtest.h>

#include "app/session.h"
#include "menu_rig.h"
#include "screens/screen_dispatch.h"
#include "store/settings.h"

namespace {

void ReachIdleOptions(MenuRig& rig) {
    rig.Enter(Screen::Options);
    rig.Ticks(26);  // the right column needs 484 ms
}

void SelectOption(MenuRig& rig, int option) {
    for (int i = 1; i < option; ++i) rig.Key(vkDown);
    ASSERT_EQ(rig.game().screens.options.OptSelection, option);
}

Settings SettingsInFile(const MenuRig& rig) {
    Settings s;
    ReadConfiguration(s, rig.Folder());
    return s;
}

// Leaves by the given click or key and runs until the menu-return screen is selected.
void RunToMenuReturn(MenuRig& rig) {
    rig.RunUntilScreenChanges();
    ASSERT_EQ(rig.CurrentScreen(), Screen::MenuReturn);
}

TEST(Options, AHeldKeyMovesTheVolumeLiveAndBackRestoresItFromTheFile) {
    MenuRig rig;
    ReachIdleOptions(rig);
    SelectOption(rig, 5);
    const uint16_t knob = MenuRig::ColourOf("opss");
    EXPECT_NE(rig.Pixel(413, 322), knob);  // volume 100: knob at 326 + 71
    PressKey(rig.game(), vkRight);
    rig.Ticks(4);  // a slider moves in every tick the key is held
    ReleaseKey(rig.game(), vkRight);
    EXPECT_EQ(rig.game().settings.MusicVolume, 120);
    EXPECT_EQ(rig.game().audio.Volumes.MidiVolume(), 120);
    EXPECT_EQ(rig.Pixel(413, 322), knob);  // 326 + 85
    rig.Click(270, 457);                   // "back"
    EXPECT_EQ(rig.game().screens.options.OptAction, 1);
    RunToMenuReturn(rig);
    EXPECT_EQ(rig.game().settings.MusicVolume, 100);
    EXPECT_EQ(rig.game().audio.Volumes.MidiVolume(), 100);
}

TEST(Options, SwitchesToggleOncePerPressAndBackKeepsTheOldSettings) {
    MenuRig rig;
    ReachIdleOptions(rig);
    PressKey(rig.game(), vkRight);  // option 1, music
    rig.Ticks(3);
    ReleaseKey(rig.game(), vkRight);
    EXPECT_EQ(rig.game().screens.options.OptMusic, 1);
    rig.Click(340, 265);  // the tips row: the move highlights it, the click toggles it
    EXPECT_EQ(rig.game().screens.options.OptTips, 0);
    EXPECT_EQ(rig.game().screens.options.OptSelection, 3);
    rig.Key(vkEscape);
    RunToMenuReturn(rig);
    EXPECT_EQ(rig.game().settings.MusicEnabled, 0);
    EXPECT_EQ(rig.game().settings.ShowTips, 1);
}

TEST(Options, OkSavesTheCopiesAndSetsTheSpeedWithoutRecomputingRates) {
    MenuRig rig;
    ReachIdleOptions(rig);
    const int32_t rateBefore = rig.game().world.tiles.FrameRate[70];
    SelectOption(rig, 3);
    rig.Key(vkLeft);      // tips off
    rig.Click(549, 300);  // the speed track's far end: 445 for one tick
    EXPECT_EQ(rig.game().screens.options.OptSpeed, 445);
    rig.Tick();
    EXPECT_EQ(rig.game().screens.options.OptSpeed, 400);
    rig.Click(320, 457);  // between "back" and "ok": nothing
    EXPECT_FALSE(rig.game().screens.options.OptLeaving);
    rig.Click(360, 457);  // "ok"
    RunToMenuReturn(rig);
    EXPECT_EQ(rig.game().settings.ShowTips, 0);
    EXPECT_EQ(rig.game().settings.Speed, 400);
    EXPECT_EQ(rig.game().world.tiles.FrameRate[70], rateBefore);
    const Settings saved = SettingsInFile(rig);
    EXPECT_EQ(saved.ShowTips, 0);
    EXPECT_EQ(saved.Speed, 400);
}

TEST(Options, EnterDuringTheSlideInConfirmsAndSoundsWithoutALibraryStayOff) {
    MenuRig rig;
    rig.Enter(Screen::Options);
    rig.Ticks(2);
    rig.game().screens.options.OptSounds = 1;  // as if switched on before
    rig.Key(vkReturn);
    EXPECT_TRUE(rig.game().screens.options.OptLeaving);
    RunToMenuReturn(rig);
    // No "sounds.dxg" in the folder: sounds stay off with the message.
    EXPECT_EQ(rig.game().settings.SoundsEnabled, 0);
    EXPECT_TRUE(rig.Queued(10));
    EXPECT_EQ(SettingsInFile(rig).SoundsEnabled, 1);  // saved before the failed start
}

}  // namespace
