// One soak of one level: the level played again and again with random input for a stretch of
// game time, the invariants checked after every tick.
#pragma once

#include <cstdint>
#include <string>

struct SoakOptions {
    std::string GameDir;             // the game's folder, with its data files
    uint64_t Seed = 1;               // the soak of level n uses Seed + n
    int64_t GameMsPerLevel = 0;      // game time to play each level (sum of the lags)
    double WallSecondsPerLevel = 0;  // 0: no limit; else stop a level after this long
    int64_t MaxTicks = 0;            // 0: no limit; else stop a level after this many ticks
};

struct SoakResult {
    int64_t Ticks = 0;
    int64_t GameMs = 0;
    int64_t Starts = 0;  // times the level was started
    int64_t Made = 0, Killed = 0, Aborted = 0;
    // The most objects in motion, explosions and placed bombs seen at once, and ticks paused:
    // what the random play reached.
    int32_t PeakFalls = 0, PeakExplosions = 0, PeakBombs = 0;
    int64_t PausedTicks = 0;
    std::string Violation;  // empty when every check passed
    int64_t ViolationTick = 0;
};

// Plays level n of the game's level set (a fresh game with the soak's seed, as a session would);
// stops at the first violation. Throws std::runtime_error when the game cannot start.
SoakResult SoakLevel(const SoakOptions& options, int n);
// The number of levels of the game folder's level set.
int CountLevels(const std::string& gameDir);
