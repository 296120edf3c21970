// The table of screens: for each, what entering it does, its per-tick handler and what a reset
// of the screens' state puts back.
#include <array>

#include "audio/audio.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"

namespace {

// The delayed tip of the standard level set's levels that bring a new mechanic or a new use of one.
MessageId LevelTip(int level) {
    switch (level) {
        case 3:
            return MessageId::TipTerminal;
        case 4:
            return MessageId::TipYellowDynamite;
        case 5:
            return MessageId::TipRedDynamite;
        case 6:
            return MessageId::TipPushBalls;
        case 7:
            return MessageId::TipToggleTips;
        case 8:
            return MessageId::TipEatInPlace;
        case 23:
            return MessageId::TipBallIntoShaft;
        case 24:
            return MessageId::TipPortsGoDown;
        case 25:
            return MessageId::TipClearTheLid;
        case 26:
            return MessageId::TipWalkWithTheWind;
        case 27:
            return MessageId::TipOneBombTwoWalls;
        case 28:
            return MessageId::TipBallOnSawDrone;
        case 29:
            return MessageId::TipTerminalReach;
        case 30:
            return MessageId::TipPortsStopMonsters;
        case 31:
            return MessageId::TipPilesRollRight;
        case 32:
            return MessageId::TipPortsIgnoreThePulse;
        case 33:
            return MessageId::TipKeepTheBallOffTheFuse;
        case 34:
            return MessageId::TipBallsRollOffBalls;
        case 35:
            return MessageId::TipBombLinesBurn;
        case 36:
            return MessageId::TipFinishEachDistrict;
        case 37:
            return MessageId::TipHoldInTheWind;
        case 38:
            return MessageId::TipStickAsBridge;
        case 39:
            return MessageId::TipSwitchReach;
        default:
            return MessageId::None;
    }
}

int32_t LevelSong(const Game& game, int level) {
    if (level < 0 || level > kMaxLevelSongs) return -2;  // no such level: acts as a missing song
    return game.settings.LevelSongs[level];
}

void EnterPlayersLevels(Game& game) {
    PlaySong(game.Sound(), game.settings.LevelSongs[0]);
    game.input.AddNameKey = game.players.PlayerCount == 0;
    if (game.players.PlayerCount == 0) ShowMessage(game, MessageId::TipEnterName);
    game.input.PlayerActionKey = false;
}

void EnterLevelStart(Game& game) {
    PlaySong(game.Sound(), LevelSong(game, game.world.play.CurrentLevel));
    const MessageId tip = LevelTip(game.world.play.CurrentLevel);
    if (game.settings.LevelsFile == "Tolmara.lev" && tip != MessageId::None)
        ShowMessageDelayed(game, tip);
}

// Every way back to the main menu passes here: all screens start afresh, with the menu's song.
void MenuReturnTick(Game& game, int32_t) {
    ResetScreenState(game);
    PlaySong(game.Sound(), game.settings.LevelSongs[0]);
    SetScreen(game, Screen::MainMenu);
}

struct ScreenEntry {
    Screen Id;
    void (*Enter)(Game& game);  // may be null
    ScreenTickFn Tick;
    void (*Reset)(Game& game);  // may be null: nothing to put back
};

// The order of the resets is the order of this table.
constexpr std::array<ScreenEntry, 14> kScreens{{
    {Screen::IntroLogo, nullptr, IntroLogoTick, nullptr},
    {Screen::MenuReturn, nullptr, MenuReturnTick, nullptr},
    {Screen::MainMenu, nullptr, MainMenuTick, ResetMainMenu},
    {Screen::PlayersLevels, EnterPlayersLevels, PlayersLevelsTick, ResetPlayersScreen},
    {Screen::CharacterSelect, nullptr, CharacterSelectTick, ResetCharacterSelect},
    {Screen::Credits, nullptr, CreditsTick, ResetCredits},
    {Screen::GameFinished, nullptr, GameFinishedTick, ResetGameFinished},
    {Screen::LevelStart, EnterLevelStart, LevelStartTick, nullptr},
    {Screen::Information, nullptr, InformationTick, nullptr},
    {Screen::GamePlay, nullptr, GamePlayTick, ResetPlayScreens},
    {Screen::LevelEnd, nullptr, LevelEndTick, nullptr},
    {Screen::Options, EnterOptions, OptionsTick, nullptr},
    {Screen::RecordsBoard, EnterRecordsBoard, RecordsBoardTick, nullptr},
    {Screen::RunWatch, EnterRunWatch, RunWatchTick, nullptr},
}};

// Keys pressed on one screen must not act on the next: the presses that wait for a screen to
// read them (and the fire state, which the screens take as a click) are dropped whenever the
// screen changes. Keys held down (the arrows' states, Space, Ctrl) and the requests that lead
// back into a level (F1, C) stay.
void ForgetPresses(Game& game) {
    InputFlags& in = game.input;
    in.EscapePressed = in.EnterPressed = false;
    in.KeyUpPressed = in.KeyDownPressed = false;
    in.PageUpHeld = in.PageDownHeld = false;
    in.LastKeyChar = 0;
    in.AddNameKey = in.PrevPlayerKey = in.NextPlayerKey = false;
    in.PlayerActionKey = false;
    in.PlayerAction = 0;
    in.BoardKey = in.ExportKey = in.GhostKey = in.AnyKeyPressed = false;
    in.RewindHeld = in.RewindPressed = false;
    game.media.Input.Remove(isButton1);
}

}  // namespace

void SetScreen(Game& game, Screen screen) {
    ForgetPresses(game);
    game.screens.CurrentScreen = screen;
    game.timer.Enabled = false;
    for (const ScreenEntry& entry : kScreens) {
        if (entry.Id != screen) continue;
        if (entry.Enter) entry.Enter(game);
        game.ScreenTick = entry.Tick;
    }
    game.timer.Enabled = true;
}

void ResetScreenState(Game& game) {
    ClearMessages(game.messages);
    game.input.EnterPressed = false;
    game.input.SnapKey = false;
    game.input.KeyUpPressed = false;
    game.input.KeyDownPressed = false;
    for (const ScreenEntry& entry : kScreens)
        if (entry.Reset) entry.Reset(game);
}

void ApplySpeed(Game& game) {
    ApplySpeedToTables(game.world.tiles, game.settings.Speed);
    game.world.Speed = game.settings.Speed;
}
