// Headless runs of the game: start-up on a chosen folder and caller-driven events and ticks.
#include "app/session.h"

#include <SDL.h>

#include <stdexcept>

#include "app/key_events.h"
#include "app/screen_dispatch.h"
#include "app/startup.h"

std::unique_ptr<Game> StartGame(const SessionOptions& options) {
    SDL_SetMainReady();
    auto game = std::make_unique<Game>();
    SetStartDefaults(*game);
    game->ProgramDir = options.ProgramDir;
    if (!game->ProgramDir.empty() && game->ProgramDir.back() != '/') game->ProgramDir += '/';
    game->FixedSeed = options.Seed;
    if (options.ReadSettings) {
        if (!CheckDataFiles(*game))
            throw std::runtime_error("data files missing in " + game->ProgramDir);
        ReadStoredSettings(*game);
    } else {
        ReadSystemVolumes(*game);
        game->settings.SavedMusicVolume = game->settings.MusicVolume;
        game->settings.SavedSoundsVolume = game->settings.SoundsVolume;
        game->settings.ShowTips = 1;
        game->settings.MusicEnabled = 0;
        game->settings.SoundsEnabled = 1;
        game->settings.LevelsFile = "Tolmara.lev";
    }
    game->media.dxdraw.StartDisplay(false, "Tolmara Deepgrid");
    FormCreate(*game);
    DXDrawInitialize(*game);
    game->StartupComplete = true;
    return game;
}

void PressKey(Game& game, int vk, ShiftState shift) {
    game.media.Input.KeyDown(vk);
    FormKeyDown(game, vk, shift);
}

void ReleaseKey(Game& game, int vk, ShiftState shift) {
    game.media.Input.KeyUp(vk);
    FormKeyUp(game, vk, shift);
}

void TypeChar(Game& game, uint8_t latin1) {
    FormKeyPress(game, latin1);
}

void MoveMouse(Game& game, int x, int y) {
    DXDrawMouseMove(game, x, y);
}

void MouseButton(Game& game, bool down) {
    if (down)
        DXDrawMouseDown(game);
    else
        dxdrawMouseUp(game);
}

void RunTick(Game& game, int32_t lag) {
    if (game.audio.MusicFinished.load()) mediapNotify(game);
    if (game.timer.Enabled && !game.Terminated) DXTimerTimer(game, lag);
}
