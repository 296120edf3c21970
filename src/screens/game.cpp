// The game object and the rules' reports turned into sounds and messages.
#include "screens/game.h"

#include <chrono>

#include "store/records.h"

Game::Game() = default;
Game::~Game() = default;

void Game::SeedRandomFromClock() {
    if (FixedSeed) {
        LastSeed = *FixedSeed;
    } else {
        auto now = std::chrono::steady_clock::now().time_since_epoch();
        LastSeed = static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    }
    world.random.Seed(LastSeed);
}

void ScreenEvents::PlaySound(std::string_view name) {
    ::PlaySound(game_.Sound(), name);
}

void ScreenEvents::ShowMessage(MessageId id) {
    ::ShowMessage(game_, id);
}

bool ScreenEvents::MessageShown(MessageId id) const {
    return game_.messages.MessageShown[static_cast<size_t>(MessageNumber(id))];
}
