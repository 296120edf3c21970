// Headless runs of the game: start-up on a chosen folder and caller-driven events and ticks.
#include "app/session.h"

#include <SDL.h>

#include <stdexcept>

#include "app/frame.h"
#include "app/key_events.h"
#include "app/startup.h"
#include "screens/screen_dispatch.h"
#include "store/game_folders.h"

std::unique_ptr<Game> StartGame(const SessionOptions& options) {
    SDL_SetMainReady();
    auto game = std::make_unique<Game>();
    SetStartDefaults(*game);
    auto withSlash = [](std::string folder) {
        if (!folder.empty() && folder.back() != '/') folder += '/';
        return folder;
    };
    game->ProgramDir = withSlash(options.ProgramDir);
    if (!options.SaveDir.empty())
        UseGameFolders(*game, GameFolders{game->ProgramDir, withSlash(options.SaveDir)});
    game->FixedSeed = options.Seed;
    if (options.ReadSettings) {
        TakeSaveFolder(*game);
        if (!CheckDataFiles(*game))
            throw std::runtime_error("data files missing in " + game->ProgramDir);
        ReadStoredSettings(*game);
    } else {
        ReadSystemVolumes(game->Sound());
        game->settings.SavedMusicVolume = game->settings.MusicVolume;
        game->settings.SavedSoundsVolume = game->settings.SoundsVolume;
        game->settings.ShowTips = 1;
        game->settings.MusicEnabled = 0;
        game->settings.SoundsEnabled = 1;
        game->settings.LevelsFile = "Tolmara.lev";
    }
    game->media.Screen.StartDisplay(false, "Tolmara Deepgrid");
    PrepareGame(*game);
    OnDisplayReady(*game);
    game->StartupComplete = true;
    return game;
}

void PressKey(Game& game, int vk, ShiftState shift) {
    game.media.Input.KeyDown(vk);
    OnKeyDown(game, vk, shift);
}

void ReleaseKey(Game& game, int vk, ShiftState shift) {
    game.media.Input.KeyUp(vk);
    OnKeyUp(game, vk, shift);
}

void TypeChar(Game& game, uint8_t latin1) {
    OnCharTyped(game, latin1);
}

void MoveMouse(Game& game, int x, int y) {
    OnMouseMove(game, x, y);
}

void MouseButton(Game& game, bool down) {
    if (down)
        PressMouseButton(game);
    else
        OnMouseUp(game);
}

void RunTick(Game& game, int32_t lag) {
    if (game.audio.MusicFinished.load()) RestartFinishedSong(game.Sound());
    if (game.timer.Enabled && !game.Terminated) RunFrame(game, lag);
}
