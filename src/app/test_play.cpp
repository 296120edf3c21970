// Test play in the game's window, recorded tick by tick.
#include "app/test_play.h"

#include <SDL.h>

#include <algorithm>

#include "app/replay_run.h"
#include "app/session.h"
#include "app/virtual_keys.h"
#include "screens/game.h"
#include "screens/input_flags.h"
#include "screens/screen_dispatch.h"

namespace {

// The replay key of a virtual key; false for keys a replay does not hold.
bool ReplayKeyOf(int vk, ReplayKey& key) {
    switch (vk) {
        case vkUp:
            key = ReplayKey::Up;
            return true;
        case vkDown:
            key = ReplayKey::Down;
            return true;
        case vkLeft:
            key = ReplayKey::Left;
            return true;
        case vkRight:
            key = ReplayKey::Right;
            return true;
        case vkSpace:
            key = ReplayKey::Space;
            return true;
        case vkControl:
            key = ReplayKey::Ctrl;
            return true;
        case vkEscape:
            key = ReplayKey::Escape;
            return true;
        case vkReturn:
            key = ReplayKey::Enter;
            return true;
        case 'P':
            key = ReplayKey::P;
            return true;
        case 'C':
            key = ReplayKey::C;
            return true;
        case vkF1:
            key = ReplayKey::F1;
            return true;
        default:
            return false;
    }
}

}  // namespace

TestPlay PlayTestLevel(const std::string& levelsPath, int level, int speed,
                       const std::string& dataDir) {
    TestPlay play;
    ReplayScript& script = play.Recording;
    script.Levels = levelsPath;
    script.Level = level;
    script.Speed = speed;
    script.Seed = 1;
    std::unique_ptr<Game> game = StartReplayGame(script, dataDir);
    game->world.play.CurrentLevel = level;
    SetScreen(*game, Screen::LevelStart);
    std::vector<ReplayKey> down, held;  // keys down in the window; keys the game was given
    bool playing = false, closed = false;
    int64_t ticks = 0;
    Uint64 last = SDL_GetTicks64();
    while (!closed) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (e.type == SDL_QUIT ||
                (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE))
                closed = true;
            if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
                down.clear();
            if ((e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) || e.key.repeat) continue;
            ReplayKey key;
            if (!ReplayKeyOf(VirtualKeyOf(e.key.keysym), key)) continue;
            std::erase(down, key);
            if (e.type == SDL_KEYDOWN) down.push_back(key);
        }
        if (closed) break;
        // About 60 ticks a second, the lag as measured (a long stall counts as 100 ms).
        Uint64 now = SDL_GetTicks64();
        if (now - last < 16) SDL_Delay(static_cast<Uint32>(16 - (now - last)));
        now = SDL_GetTicks64();
        int32_t lag = static_cast<int32_t>(std::clamp<Uint64>(now - last, 1, 100));
        last = now;
        ChangeHeldKeys(*game, held, down);
        RunTick(*game, lag);
        AppendReplayTick(script, lag, down);
        ++ticks;
        RecordWorldCheck(script, game->world, ticks, lag);
        bool onPlayScreen = game->screens.CurrentScreen == Screen::GamePlay;
        bool left = playing && !onPlayScreen;
        playing = playing || onPlayScreen;
        if (left || game->Terminated) break;
    }
    play.Result =
        ResultOfWorld(game->world, game->screens.CurrentScreen == Screen::LevelEnd, ticks);
    if (closed && play.Result.Outcome == "playing") play.Result.Outcome = "aborted";
    return play;
}
