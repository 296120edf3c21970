// The program entry's sequence and the window's event loop with the idle-driven frame timer.
#include "app/main_loop.h"

#include <SDL.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "app/frame.h"
#include "app/key_events.h"
#include "app/program_folder.h"
#include "app/run_levels.h"
#include "app/startup.h"
#include "app/virtual_keys.h"
#include "audio/audio.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"

namespace {

constexpr const char* kTitle = "Tolmara Deepgrid";

// SIGINT and SIGTERM end the game like the exit item: the handler only raises this flag and the
// loop runs the shutdown sequence, so a player's progress and settings are stored. Installed
// before anything else, so a signal during start-up is not lost either.
std::atomic<bool> quitRequested{false};

void OnQuitSignal(int) {
    quitRequested = true;
}

// The game in play, for a process that ends without its shutdown sequence: when the window is
// destroyed from outside, the window system's error handler ends the process through exit().
// That is taken like a window close: the player names and the configuration are saved. Nothing
// else of the shutdown runs, since the window system can no longer be asked for anything.
Game* runningGame = nullptr;

void SaveAtForcedExit() {
    Game* game = runningGame;
    runningGame = nullptr;
    if (!game || !game->StartupComplete || game->Terminated) return;
    for (auto save :
         {+[](Game& g) { WritePlayerNames(g.players, g.settings.Speed, g.SaveFolder()); },
          +[](Game& g) { WriteConfiguration(SettingsToStore(g), g.SaveFolder()); }}) {
        try {
            save(*game);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
    }
}

// Whether the latest key went down with the left Alt key held. The window system also reports
// such a key as typed text, which Windows keeps to its menus: Alt+S must not switch the sounds.
// (Right Alt stays a typing key: on many keyboards it is AltGr.)
bool keyDownWithAlt = false;

ShiftState ShiftOf(Uint16 mod) {
    ShiftState s;
    s.Shift = (mod & KMOD_SHIFT) != 0;
    s.Alt = (mod & KMOD_ALT) != 0;
    s.Ctrl = (mod & KMOD_CTRL) != 0;
    return s;
}

void OnKey(Game& game, const SDL_KeyboardEvent& e) {
    int vk = VirtualKeyOf(e.keysym);
    ShiftState shift = ShiftOf(e.keysym.mod);
    if (vk == vkControl) shift.Ctrl = e.type == SDL_KEYDOWN;  // the release of Ctrl itself
    if (e.type == SDL_KEYDOWN) {
        keyDownWithAlt = (e.keysym.mod & KMOD_LALT) != 0;
        if (!e.repeat) game.media.Input.KeyDown(vk);
        OnKeyDown(game, vk, shift);
        // Backspace, Enter and Escape are typed characters too (the system's repeat included).
        if ((vk == vkBack || vk == vkReturn || vk == vkEscape) && !(vk == vkReturn && shift.Alt))
            OnCharTyped(game, static_cast<uint8_t>(vk));
    } else {
        game.media.Input.KeyUp(vk);
        OnKeyUp(game, vk, shift);
    }
}

void OnWindowEvent(Game& game, const SDL_WindowEvent& e) {
    Display& display = game.media.Screen;
    switch (e.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            OnFocusChanged(game, e.event == SDL_WINDOWEVENT_FOCUS_GAINED);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
            display.SetShown(false);
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
            display.SetShown(true);
            break;
        default:
            break;
    }
}

void HandleEvent(Game& game, const SDL_Event& e) {
    int x = 0, y = 0;
    switch (e.type) {
        case SDL_QUIT:
            ShutdownSequence(game);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            OnKey(game, e.key);
            break;
        case SDL_TEXTINPUT:
            if (keyDownWithAlt) break;
            for (char c : Utf8ToLatin1(e.text.text)) OnCharTyped(game, static_cast<uint8_t>(c));
            break;
        case SDL_MOUSEMOTION:
            game.media.Screen.WindowToClient(e.motion.x, e.motion.y, x, y);
            OnMouseMove(game, x, y);
            break;
        case SDL_MOUSEBUTTONDOWN:
            game.media.Screen.WindowToClient(e.button.x, e.button.y, x, y);
            MouseDownAt(game, x, y);
            break;
        case SDL_MOUSEBUTTONUP:
            OnMouseUp(game);
            break;
        case SDL_WINDOWEVENT:
            OnWindowEvent(game, e.window);
            break;
        default:
            break;
    }
}

// One pass of the idle loop: pending events, the music notification, then a tick.
void IdleStep(Game& game, uint64_t& lastTick) {
    SDL_Event e;
    while (!game.Terminated && SDL_PollEvent(&e)) HandleEvent(game, e);
    if (quitRequested.exchange(false) && !game.Terminated) ShutdownSequence(game);
    if (game.Terminated) return;
    if (game.audio.MusicFinished.load()) RestartFinishedSong(game.Sound());
    if (!game.timer.Enabled || !FrameDue(game)) {
        SDL_WaitEventTimeout(nullptr, 20);  // nothing to draw: do not spin
        lastTick = SDL_GetTicks64();
        return;
    }
    uint64_t now = SDL_GetTicks64();
    int32_t lag = static_cast<int32_t>(now - lastTick);
    if (lag < 1) lag = 1;
    lastTick = now;
    RunFrame(game, lag);
    FrameTimer& t = game.timer;
    ++t.TicksCounted;
    int64_t elapsed = static_cast<int64_t>(now) - t.MeasureStart;
    if (elapsed >= 1000) {
        t.TicksPerSecond = static_cast<int32_t>((t.TicksCounted * 1000 + elapsed / 2) / elapsed);
        t.TicksCounted = 0;
        t.MeasureStart = static_cast<int64_t>(now);
    }
}

void RestoreVolumes(Game& game) {
    game.settings.MusicVolume = game.settings.SavedMusicVolume;
    game.settings.SoundsVolume = game.settings.SavedSoundsVolume;
    ApplyVolumes(game.Sound());
}

}  // namespace

int RunGame(const std::string& levels) {
    std::signal(SIGINT, OnQuitSignal);
    std::signal(SIGTERM, OnQuitSignal);
    SDL_SetMainReady();
    auto game = std::make_unique<Game>();
    SetStartDefaults(*game);
    try {
        UseGameFolders(*game, FoldersOfProgram());
        TakeSaveFolder(*game);
    } catch (const std::exception& e) {
        ShowErrorBox(kTitle, e.what());
        return 1;
    }
    if (!CheckDataFiles(*game)) return 1;
    try {
        ReadStoredSettings(*game);
        if (!levels.empty()) UseLevelsForRun(*game, levels);
        game->media.Screen.StartDisplay(true, kTitle);
        PrepareGame(*game);
        OnDisplayReady(*game);
        game->StartupComplete = true;
    } catch (const std::exception& e) {
        ShowErrorBox(kTitle, e.what());
        SDL_Quit();
        return 1;
    }
    runningGame = game.get();
    std::atexit(SaveAtForcedExit);
    SDL_StartTextInput();
    uint64_t lastTick = SDL_GetTicks64();
    game->timer.MeasureStart = static_cast<int64_t>(lastTick);
    while (!game->Terminated) {
        try {
            IdleStep(*game, lastTick);
        } catch (const std::exception& e) {
            AppException(*game, e);
        }
    }
    runningGame = nullptr;
    RestoreVolumes(*game);
    const int status = game->Failed ? 1 : 0;
    game.reset();
    SDL_Quit();
    return status;
}
