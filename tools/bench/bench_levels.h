// The levels the benchmark plays: the largest of the shipped set and a 99 x 99 level of its own.
#pragma once

#include <string>

struct ShippedLevel {
    int Number = 0;  // 1-based level number in the set
    int Cols = 0, Rows = 0;
    std::string Name;
};

// The level of the set file with the largest Cols * Rows (the first of equals). Throws FileError
// for a file the game would refuse.
ShippedLevel FindLargestLevel(const std::string& levelSetPath);

// Writes a level set with one 99 x 99 level into `folder` and returns the file's path. The level
// keeps the tile passes, the world update and the monsters busy everywhere: rows of loose
// infotrons and balls over empty shafts, floors of animated tiles (ports, hazards, drift sources,
// tile 68) and corridors with 96 monsters; the player waits in a walled cell in the middle, so
// the view shows the middle of the level and most of the grid lies outside it.
std::string WriteBenchmarkLevelSet(const std::string& folder);
