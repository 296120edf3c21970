// Fuzz target: the level compiler's round trip. Text is compiled as a level source; a fault must be
// a LevelSourceError. An accepted set, written as a level set file, must read back as the same
// records through the game's reader and pass its limits; each level printed back as a source
// must compile to the same record again. Anything else (another exception, a sanitizer report, a
// difference) is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "level/level_dump.h"
#include "level/level_set_reader.h"
#include "level/level_source.h"
#include "level/level_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    LevelSetData set;
    try {
        set = ParseLevelSources({{"fuzz.lvl", text}});
    } catch (const LevelSourceError&) {
        return 0;
    }
    if (set.Levels.empty() || set.Levels.size() > static_cast<size_t>(kMaxLevels)) std::abort();
    const Bytes file = WriteLevelSet(set);
    ByteReader in(file, "fuzz.lev");
    const LevelSetIndex index = ReadLevelSetIndex(in);
    if (!IndexProblems(index, file.size()).empty() || index.SetName != set.SetName ||
        index.SetHeader != set.SetHeader)
        std::abort();
    for (int n = 1; n <= index.LevelCount; ++n) {
        const LevelRecord& built = set.Levels[static_cast<size_t>(n - 1)];
        if (ReadLevelRecord(in, index, n) != built) std::abort();
        if (!LevelProblems(built, n).empty()) std::abort();
        const LevelSetData again = ParseLevelSources({{"dump.lvl", DumpLevelSource(built)}});
        if (again.Levels.size() != 1 || again.Levels[0] != built) std::abort();
    }
    return 0;
}
