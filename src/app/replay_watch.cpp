// Watching a replay in a real window: event pumping and the recorded pace between ticks.
#include <SDL.h>

#include "app/replay_run.h"
#include "app/session.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"

bool WaitForReplayPace(int32_t lag) {
    static Uint64 previous = 0;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) return false;
    }
    const Uint64 now = SDL_GetTicks64();
    if (previous != 0 && now < previous + static_cast<Uint64>(lag)) {
        SDL_Delay(static_cast<Uint32>(previous + lag - now));
    }
    previous = SDL_GetTicks64();
    return true;
}

void HoldLastFrame(Game& game, int32_t ms) {
    if (game.screens.CurrentScreen == Screen::LevelEnd) RunTick(game, 1);  // the outcome
    const Uint64 end = SDL_GetTicks64() + static_cast<Uint64>(ms);
    while (SDL_GetTicks64() < end) {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 50)) {
            if (event.type == SDL_QUIT || event.type == SDL_KEYDOWN ||
                event.type == SDL_MOUSEBUTTONDOWN)
                return;
        }
        game.media.Screen.ShowFrame(game.media.Back);  // again, in case the window was covered
    }
}
