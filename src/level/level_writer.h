// Writing a level set file: the index with its 1000 offsets, then the level records in order.
#pragma once

#include "level/level_record.h"
#include "media/byte_io.h"

// The bytes of the level set file. Unused offset slots are 0; Spare is written as stored.
// Throws std::length_error for a name longer than 255 bytes or more than 1000 levels.
Bytes WriteLevelSet(const LevelSetData& set);
// The bytes of one level record.
Bytes WriteLevelRecord(const LevelRecord& level);
