// Whole flows on the game's own built data files: every menu picture and sound the screens name
// must be there, and the screens must lead into play and back.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/session.h"
#include "audio/audio.h"
#include "screens/screen_dispatch.h"
#include "store/player_table.h"
#include "store/settings.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

class BuiltDataFlow : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* file :
             {"tolmara.dxg", "meniu.dxg", "computer.dxg", "sounds.dxg", "Tolmara.lev"}) {
            if (!fs::exists(BuiltGameDir() + file))
                GTEST_SKIP() << "built data file missing: " << file;
            fs::copy_file(BuiltGameDir() + file, dir_.File(file));
        }
        for (const auto& entry : fs::directory_iterator(BuiltGameDir()))
            if (entry.path().extension() == ".mid")
                fs::copy_file(entry.path(), dir_.File(entry.path().filename()));
        if (fs::exists(SourceDir() + "assets/tolmarakx.cfg")) {
            fs::copy_file(SourceDir() + "assets/tolmarakx.cfg", dir_.File("tolmarakx.cfg"));
        } else {
            Settings s;
            s.ShowTips = 1, s.MusicEnabled = 0, s.SoundsEnabled = 1;
            s.MusicVolume = 100, s.SoundsVolume = 100, s.Speed = 300;
            s.LevelsFile = "Tolmara.lev";
            WriteConfiguration(s, dir_.Path());
        }
        game_ = StartGame(SessionOptions{dir_.Path(), true, 7});
        // With sounds on every sound the screens name is looked up in "sounds.dxg".
        game_->settings.SoundsEnabled = 1;
        ASSERT_TRUE(MakeSoundReady(game_->Sound()));
    }

    Game& game() { return *game_; }
    void Tick(int32_t lag = 20) { RunTick(*game_, lag); }
    void Ticks(int n, int32_t lag = 20) {
        for (int i = 0; i < n; ++i) Tick(lag);
    }
    void Key(int vk) {
        PressKey(*game_, vk);
        Tick();
        ReleaseKey(*game_, vk);
    }
    void Click(int x, int y) {
        MoveMouse(*game_, x, y);
        MouseButton(*game_, true);
        Tick();
        MouseButton(*game_, false);
    }
    ::Screen CurrentScreen() const { return game_->screens.CurrentScreen; }
    void RunUntilScreen(::Screen screen, int limit = 300) {
        for (int i = 0; i < limit && CurrentScreen() != screen; ++i) Tick();
        ASSERT_EQ(CurrentScreen(), screen);
    }

    TempDir dir_;
    std::unique_ptr<Game> game_;
};

TEST_F(BuiltDataFlow, LogoMenuOptionsVolumeAndBackRestoringItFromTheFile) {
    Ticks(3);
    Click(320, 240);
    RunUntilScreen(Screen::MainMenu);
    Ticks(50);
    Key(vkDown);
    Key(vkReturn);
    RunUntilScreen(Screen::Options);
    Ticks(26);
    const int32_t saved = game().settings.SoundsVolume;
    for (int i = 0; i < 5; ++i) Key(vkDown);  // option 6, sounds volume (plays "click")
    PressKey(game(), saved > 100 ? vkLeft : vkRight);
    Ticks(5);
    ReleaseKey(game(), saved > 100 ? vkLeft : vkRight);
    EXPECT_NE(game().settings.SoundsVolume, saved);
    Click(270, 457);
    RunUntilScreen(Screen::MainMenu);
    EXPECT_EQ(game().settings.SoundsVolume, saved);
    EXPECT_EQ(game().audio.Volumes.WaveVolume(), saved & 255);
}

TEST_F(BuiltDataFlow, AFirstPlayerReachesLevelOneAndHelpAndCharacterKeysReturnIntoIt) {
    game().players.Clear();
    game().world.play.CurrentLevel = 1;
    SetScreen(game(), Screen::MenuReturn);
    Ticks(50);
    Key(vkReturn);  // "sg"
    RunUntilScreen(Screen::PlayersLevels);
    Ticks(18);
    ASSERT_TRUE(game().input.NameEditing);
    for (char c : std::string("Tia")) TypeChar(game(), static_cast<uint8_t>(c)), Tick();
    TypeChar(game(), 13);
    Tick();
    Key(vkReturn);
    RunUntilScreen(Screen::CharacterSelect);
    Ticks(15);
    Click(400, 250);
    PlayerTable saved;  // the new player and the chosen character are in the file at once
    int32_t speed = 0;
    ReadPlayerNames(saved, speed, dir_.Path());
    EXPECT_EQ(saved.PlayerNames[1], "Tia");
    EXPECT_EQ(saved.PlayerCharacter[1], 0);
    RunUntilScreen(Screen::GamePlay);
    EXPECT_EQ(game().world.play.CurrentLevel, 1);
    EXPECT_EQ(game().settings.Character, 0);
    Ticks(10);
    const double timeBefore = game().world.play.LevelTime;
    Key(vkF1);
    RunUntilScreen(Screen::Information);
    Key(vkNext);
    Key(vkEscape);
    RunUntilScreen(Screen::GamePlay);
    Ticks(2);
    EXPECT_GT(game().world.play.LevelTime, timeBefore);  // the same level goes on
    TypeChar(game(), 'c');
    Tick();
    RunUntilScreen(Screen::CharacterSelect);
    Ticks(15);
    Key(vkEscape);
    RunUntilScreen(Screen::GamePlay);
    EXPECT_EQ(game().world.play.CurrentLevel, 1);
}

TEST_F(BuiltDataFlow, EveryMenuScreenDrawsFromTheBuiltPictures) {
    SetScreen(game(), Screen::MenuReturn);
    Ticks(50);
    for (int item : {3, 4}) {
        game().screens.menu.MenuSelection = item;
        Key(vkReturn);
        RunUntilScreen(item == 3 ? Screen::Information : Screen::Credits);
        for (int page = 0; page < 7; ++page) Key(vkNext);
        Ticks(10);
        Key(vkEscape);
        RunUntilScreen(Screen::MainMenu);
        Ticks(30);
    }
    SetScreen(game(), Screen::GameFinished);
    Ticks(10, 100);
    Key(vkEscape);
    RunUntilScreen(Screen::PlayersLevels);
    Ticks(20);
}

}  // namespace
