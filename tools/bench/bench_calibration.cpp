// SDL's opaque blit of one frame surface, timed like the memcpy yardstick.
#include "bench_calibration.h"

#include <SDL.h>

#include "bench_clock.h"

std::vector<double> SdlOpaqueBlitSamples(int samples) {
    SDL_Surface* from = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 16, SDL_PIXELFORMAT_RGB565);
    SDL_Surface* to = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 16, SDL_PIXELFORMAT_RGB565);
    std::vector<double> out;
    if (from && to) {
        SDL_FillRect(from, nullptr, 0x5A5A);
        for (int i = 0; i < 20; ++i) SDL_BlitSurface(from, nullptr, to, nullptr);
        for (int i = 0; i < samples; ++i) {
            const int64_t start = MonotonicNs();
            SDL_BlitSurface(from, nullptr, to, nullptr);
            out.push_back(static_cast<double>(MonotonicNs() - start) / 1000.0);
        }
    }
    SDL_FreeSurface(from);
    SDL_FreeSurface(to);
    return out;
}
