// Start-up, the main window's creation, fatal errors and the shutdown sequence.
#include "app/startup.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "app/game.h"
#include "app/screen_dispatch.h"
#include "audio/audio.h"
#include "game/player.h"
#include "level/level_loader.h"

namespace {

std::string MissingFileText(const std::string& file) {
    const char* tail =
        "!!!\n\rPlease read the Troubleshooting section in file readme.doc to find out what you "
        "sould do.";
    if (file == "tolmarakx.cfg") return "Cannot find " + file + " data file" + tail;
    return "Cannot find the " + file + " data file" + tail;
}

bool RealVideoDriver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) driver = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0))
        return false;
    return SDL_getenv("DISPLAY") || SDL_getenv("WAYLAND_DISPLAY") || SDL_WasInit(SDL_INIT_VIDEO);
}

}  // namespace

void ShowErrorBox(const std::string& title, const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    // A message box only where a player can see and close it: never under the dummy or offscreen
    // driver, where it could wait for a click that never comes.
    if (RealVideoDriver()) {
        SDL_MessageBoxButtonData button = {
            SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0,
            "Cancel"};
        SDL_MessageBoxData box = {
            SDL_MESSAGEBOX_ERROR, nullptr, title.c_str(), text.c_str(), 1, &button, nullptr};
        int pressed = 0;
        SDL_ShowMessageBox(&box, &pressed);
    }
}

bool FileReadable(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return static_cast<bool>(in);
}

bool CheckDataFiles(Game& game) {
    for (const char* file : {"tolmara.dxg", "meniu.dxg", "computer.dxg", "tolmarakx.cfg"}) {
        if (!FileReadable(game.ProgramDir + file)) {
            ShowErrorBox("Tolmara Deepgrid", MissingFileText(file));
            return false;
        }
    }
    return true;
}

void SetStartDefaults(Game& game) {
    game.players.Clear();
    game.settings.Speed = 300;
    game.settings.Character = 1;
    game.settings.ShowTips = 1;
}

void ReadStoredSettings(Game& game) {
    game.audio.VolumeControl = TVolumeControl{};
    ReadSystemVolumes(game);
    game.settings.SavedMusicVolume = game.settings.MusicVolume;
    game.settings.SavedSoundsVolume = game.settings.SoundsVolume;
    ReadPlayerNames(game.players, game.settings.Speed, game.ProgramDir);
    ReadConfiguration(game.settings, game.ProgramDir);
}

static void ResetMainMenuStart(Game& game) {
    MainMenuState& menu = game.screens.menu;
    menu.TitleSmX = -400.0;
    menu.TitleM2X = 640.0;
    menu.TitleBombaY = -600.0;
    menu.TitleSmArrived = menu.TitleM2Arrived = menu.TitleBombaArrived = false;
    menu.MenuSelection = 1;
}

void FormCreate(Game& game) {
    game.SeedRandomFromClock();
    game.play.CurrentLevel = game.players.PlayerLevels[1];
    FillTileTables(game.tiles);
    ApplySpeed(game);
    FillMessageTexts(game.messages);
    game.media.Canvas.SetFontFolder(game.ProgramDir);
    game.media.meniulist.LoadPictures(game.ProgramDir + "meniu.dxg");
    game.media.perslist.LoadPictures(game.ProgramDir + "tolmara.dxg");
    TVuzoda* player = game.media.DXSpriteEngine.Create<TVuzoda>(game);
    player->Z = 2;
    player->Width = 40;
    player->Height = 40;
    player->X = 180.0;
    player->Y = 180.0;
    game.media.DXSpriteEngine.SortByZ();
    game.Player = player;
    ReadLevelSet(game);
    game.play.Mortal = 1;
    game.input.CheatMode = false;
    ResetMainMenuStart(game);
    game.input.ChangeCharacterKey = false;
    game.input.HelpKey = false;
    ResetScreenState(game);
    game.audio.CurrentSong = -1;
    if (game.settings.SoundsEnabled) {
        try {
            game.media.dxsound1.OpenSoundDevice();
            game.media.DXWaveList1.LoadSounds(game.ProgramDir + "sounds.dxg");
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            game.settings.SoundsEnabled = 0;
            ShowMessage(game, 10);
        }
    }
    game.screens.logo.LogoJinglePlayed = false;
    game.audio.CurrentSong = -1;
    game.audio.MusicPlaying = 0;
    ApplyVolumes(game);
    SetScreen(game, scIntroLogo);
}

void DXDrawInitialize(Game& game) {
    ResetScreenState(game);
    game.timer.Enabled = true;
}

void DXDrawFinalize(Game& game) {
    game.timer.Enabled = false;
}

void AppException(Game& game, const std::exception& error) {
    // Keep the player's progress of this run: one bad file must not lose it.
    if (game.StartupComplete) {
        try {
            WritePlayerNames(game.players, game.settings.Speed, game.ProgramDir);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
    }
    ShowErrorBox("Tolmara Deepgrid", error.what());
    game.Terminated = true;
}

void ShutdownSequence(Game& game) {
    WritePlayerNames(game.players, game.settings.Speed, game.ProgramDir);
    WriteConfiguration(game.settings, game.ProgramDir);
    if (game.settings.MusicEnabled) StopMusic(game);
    if (game.media.dxdraw.Started()) game.media.dxdraw.StopDisplay();
    game.timer.Enabled = false;
    game.Terminated = true;
}
