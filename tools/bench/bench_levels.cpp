// The largest shipped level and the benchmark's own 99 x 99 level.
#include "bench_levels.h"

#include <array>
#include <stdexcept>

#include "level/level_record.h"
#include "level/level_set_reader.h"
#include "level/level_writer.h"
#include "media/byte_io.h"
#include "store/atomic_write.h"

namespace {

constexpr int kSize = 99;
constexpr int kMiddle = 50;
constexpr int32_t kHardWall = 45;
constexpr std::array<int32_t, 8> kAnimatedFloor = {
    tcPortRight, tcPortDown, tcPortLeft, tcPortUp, tcHazard, tcDriftLeft, tcDriftRight, tcAnimated};

// Rows come in blocks of six: loose objects on every other column, three empty rows for them to
// fall through, a floor of animated tiles, and a corridor where the monsters crawl.
int32_t BlockTile(int row, int col) {
    switch ((row - 1) % 6) {
        case 0:
            if (col % 2 == 0) return kHardWall;
            return (col / 2) % 2 == 0 ? tcInfotron : tcBall;
        case 4:
            return kAnimatedFloor[static_cast<size_t>(col) % kAnimatedFloor.size()];
        case 5:
            if (col % 16 == 8) return (col / 16) % 2 == 0 ? tcMonsterTurning : tcMonsterCrawling;
            return tcEmpty;
        default:
            return tcEmpty;
    }
}

LevelRecord BenchmarkLevel() {
    LevelRecord level;
    level.TileSetFile = "computer.dxg";
    level.LevelName = "Benchmark 99 x 99";
    level.Resize(kSize, kSize);
    for (int r = 1; r <= kSize; ++r)
        for (int c = 1; c <= kSize; ++c) level.CellAt(c, r).Tile = BlockTile(r, c);
    // The player's walled cell: nothing falls on it and no monster reaches it.
    for (int r = kMiddle - 1; r <= kMiddle + 1; ++r)
        for (int c = kMiddle - 1; c <= kMiddle + 1; ++c) level.CellAt(c, r).Tile = kHardWall;
    level.CellAt(kMiddle, kMiddle).Tile = tcEmpty;
    level.StartX = CellCentre(kMiddle);
    level.StartY = CellCentre(kMiddle);
    return level;
}

}  // namespace

ShippedLevel FindLargestLevel(const std::string& levelSetPath) {
    const Bytes bytes = ReadFileBytes(levelSetPath);
    ByteReader in(bytes, levelSetPath);
    const LevelSetIndex index = ReadLevelSetIndex(in);
    const std::vector<std::string> problems = IndexProblems(index, bytes.size());
    if (!problems.empty()) throw FileError(levelSetPath + ": " + problems.front());
    ShippedLevel best;
    for (int n = 1; n <= index.LevelCount; ++n) {
        const LevelRecord record = ReadLevelRecord(in, index, n);
        if (record.Cols * record.Rows > best.Cols * best.Rows)
            best = ShippedLevel{n, record.Cols, record.Rows, record.LevelName};
    }
    return best;
}

std::string WriteBenchmarkLevelSet(const std::string& folder) {
    LevelSetData set;
    set.SetName = "Benchmark";
    set.Levels.push_back(BenchmarkLevel());
    const std::vector<std::string> problems = LevelProblems(set.Levels.front(), 1);
    if (!problems.empty()) throw std::logic_error("benchmark level: " + problems.front());
    const std::string path = folder + "benchmark.lev";
    WriteFileAtomically(path, WriteLevelSet(set));
    return path;
}
