// Writing a level record back as level source text, as `tolmara-levels dump` prints it.
#pragma once

#include <string>

#include "level/level_record.h"

// The source of one level: `level`, `tileset`, `quota`, `flags`, a `start` line when the start
// cell is not empty, the map in the legend, and code/layer/frame lines for what the legend cannot
// show. Building it gives the same record, except for what a source cannot hold (non-zero Spare
// values, a start off a cell's centre), which a comment line reports.
std::string DumpLevelSource(const LevelRecord& level);
// A name as a source writes it: double-quoted UTF-8 with \" and \\ escapes, and control bytes
// as \xNN.
std::string QuoteSourceName(const std::string& latin1);
