// Rewind: a run's way back in time. As the run goes, the world is kept every half second of game
// time (thinned to every five seconds once older than ten); the world at the end of any earlier
// tick is made again from the nearest kept world and the run's recorded keys, so it is exactly
// the world that tick had.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/replay.h"
#include "game/replay_simulation.h"
#include "game/world.h"

class RewindTimeline {
  public:
    // Forgets everything: a new run.
    void Clear();
    // After tick `tick` of the run (1: the level's start, then one call per tick in order).
    void AfterTick(const World& world, const ReplayKeyState& keys, int64_t tick);

    // The last tick reached so far, and the game time at the end of tick `tick` (1..Last()).
    int64_t Last() const { return static_cast<int64_t>(times_.size()); }
    double TimeAt(int64_t tick) const { return times_[static_cast<size_t>(tick - 1)]; }
    // The last tick whose game time is at most `ms` (at least 1).
    int64_t TickAtTime(double ms) const;

    // Makes the world and keys those at the end of tick `target` (1..Last()): the nearest kept
    // world at or before it, played on silently by the ticks `script` recorded. What was kept
    // after `target` is forgotten; the script itself is not changed (see CutScriptAfter). False,
    // with nothing changed, when no world was kept at or before `target`.
    bool RewindTo(World& world, ReplayKeyState& keys, const ReplayScript& script, int64_t target);

    // Memory held by the kept worlds, in bytes, and how many there are.
    size_t Bytes() const;
    size_t Count() const { return kept_.size(); }

  private:
    // The parts of the world a tick can change, the grid cut to the level's own rows and
    // columns (border included).
    struct KeptWorld {
        int64_t Tick = 0;
        double Time = 0;
        std::vector<Cell> Cells;
        std::vector<Monster> Monsters;
        int32_t MonsterCount = 0;
        std::array<int32_t, kMaxMonsters + 1> Turn{};
        PlayState Play;
        PlayerLook Look;
        PlayerControls Controls;
        GameRandom Random;
        ReplayKeyState Keys;
    };
    static KeptWorld Keep(const World& world, const ReplayKeyState& keys, int64_t tick);
    static void PutBack(const KeptWorld& kept, World& world, ReplayKeyState& keys);
    void Thin(double now);

    std::vector<KeptWorld> kept_;
    std::vector<double> times_;  // game time at the end of each tick, tick 1 first
};

// Cuts the script after tick `tick`: the later ticks and checks are dropped.
void CutScriptAfter(ReplayScript& script, int64_t tick);
