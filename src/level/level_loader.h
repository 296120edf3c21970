// Reading the level set file: the index and names at start-up, one level at each level start.
#pragma once

#include <string>

struct Game;

// Reads the index and the level names of ProgramDir + LevelsFile. Throws FileError naming the
// file, the level and the limit for a file that breaks the limits.
void ReadLevelSet(Game& game);
// The same for a level set file at any path (tools that play sets from elsewhere); the file is
// named by its path in messages.
void ReadLevelSetFrom(Game& game, const std::string& path);
// Reads the record of level n into game.level (border, monsters, start position, FallCount 0).
void ReadLevel(Game& game, int n);
// The whole preparation of level n for play (tile set, phases, offsets, counters).
void loadlevel(Game& game, int n);
// A file name read from a data file stays inside the game's folder: no absolute path, drive
// letter or ".." component. Subfolders are fine.
bool IsSafeRelativePath(const std::string& name);
