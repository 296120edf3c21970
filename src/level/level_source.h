// The text form of levels: a parser of level sources into level records, as the level compiler
// and the tests use it.
//
// A source holds an optional `set HEADER "Name"` line before the first level, then levels:
//   level "Name" / tileset NAME / quota N / flags N / start ROW COL / map, the map rows,
//   then code|layer|frame ROW COL VALUE overrides, and `end`.
// Names are UTF-8 in the source and Latin-1 in the records.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "level/level_record.h"

// A fault in a level source. The message names the file and line, and the column where one
// character or argument is at fault: "a.lvl, line 4, column 7: ...".
class LevelSourceError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct LevelSourceText {
    std::string Name;  // the file name used in messages
    std::string Text;  // the file's bytes (UTF-8)
};

constexpr const char* kDefaultTileSet = "computer.dxg";

// Reads the sources in order as one level set; levels are numbered in that order. Throws
// LevelSourceError at the first fault (a set needs 1 to 100 levels).
LevelSetData ParseLevelSources(const std::vector<LevelSourceText>& sources);
