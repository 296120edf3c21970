// The frame loop's tick and the screen dispatcher with the screens' entry actions.
#include "app/screen_dispatch.h"

#include <string>

#include "app/game.h"
#include "audio/audio.h"
#include "level/level_loader.h"
#include "screens/level_start.h"
#include "screens/screens.h"

namespace {

// The delayed tip of the standard level set's teaching levels.
int LevelTip(int level) {
    switch (level) {
        case 3:
            return 121;
        case 4:
            return 119;
        case 5:
            return 122;
        case 6:
            return 124;
        case 7:
            return 120;
        case 8:
            return 123;
        default:
            return 0;
    }
}

void DrawFrameRate(Game& game) {
    TextCanvas& canvas = game.media.Canvas;
    canvas.SetFont("Arial", 12);
    canvas.SetColor(0xFFFFFF);
    canvas.WriteText(game.media.Back, 0, 0, "FPS: " + std::to_string(game.timer.TicksPerSecond));
    canvas.ReleaseCanvas();
}

int32_t LevelSong(const Game& game, int level) {
    if (level < 0 || level > kMaxLevelSongs) return -2;  // no such level: acts as a missing song
    return game.settings.LevelSongs[level];
}

}  // namespace

void EmptyTick(Game&, int32_t) {}

void DXTimerTimer(Game& game, int32_t lag) {
    if (lag < 1) lag = 1;
    game.media.DXWaveList1.NextTick();  // one copy of each sound per tick
    if (!game.media.dxdraw.DisplayReady()) return;
    game.media.Input.PollInput();
    AgeMessages(game, lag);
    if (game.ScreenHandler) game.ScreenHandler(game, lag);
    if (game.input.ShowFps) DrawFrameRate(game);
    DrawMessages(game);
    game.media.dxdraw.ShowFrame(game.media.Back);
}

void SetScreen(Game& game, int code) {
    game.screens.CurrentScreen = static_cast<uint8_t>(code);
    game.timer.Enabled = false;
    ScreenHandlerFn handler = nullptr;
    switch (code) {
        case scIntroLogo:
            handler = IntroLogoTick;
            break;
        case scMenuReturn:
            handler = MenuReturnTick;
            break;
        case scMainMenu:
            handler = MainMenuTick;
            break;
        case scPlayersLevels:
            PlaySong(game, game.settings.LevelSongs[0]);
            game.input.AddNameKey = game.players.PlayerCount == 0;
            if (game.players.PlayerCount == 0) ShowMessage(game, 114);
            game.input.PlayerActionKey = false;
            handler = PlayersLevelsTick;
            break;
        case scLevelStart: {
            PlaySong(game, LevelSong(game, game.play.CurrentLevel));
            int tip = LevelTip(game.play.CurrentLevel);
            if (game.settings.LevelsFile == "Tolmara.lev" && tip != 0)
                ShowMessageDelayed(game, tip);
            handler = LevelStartTick;
            break;
        }
        case scInformation:
            handler = InformationTick;
            break;
        case scCredits:
            handler = CreditsTick;
            break;
        case scGamePlay:
            handler = GamePlayTick;
            break;
        case scLevelEnd:
            handler = LevelEndTick;
            break;
        case scCharacterSelect:
            handler = CharacterSelectTick;
            break;
        case scGameFinished:
            handler = GameFinishedTick;
            break;
        case scOptions:
            EnterOptions(game);
            handler = OptionsTick;
            break;
        default:
            break;  // unknown codes keep the previous handler
    }
    if (handler) game.ScreenHandler = handler;
    game.timer.Enabled = true;
}

void ResetScreenState(Game& game) {
    ClearMessages(game.messages);
    game.input.EnterPressed = false;
    game.input.SnapKey = false;
    game.input.KeyUpPressed = false;
    game.input.KeyDownPressed = false;
    ResetMenuScreens(game);
    ResetPlayScreens(game);
}

void MenuReturnTick(Game& game, int32_t) {
    ResetScreenState(game);
    PlaySong(game, game.settings.LevelSongs[0]);
    SetScreen(game, scMainMenu);
}

void LevelStartTick(Game& game, int32_t) {
    loadlevel(game, game.play.CurrentLevel);
    PrepareLevelStart(game);
    game.input.Paused = false;
    SetScreen(game, scGamePlay);
}

void ApplySpeed(Game& game) {
    ApplySpeedToTables(game.tiles, game.settings.Speed);
}
