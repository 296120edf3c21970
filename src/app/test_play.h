// Test play: one level of a level set file played in the game's own window and play screen, the
// keys held at every tick recorded as a replay that plays the same game again.
#pragma once

#include <string>

#include "game/replay.h"

struct TestPlay {
    ReplayScript Recording;  // Levels, Level, Speed, Seed and the steps as played
    ReplayResult Result;     // Outcome "made", "killed", "aborted" or "playing"
};

// Plays level `level` of the set file at `levelsPath` from the level start screen until the play
// screen is left (Escape, the level's end) or the game's window is closed. Tile sets and the
// game's pictures come from dataDir. Throws std::runtime_error or FileError with the reason.
TestPlay PlayTestLevel(const std::string& levelsPath, int level, int speed,
                       const std::string& dataDir);
