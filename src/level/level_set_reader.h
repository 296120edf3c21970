// Reading a level set file from memory: the index, level names and level records, with the limits
// of the level model checked so that nothing is read out of bounds.
#pragma once

#include <string>
#include <vector>

#include "level/level.h"
#include "level/level_record.h"
#include "media/byte_io.h"

// The largest level set file: the index and 100 levels of 99 x 99 cells with the longest names.
constexpr size_t kLargestLevelSet =
    4 + 256 + 4 + 4 * kLevelOffsetSlots +
    kMaxLevels * (256 + 256 + 5 * 4 + kMaxPlayArea * kMaxPlayArea * 16 + 4);

// Reads SetHeader, SetName, LevelCount and the 1000 offsets from the start of the file. Only a
// file too short for them is refused here; IndexProblems judges the values.
LevelSetIndex ReadLevelSetIndex(ByteReader& in);
// What breaks the limits in an index read from a file of fileSize bytes: LevelCount outside 1 to
// 100, offsets of levels 1..LevelCount outside the file. Each text starts with what it is about
// ("LevelCount ..." or "level 3: ...").
std::vector<std::string> IndexProblems(const LevelSetIndex& index, size_t fileSize);
// Reads the first two strings of level n's record: the tile set name and the level name.
// The file name in errors comes from the reader.
std::string ReadLevelName(ByteReader& in, const LevelSetIndex& index, int n);
// Reads the record of level n. Throws FileError "<file>: level n: <problem>" for an offset
// outside the file, Cols or Rows outside 1 to 99, or a record that runs past the end.
LevelRecord ReadLevelRecord(ByteReader& in, const LevelSetIndex& index, int n);
// What breaks the limits the game relies on in a record read whole: a tile set name leading out
// of the game's folder, a start outside the play area, more than 100 monster tiles, tile codes
// outside 1 to 1000. Each text starts with "level n: ".
std::vector<std::string> LevelProblems(const LevelRecord& level, int n);
// The number of monster tiles (codes 38 and 39) in a record's play area.
int CountMonsterTiles(const LevelRecord& level);
