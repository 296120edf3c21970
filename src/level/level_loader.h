// Reading the level set file: the index and names at start-up, one level at each level start.
#pragma once

#include <string>

#include "level/level.h"
#include "level/level_record.h"

// The level set file as named in messages: its name inside the game's folder, or its path.
std::string LevelFileLabel(const LevelSetState& levels, const std::string& programDir);
// Throws FileError "<level set file>: <problem>".
[[noreturn]] void RefuseLevelFile(const LevelSetState& levels, const std::string& programDir,
                                  const std::string& problem);
// Reads the index and the level names of the file at `path` into `levels`, which keeps the
// file's bytes for the levels to come. Throws FileError
// naming the file, the level and the limit for a file that breaks the limits.
void ReadLevelSetFile(LevelSetState& levels, const std::string& path,
                      const std::string& programDir);
// Reads level n of the set from the bytes that were indexed (never from the file again: one
// replaced during the run would not match the index) and checks it against the limits; nothing
// in play changes.
LevelRecord ReadCheckedLevel(const LevelSetState& levels, const std::string& programDir, int n);
// Puts a checked record into the level model: cells, border ring, monster table.
void StoreLevelRecord(LevelGrid& level, const LevelRecord& record);
// A file name read from a data file stays inside the game's folder: no absolute path, drive
// letter or ".." component. Subfolders are fine.
bool IsSafeRelativePath(const std::string& name);
