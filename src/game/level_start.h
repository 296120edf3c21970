// Starting a level: the record placed into the world and the counters a level starts with.
#pragma once

struct LevelRecord;
struct World;

// The level's cells, border and monsters, the player on the start position, nothing in motion.
void PlaceLevel(World& world, const LevelRecord& record);
// PlaceLevel, then the counters a level starts with (3 lives, no bombs, no infotrons, time 0,
// the infotrons needed) and a random starting phase for every animated cell.
void StartLevel(World& world, const LevelRecord& record);
// Empties the explosion and placed-bomb lists, drops the blast guard and gives the level's
// monsters a fresh start (no heading, no targets, no turning slot): nothing of the level played
// before carries over.
void PrepareLevelStart(World& world);
