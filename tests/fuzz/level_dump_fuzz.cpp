// Fuzz target: `tolmara-levels dump` against a rebuild. A level set file is read as the dump reads
// it; a fault must be a FileError. Each level the game would accept, printed as a source, must
// compile back to the same record, but for what a source cannot hold (Spare values build as 0,
// a start off a cell's centre moves to the nearest cell's centre). Anything else (another
// exception, a sanitizer report, a difference) is a finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "level/level_dump.h"
#include "level/level_set_reader.h"
#include "level/level_source.h"

namespace {

// The record as a source can hold it.
LevelRecord AsSourceHoldsIt(LevelRecord level) {
    for (LevelRecordCell& cell : level.Cells) cell.Spare = 0;
    const bool centred = level.StartX % 40 == 20 && level.StartY % 40 == 20;
    if (!centred) {
        level.StartX = CellCentre(std::clamp(level.StartX / 40, 1, level.Cols));
        level.StartY = CellCentre(std::clamp(level.StartY / 40, 1, level.Rows));
    }
    return level;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ByteReader in(data, size, "fuzz.lev");
    LevelSetIndex index;
    try {
        index = ReadLevelSetIndex(in);
    } catch (const FileError&) {
        return 0;
    }
    if (!IndexProblems(index, size).empty()) return 0;
    for (int n = 1; n <= index.LevelCount; ++n) {
        LevelRecord level;
        try {
            level = ReadLevelRecord(in, index, n);
        } catch (const FileError&) {
            continue;
        }
        if (!LevelProblems(level, n).empty()) continue;
        const std::string source = DumpLevelSource(level);
        LevelSetData rebuilt;
        try {
            rebuilt = ParseLevelSources({{"dump.lvl", source}});
        } catch (const LevelSourceError&) {
            std::abort();  // the dump of an accepted level does not compile
        }
        if (rebuilt.Levels.size() != 1 || rebuilt.Levels[0] != AsSourceHoldsIt(level)) std::abort();
    }
    return 0;
}
