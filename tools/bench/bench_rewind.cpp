// Rewind's costs, measured on straight play from the level's start: the same ticks with the way
// back kept and without, then steps back from what was kept.
#include "bench_rewind.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <vector>

#include "app/replay_run.h"
#include "app/session.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"

namespace {

constexpr int32_t kLag = 17;

std::unique_ptr<Game> StartPlaying(const std::string& dataDir, const std::string& levels,
                                   bool rewind) {
    ReplayScript script;
    script.Levels = levels;
    script.Level = 1;
    script.Mortal = 0;  // a monster that reaches the player must not end the level
    std::unique_ptr<Game> game = StartReplayGame(script, dataDir);
    game->run.RewindOn = rewind;
    game->world.play.CurrentLevel = 1;
    SetScreen(*game, Screen::LevelStart);
    for (int i = 0; i < 10 && game->screens.CurrentScreen != Screen::GamePlay; ++i)
        RunTick(*game, kLag);
    if (game->screens.CurrentScreen != Screen::GamePlay)
        throw std::runtime_error("benchmark: the level did not start");
    return game;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Microseconds per tick, the median over batches of 30 ticks of straight play.
double PlayTicks(Game& game, int batches) {
    std::vector<double> perTick;
    for (int b = 0; b < batches; ++b) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 30; ++i) RunTick(game, kLag);
        perTick.push_back(Seconds(start) * 1e6 / 30);
    }
    std::nth_element(perTick.begin(), perTick.begin() + perTick.size() / 2, perTick.end());
    return perTick[perTick.size() / 2];
}

}  // namespace

RewindCosts MeasureRewind(const std::string& dataDir, const std::string& levels, bool quick) {
    RewindCosts costs;
    const int batches = quick ? 20 : 120;
    // The same ticks in the same order, with and without the way back, taken in turns.
    std::unique_ptr<Game> off = StartPlaying(dataDir, levels, false);
    std::unique_ptr<Game> on = StartPlaying(dataDir, levels, true);
    std::vector<double> offs, ons;
    for (int round = 0; round < 4; ++round) {
        offs.push_back(PlayTicks(*off, batches / 4));
        ons.push_back(PlayTicks(*on, batches / 4));
    }
    std::sort(offs.begin(), offs.end());
    std::sort(ons.begin(), ons.end());
    costs.TickOffUs = offs[offs.size() / 2];
    costs.TickOnUs = ons[ons.size() / 2];

    // One second back, from the same kept run each time.
    const RunInPlay kept = on->run;
    auto world = std::make_unique<World>(on->world);
    std::vector<double> steps;
    for (int i = 0; i < (quick ? 5 : 25); ++i) {
        on->run = kept;
        on->world = *world;
        const RewindTimeline& timeline = on->run.Timeline;
        const int64_t target = timeline.TickAtTime(timeline.TimeAt(timeline.Last()) - 1000);
        const auto start = std::chrono::steady_clock::now();
        if (!RewindRun(*on, target)) throw std::runtime_error("benchmark: no way back");
        steps.push_back(Seconds(start) * 1e3);
    }
    std::sort(steps.begin(), steps.end());
    costs.StepMs = steps[steps.size() / 2];

    // Long play: the kept worlds thin out as they age.
    costs.PlayedMinutes = quick ? 2 : 10;
    on->run = kept;
    on->world = *world;
    const double until = costs.PlayedMinutes * 60000.0;
    while (on->world.play.LevelTime < until) RunTick(*on, kLag);
    costs.MemoryMb = static_cast<double>(on->run.Timeline.Bytes()) / (1024 * 1024);
    return costs;
}
