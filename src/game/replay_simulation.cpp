// Replays played on the world alone, tick by tick as the level start and play screens run them.
#include "game/replay_simulation.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "game/camera.h"
#include "game/cell_animation.h"
#include "game/events.h"
#include "game/level_start.h"
#include "game/play_tick.h"
#include "game/world.h"
#include "level/level_loader.h"
#include "media/byte_io.h"

namespace {

bool Holds(const std::vector<ReplayKey>& keys, ReplayKey key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

void ReplayKeyState::Change(const std::vector<ReplayKey>& next) {
    std::erase_if(Held, [&](ReplayKey key) { return !Holds(next, key); });
    for (ReplayKey key : next) {
        if (Holds(Held, key)) continue;
        Held.push_back(key);
        if (key == ReplayKey::Escape) EscapePressed = true;
        if (key == ReplayKey::P) Paused = !Paused;
    }
}

Direction ReplayKeyState::Steer() const {
    Direction dir = Direction::None;
    if (Holds(Held, ReplayKey::Up)) dir = Direction::Up;
    if (Holds(Held, ReplayKey::Down)) dir = Direction::Down;
    if (Holds(Held, ReplayKey::Left)) dir = Direction::Left;
    if (Holds(Held, ReplayKey::Right)) dir = Direction::Right;
    return dir;
}

bool PlayWorldTick(World& world, GameEvents& events, ReplayKeyState& keys, int32_t lag) {
    if (!keys.Paused) {
        world.controls.Steer = keys.Steer();
        world.controls.Snap = Holds(keys.Held, ReplayKey::Space);
        world.controls.Bomb = Holds(keys.Held, ReplayKey::Ctrl);
        AdvanceWorld(world, events, lag);
    }
    AnimateCells(world.level, world.tiles, lag);
    UpdateView(world);
    if (keys.EscapePressed && !world.play.LevelAborted) {
        GiveUp(world, events);
        keys.EscapePressed = false;
        keys.Paused = false;
    }
    const LevelEndCheck end = CheckLevelEnd(world, lag);
    if (end.NoLivesLeft) keys.Paused = false;
    return end.EndScreenDue;
}

namespace {

class ReplayRun {
  public:
    ReplayRun(const ReplayScript& script, const std::string& dataDir)
        : script_(script), dataDir_(dataDir) {
        FillTileTables(world_.tiles);
        ApplySpeedToTables(world_.tiles, script.Speed);
        world_.Speed = script.Speed;
        world_.play.Mortal = static_cast<uint8_t>(script.Mortal);
        world_.play.CurrentLevel = script.Level;
        ReadScriptLevelSet();
    }

    ReplayResult Play(const KeyedTickObserver& afterTick) {
        int64_t ticks = 0;
        WorldCheckWatch checks(script_.Checks);
        auto result = [&](bool ended) {
            ReplayResult r = ResultOfWorld(world_, ended, ticks);
            NoteChecks(r, checks, script_);
            return r;
        };
        for (const ReplayStep& step : script_.Steps) {
            for (int64_t i = 0; i < step.Count; ++i) {
                keys_.Change(step.Keys);
                ++ticks;
                const bool ended = ticks == 1 ? (StartTheLevel(), false) : PlayTick(step.Lag);
                checks.AfterTick(world_, ticks);
                if (afterTick) afterTick(world_, keys_, ticks);
                if (ended) return result(true);
            }
        }
        return result(false);
    }

  private:
    void ReadScriptLevelSet() {
        const std::string& name = script_.Levels;
        if (name.find('/') != std::string::npos) {
            ReadLevelSetFile(levels_, name, dataDir_);
        } else {
            if (!IsSafeRelativePath(name))
                throw FileError(name +
                                ": the level set file must be a file inside the game's folder");
            ReadLevelSetFile(levels_, dataDir_ + name, dataDir_);
        }
        const int32_t count = levels_.LevelSet.LevelCount;
        if (script_.Level > count) {
            throw std::runtime_error("level " + std::to_string(script_.Level) + " is not in " +
                                     script_.Levels + " (" + std::to_string(count) + " levels)");
        }
    }

    // The level start screen's tick.
    void StartTheLevel() {
        world_.random.Seed(script_.Seed);
        StartLevel(world_, ReadCheckedLevel(levels_, dataDir_, script_.Level));
        PrepareLevelStart(world_);
        keys_.Paused = false;
    }

    // The play screen's tick; true when it ends the level.
    bool PlayTick(int32_t lag) { return PlayWorldTick(world_, events_, keys_, lag); }

    const ReplayScript& script_;
    const std::string& dataDir_;
    LevelSetState levels_;
    World world_;
    SilentEvents events_;
    ReplayKeyState keys_;
};

}  // namespace

bool ReplayNeedsScreens(const ReplayScript& script) {
    for (const ReplayStep& step : script.Steps)
        for (ReplayKey key : step.Keys)
            if (key == ReplayKey::C || key == ReplayKey::F1 || key == ReplayKey::Enter) return true;
    return false;
}

ReplayResult SimulateReplay(const ReplayScript& script, const std::string& dataDir,
                            const WorldTickObserver& afterTick) {
    auto run = std::make_unique<ReplayRun>(script, dataDir);
    if (!afterTick) return run->Play({});
    return run->Play([&afterTick](const World& world, const ReplayKeyState&, int64_t tick) {
        afterTick(world, tick);
    });
}

ReplayResult SimulateReplayWithKeys(const ReplayScript& script, const std::string& dataDir,
                                    const KeyedTickObserver& afterTick) {
    auto run = std::make_unique<ReplayRun>(script, dataDir);
    return run->Play(afterTick);
}
