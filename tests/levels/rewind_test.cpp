// Rewind over every shipped level's proof: the world made again for an earlier tick is exactly
// the world that tick had, and playing on from it ends the level exactly as the proof does.
#include "game/rewind.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/events.h"
#include "game/replay_simulation.h"
#include "game/world_hash.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> ShippedReplays() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(SourceDir() + "assets/replays"))
        if (entry.path().extension() == ".replay") names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The keys and lag of every tick of a script, tick 1 first.
std::vector<const ReplayStep*> TickSteps(const ReplayScript& script) {
    std::vector<const ReplayStep*> ticks;
    for (const ReplayStep& step : script.Steps)
        for (int64_t i = 0; i < step.Count; ++i) ticks.push_back(&step);
    return ticks;
}

TEST(Rewind, MakesEveryEarlierTickOfEveryShippedProofExactly) {
    const BuiltDataFolder data;
    for (const std::string& path : ShippedReplays()) {
        SCOPED_TRACE(path);
        const ReplayScript script = ReadReplayFile(path);
        const ReplayResult result = SimulateReplay(script, data.Path());
        const std::string straight = ReplayResultJson(result);

        // The proof played straight, every tick's world fingerprint noted and the timeline kept;
        // the last world and keys are where the rewinds start from.
        std::vector<uint64_t> hashes;
        RewindTimeline timeline;
        auto world = std::make_unique<World>();
        ReplayKeyState keys;
        SimulateReplayWithKeys(script, data.Path(),
                               [&](const World& w, const ReplayKeyState& k, int64_t tick) {
                                   hashes.push_back(WorldHash(w));
                                   timeline.AfterTick(w, k, tick);
                                   if (tick != result.Ticks) return;
                                   *world = w;
                                   keys = k;
                               });
        const auto last = static_cast<int64_t>(hashes.size());
        ASSERT_EQ(timeline.Last(), last);

        // Back to three earlier ticks, later ones first (a rewind forgets what came after).
        const std::vector<int64_t> targets = {last * 3 / 4, last / 2 + 7, last / 5 + 1};
        for (int64_t target : targets) {
            timeline.RewindTo(*world, keys, script, target);
            ASSERT_EQ(WorldHash(*world), hashes[static_cast<size_t>(target - 1)])
                << "tick " << target << " of " << last;
        }

        // Played on from the earliest of them by the rest of the proof: the same end.
        const std::vector<const ReplayStep*> steps = TickSteps(script);
        SilentEvents silent;
        int64_t tick = targets.back();
        bool ended = false;
        while (!ended && tick < static_cast<int64_t>(steps.size())) {
            const ReplayStep& step = *steps[static_cast<size_t>(tick)];
            ++tick;
            keys.Change(step.Keys);
            ended = PlayWorldTick(*world, silent, keys, step.Lag);
        }
        EXPECT_EQ(ReplayResultJson(ResultOfWorld(*world, ended, tick)), straight);
    }
}

// A script cut after a tick keeps exactly that many ticks and no later check.
TEST(Rewind, CuttingAScriptKeepsItsFirstTicks) {
    ReplayScript script = ParseReplay(
        "levels a.lev\nlevel 1\n1 17\n10 17 Right\n5 20\n8 17 Down\ncheck 5 1\ncheck 12 2\n",
        "cut.replay");
    CutScriptAfter(script, 13);
    ASSERT_EQ(script.Steps.size(), 3u);
    EXPECT_EQ(script.Steps[1].Count, 10);
    EXPECT_EQ(script.Steps[2].Count, 2);
    ASSERT_EQ(script.Checks.size(), 2u);
    CutScriptAfter(script, 11);
    EXPECT_EQ(script.Steps.size(), 2u);
    EXPECT_EQ(script.Checks.size(), 1u);
}

}  // namespace
