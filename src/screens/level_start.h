// Loading the level set and a level for play: the level file, the level's pictures and the world.
#pragma once

#include <cstdint>
#include <string>

struct Game;

// The handler while a level loads: no frame runs game code until the level is built.
void EmptyTick(Game& game, int32_t lag);

// Reads the index and the level names of LevelsFile (the save folder's, else the data folder's).
// Throws FileError naming the file, the level and the limit for a file that breaks the limits.
void ReadLevelSet(Game& game);
// The same for a level set file at any path (tools that play sets from elsewhere); the file is
// named by its path in messages.
void ReadLevelSetFrom(Game& game, const std::string& path);
// Reads the record of level n into the world (border, monsters, start position, nothing in
// motion), without its pictures or counters.
void ReadLevel(Game& game, int n);
// The whole preparation of level n for play: the record, its tile set and pictures are checked
// before the level in play changes; then the world starts the level and the cells get their
// drawing offsets.
void LoadLevel(Game& game, int n);
