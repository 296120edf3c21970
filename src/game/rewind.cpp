// The kept worlds of a run and the way back to any of its ticks.
#include "game/rewind.h"

#include <algorithm>
#include <cmath>

#include "game/events.h"

namespace {

// A world is kept every this much game time, and beyond the recent stretch only one of each
// longer stretch stays.
constexpr double kKeepEveryMs = 500;
constexpr double kRecentMs = 10000;
constexpr double kThinnedEveryMs = 5000;

int64_t Bucket(double time, double every) {
    return static_cast<int64_t>(std::floor(time / every));
}

}  // namespace

void RewindTimeline::Clear() {
    kept_.clear();
    times_.clear();
}

RewindTimeline::KeptWorld RewindTimeline::Keep(const World& world, const ReplayKeyState& keys,
                                               int64_t tick) {
    const LevelGrid& level = world.level;
    KeptWorld kept;
    kept.Tick = tick;
    kept.Time = world.play.LevelTime;
    const int rows = std::clamp(level.Rows + 2, 0, kGridSize);
    const int cols = std::clamp(level.Cols + 2, 0, kGridSize);
    kept.Cells.reserve(static_cast<size_t>(rows) * static_cast<size_t>(cols));
    for (int r = 0; r < rows; ++r)
        kept.Cells.insert(kept.Cells.end(), level.Cells[r].begin(), level.Cells[r].begin() + cols);
    kept.MonsterCount = level.MonsterCount;
    const int monsters = std::clamp(level.MonsterCount, 0, kMonsterSlots);
    kept.Monsters.assign(level.Monsters.begin() + 1, level.Monsters.begin() + 1 + monsters);
    kept.Turn = level.Turn;
    kept.Play = world.play;
    kept.Look = world.look;
    kept.Controls = world.controls;
    kept.Random = world.random;
    kept.Keys = keys;
    return kept;
}

void RewindTimeline::PutBack(const KeptWorld& kept, World& world, ReplayKeyState& keys) {
    LevelGrid& level = world.level;
    const int rows = std::clamp(level.Rows + 2, 0, kGridSize);
    const int cols = std::clamp(level.Cols + 2, 0, kGridSize);
    for (int r = 0; r < rows; ++r)
        std::copy_n(kept.Cells.begin() + static_cast<ptrdiff_t>(r) * cols, cols,
                    level.Cells[r].begin());
    level.MonsterCount = kept.MonsterCount;
    std::copy(kept.Monsters.begin(), kept.Monsters.end(), level.Monsters.begin() + 1);
    level.Turn = kept.Turn;
    world.play = kept.Play;
    world.look = kept.Look;
    world.controls = kept.Controls;
    world.random = kept.Random;
    keys = kept.Keys;
}

void RewindTimeline::AfterTick(const World& world, const ReplayKeyState& keys, int64_t tick) {
    const double now = world.play.LevelTime;
    times_.resize(static_cast<size_t>(std::max<int64_t>(tick, 1)), now);
    times_.back() = now;
    const bool due =
        kept_.empty() || Bucket(now, kKeepEveryMs) > Bucket(kept_.back().Time, kKeepEveryMs);
    if (!due) return;
    kept_.push_back(Keep(world, keys, tick));
    Thin(now);
}

// Beyond the recent stretch only the first world of each longer stretch stays; the level's
// start always stays.
void RewindTimeline::Thin(double now) {
    int64_t lastBucket = -1;
    std::erase_if(kept_, [&](const KeptWorld& kept) {
        if (kept.Tick == 1 || kept.Time > now - kRecentMs) return false;
        const int64_t bucket = Bucket(kept.Time, kThinnedEveryMs);
        if (bucket == lastBucket) return true;
        lastBucket = bucket;
        return false;
    });
}

int64_t RewindTimeline::TickAtTime(double ms) const {
    const auto after = std::upper_bound(times_.begin(), times_.end(), ms);
    return std::max<int64_t>(1, after - times_.begin());
}

bool RewindTimeline::RewindTo(World& world, ReplayKeyState& keys, const ReplayScript& script,
                              int64_t target) {
    if (Last() < 1) return false;
    target = std::clamp<int64_t>(target, 1, Last());
    auto from = std::upper_bound(kept_.begin(), kept_.end(), target,
                                 [](int64_t t, const KeptWorld& kept) { return t < kept.Tick; });
    if (from == kept_.begin()) return false;  // nothing kept at or before it: no way back
    --from;
    PutBack(*from, world, keys);
    // Played on from the kept world by the recorded steps, with no sound and no message.
    SilentEvents silent;
    int64_t tick = 0;
    for (const ReplayStep& step : script.Steps) {
        for (int64_t i = 0; i < step.Count; ++i) {
            ++tick;
            if (tick <= from->Tick) continue;
            if (tick > target) break;
            keys.Change(step.Keys);
            PlayWorldTick(world, silent, keys, step.Lag);
        }
        if (tick > target) break;
    }
    kept_.erase(from + 1, kept_.end());
    times_.resize(static_cast<size_t>(target));
    return true;
}

size_t RewindTimeline::Bytes() const {
    size_t bytes = times_.capacity() * sizeof(double) + kept_.capacity() * sizeof(KeptWorld);
    for (const KeptWorld& kept : kept_)
        bytes += kept.Cells.capacity() * sizeof(Cell) + kept.Monsters.capacity() * sizeof(Monster);
    return bytes;
}

void CutScriptAfter(ReplayScript& script, int64_t tick) {
    int64_t seen = 0;
    size_t keep = 0;
    for (; keep < script.Steps.size() && seen < tick; ++keep) {
        ReplayStep& step = script.Steps[keep];
        if (seen + step.Count > tick) step.Count = tick - seen;
        seen += step.Count;
    }
    script.Steps.resize(keep);
    std::erase_if(script.Checks, [tick](const WorldCheck& check) { return check.Tick > tick; });
}
