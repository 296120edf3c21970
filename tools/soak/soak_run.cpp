// One soak of one level: random play through the real level start, play and level-end screens.
#include "soak_run.h"

#include <algorithm>
#include <chrono>
#include <exception>

#include "app/game.h"
#include "app/screen_dispatch.h"
#include "app/session.h"
#include "level/level_loader.h"
#include "random_player.h"
#include "soak_checks.h"

namespace {

std::unique_ptr<Game> StartSoakGame(const std::string& gameDir, uint64_t seed) {
    SessionOptions session;
    session.ProgramDir = gameDir;
    session.ReadSettings = false;  // the player's own settings stay out of it
    session.Seed = seed;
    std::unique_ptr<Game> game = StartGame(session);
    game->settings.MusicEnabled = 0;
    ReadLevelSet(*game);
    return game;
}

void CountEnd(const Game& game, SoakResult& result) {
    switch (game.play.LevelOutcome) {
        case 1:
            ++result.Made;
            break;
        case 3:
            ++result.Aborted;
            break;
        default:
            ++result.Killed;
            break;
    }
}

void NotePeaks(const Game& game, SoakResult& result) {
    const PlayState& play = game.play;
    result.PeakFalls = std::max(result.PeakFalls, play.FallCount);
    result.PeakExplosions = std::max(result.PeakExplosions, play.ExplosionCount);
    result.PeakBombs = std::max(result.PeakBombs, play.PlacedBombCount);
    if (game.input.Paused) ++result.PausedTicks;
}

bool LevelInPlay(const Game& game) {
    const int screen = game.screens.CurrentScreen;
    return screen == scGamePlay || screen == scLevelEnd;
}

}  // namespace

int CountLevels(const std::string& gameDir) {
    return StartSoakGame(gameDir, 1)->levels.LevelSet.LevelCount;
}

SoakResult SoakLevel(const SoakOptions& options, int n) {
    const uint64_t seed = options.Seed + static_cast<uint64_t>(n);
    std::unique_ptr<Game> game = StartSoakGame(options.GameDir, seed);
    RandomPlayer player(seed);
    player.EnterCheat(*game);
    SoakResult result;
    const auto start = std::chrono::steady_clock::now();
    bool ended = false;
    while (result.GameMs < options.GameMsPerLevel) {
        if (options.MaxTicks > 0 && result.Ticks >= options.MaxTicks) break;
        if (options.WallSecondsPerLevel > 0 && (result.Ticks & 63) == 0) {
            std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
            if (spent.count() >= options.WallSecondsPerLevel) break;
        }
        const int screen = game->screens.CurrentScreen;
        if (screen != scLevelStart && !LevelInPlay(*game)) {
            player.Reset(*game);  // the level ended and the game went on to a menu: again
            game->play.CurrentLevel = n;
            SetScreen(*game, scLevelStart);
            ++result.Starts;
            ended = false;
        }
        const int32_t lag = player.NextLag();
        player.Act(*game, lag);
        ++result.Ticks;
        result.GameMs += lag;
        try {
            RunTick(*game, lag);
        } catch (const std::exception& e) {
            result.Violation = std::string("exception: ") + e.what();
        }
        if (result.Violation.empty() && game->Terminated) result.Violation = "the game terminated";
        if (result.Violation.empty() && LevelInPlay(*game)) {
            result.Violation = FindViolation(*game);
            NotePeaks(*game, result);
        }
        if (!result.Violation.empty()) {
            result.ViolationTick = result.Ticks;
            break;
        }
        if (game->screens.CurrentScreen == scLevelEnd && !ended) {
            ended = true;
            CountEnd(*game, result);
        }
    }
    return result;
}
