// Watching a replay in a real window: event pumping and the recorded pace between ticks.
#include <SDL.h>

#include "app/replay_run.h"

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
