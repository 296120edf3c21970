// The game object.
#include "app/game.h"

#include <chrono>

#include "game/player.h"

Game::Game() = default;
Game::~Game() = default;

void Game::SeedRandomFromClock() {
    if (FixedSeed) {
        random.Seed(*FixedSeed);
        return;
    }
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    random.Seed(
        static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}
