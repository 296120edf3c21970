// Every replay of tests/replays/data runs headless through the real level start and play screens
// on a data folder made in the test, and must meet the expectations written into it; on the world
// alone it must end the same way.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/replay_run.h"
#include "game/replay_simulation.h"
#include "replays/replay_checks.h"
#include "replays/replay_rig.h"
#include "screens/game.h"

namespace {

std::vector<std::string> ReplayNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(ReplayDataDir()))
        if (entry.path().extension() == ".rpl") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Replays : public ::testing::TestWithParam<std::string> {};

TEST_P(Replays, MeetItsExpectations) {
    const std::string name = GetParam() + ".rpl";
    const std::string text = ReadText(ReplayDataDir() + name);
    const ReplayScript script = ParseReplay(text, name);
    const std::vector<ReplayCheck> checks = ParseReplayChecks(text, name);
    ASSERT_FALSE(checks.empty()) << name << " checks nothing";

    ReplayFolder folder(script);
    std::unique_ptr<Game> game = StartReplayGame(script, folder.Path());
    const ReplayResult result = PlayReplay(*game, script, [&](Game& g, int64_t tick, int32_t) {
        for (const ReplayCheck& check : checks) {
            if (check.AtTick != tick) continue;
            const std::string failure = FailedCheck(check, g, nullptr);
            EXPECT_TRUE(failure.empty()) << name << ", " << failure;
        }
        return true;
    });
    for (const ReplayCheck& check : checks) {
        if (check.AtTick > result.Ticks)
            ADD_FAILURE() << name << ", line " << check.Line << ": the run ended at tick "
                          << result.Ticks;
        if (check.AtTick != 0) continue;
        const std::string failure = FailedCheck(check, *game, &result);
        EXPECT_TRUE(failure.empty()) << name << ", " << failure;
    }
    // A replay that stays on the play screen ends the same way on the world alone.
    if (!ReplayNeedsScreens(script)) {
        EXPECT_EQ(ReplayResultJson(SimulateReplay(script, folder.Path())),
                  ReplayResultJson(result));
    }
}

INSTANTIATE_TEST_SUITE_P(Data, Replays, ::testing::ValuesIn(ReplayNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string id = info.param;
                             std::replace(id.begin(), id.end(), '-', '_');
                             return id;
                         });

}  // namespace
