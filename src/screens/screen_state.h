// The transient state of the menu screens (logo, main menu, players, characters, options, help).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/replay.h"
#include "game/replay_simulation.h"
#include "screens/screen_dispatch.h"
#include "store/records.h"

struct LogoState {
    double LogoTime = 0;
    bool LogoJinglePlayed = false;
};

struct MainMenuState {
    double TitleSmX = -400, TitleM2X = 640, TitleBombaY = -600;
    bool TitleSmArrived = false, TitleM2Arrived = false, TitleBombaArrived = false;
    int32_t MenuSelection = 1;
    double MenuItemsY = 480;
    bool MenuItemsArrived = false;
    bool MenuLeaving = false;
    int32_t MenuBlink = 0;
};

struct CharacterSelectState {
    int32_t BallPictureX = -92, FacePictureX = 640, SelectTitleY = 480;
    bool BallPictureArrived = false, FacePictureArrived = false, SelectTitleArrived = false;
    bool BallPictureOut = true, FacePictureOut = true, SelectTitleOut = true;
    int32_t CharacterChoice = 0;  // 0 none, 1 leave (Escape), 2 chosen
};

struct OptionsState {
    uint8_t OptMusic = 0, OptSounds = 0, OptTips = 0;
    bool OptGhost = false;  // the ghost of the player's best run shown in play
    bool OptRewind = true;  // Backspace steps back in time in play
    int32_t OptSpeed = 300;
    int32_t OptSelection = 1;
    int32_t OptBlink = 0;
    int32_t OptLeftX = -100, OptRightX = 740, OptButtonsY = 480;
    bool OptLeftArrived = false, OptRightArrived = false, OptButtonsArrived = false;
    bool OptLeaving = false;
    int32_t OptAction = 0;  // 0 none, 1 back, 2 ok
    bool OptLeftOut = true, OptRightOut = true, OptButtonsOut = true;
};

struct PlayersScreenState {
    double PlayerPanelX = -271, LevelPanelX = 640, ButtonsY = 480;
    bool PlayerPanelArrived = false, LevelPanelArrived = false, ButtonsArrived = false;
    bool PlayersLeaving = false;
    int32_t PlayersAction = 0;  // 0 none, 1 back, 2 start the level
    bool PlayerPanelOut = true, LevelPanelOut = true, ButtonsOut = true;
    bool PlayerArrowPressed = false;
    int32_t PlayerArrowPart = 0;
    bool LevelArrowPressed = false;
    int32_t LevelArrowPart = 0;
    std::string EditText;
    int32_t EditLength = 0;
    bool EditingExisting = false;
    bool CharPending = false;
    bool NameHasRoom = true;
    int32_t CursorTime = 0;
    bool AddFlash = false;
    double AddFlashTimer = 0;
    double PlayerActionTimer = 0;
    bool UpHeld = false, DownHeld = false;
    uint16_t UpHeldTicks = 0, DownHeldTicks = 0;
};

struct InfoState {
    int32_t InfoPage = 1;
    int32_t InfoButton = 0;
    double CreditsY = 480;
    double FinishedY = 480;
};

// The records of one level at the speed of the settings, the chosen run and player's statistics.
struct BoardState {
    int32_t Level = 1;
    std::vector<RunRecord> Runs;
    LevelStats Stats;
    std::string StatsOf;  // the player whose statistics are shown ("" when none)
    int32_t Selection = 0;
};

// A kept run played on the play screen from its replay.
struct WatchState {
    ReplayScript Script;
    size_t Step = 0;
    int64_t TickInStep = 0;
    ReplayKeyState Keys;
    int32_t EndTime = 0;  // ms since the run's level ended (or its replay ran out)
};

struct ScreenState {
    Screen CurrentScreen = Screen::IntroLogo;
    LogoState logo;
    MainMenuState menu;
    CharacterSelectState characters;
    OptionsState options;
    PlayersScreenState players;
    InfoState info;
    BoardState board;
    WatchState watch;
};
