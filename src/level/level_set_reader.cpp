// Reading a level set file from memory, with the limits of the level model checked.
#include "level/level_set_reader.h"

#include "level/level_loader.h"

namespace {

std::string LevelLabel(int n) {
    return "level " + std::to_string(n);
}

void SeekToLevel(ByteReader& in, const LevelSetIndex& index, int n) {
    std::string what = LevelLabel(n);
    // The offsets hold 1000 entries whatever count the file claims.
    if (n < 1 || n > index.LevelCount || n > kLevelOffsetSlots)
        in.Fail(what, "no such level (the set has " + std::to_string(index.LevelCount) + ")");
    int32_t offset = index.LevelOffsets[n];
    if (offset < 0 || static_cast<size_t>(offset) >= in.Size())
        in.Fail(what, "offset " + std::to_string(offset) + " lies outside the file (" +
                          std::to_string(in.Size()) + " bytes)");
    in.Seek(static_cast<size_t>(offset), what.c_str());
}

void CheckPlayAreaSide(ByteReader& in, const std::string& what, int32_t value, const char* unit) {
    if (value < 1 || value > kMaxPlayArea)
        in.Fail(what, std::to_string(value) + " " + unit + ", must be 1 to " +
                          std::to_string(kMaxPlayArea));
}

void ReadCells(ByteReader& in, const std::string& what, LevelRecord& level) {
    std::string cellsWhat = what + ": cells";
    // The size is checked before anything is allocated: a short file fails here, not later.
    in.Need(static_cast<size_t>(level.Rows) * static_cast<size_t>(level.Cols) * 16,
            cellsWhat.c_str());
    level.Resize(level.Rows, level.Cols);
    for (LevelRecordCell& cell : level.Cells) {
        cell.Tile = in.I32(cellsWhat.c_str());
        cell.Spare = in.I32(cellsWhat.c_str());
        cell.Layer = in.I32(cellsWhat.c_str());
        cell.FrameBase = in.I32(cellsWhat.c_str());
    }
}

// The first cell whose code lies outside 1..1000, with the number of such cells.
std::string TileCodeProblem(const LevelRecord& level, int n) {
    int bad = 0;
    std::string first;
    for (int r = 1; r <= level.Rows; ++r)
        for (int c = 1; c <= level.Cols; ++c) {
            int32_t t = level.CellAt(c, r).Tile;
            if (t >= 1 && t <= kMaxTileCode) continue;
            if (bad++ == 0)
                first = LevelLabel(n) + ": tile code " + std::to_string(t) + " at row " +
                        std::to_string(r) + ", column " + std::to_string(c) +
                        " lies outside 1 to " + std::to_string(kMaxTileCode);
        }
    if (bad > 1) first += " (" + std::to_string(bad - 1) + " more cells alike)";
    return first;
}

}  // namespace

LevelSetIndex ReadLevelSetIndex(ByteReader& in) {
    LevelSetIndex index;
    in.Seek(0, "level set index");
    index.SetHeader = in.I32("level set index");
    index.SetName = in.ShortString("level set name");
    index.LevelCount = in.I32("level count");
    in.Need(4 * kLevelOffsetSlots, "level offsets");
    for (int i = 1; i <= kLevelOffsetSlots; ++i) index.LevelOffsets[i] = in.I32("level offsets");
    return index;
}

std::vector<std::string> IndexProblems(const LevelSetIndex& index, size_t fileSize) {
    std::vector<std::string> problems;
    if (index.LevelCount < 1 || index.LevelCount > kMaxLevels) {
        problems.push_back("LevelCount " + std::to_string(index.LevelCount) + ", must be 1 to " +
                           std::to_string(kMaxLevels));
        return problems;
    }
    for (int n = 1; n <= index.LevelCount; ++n) {
        int32_t offset = index.LevelOffsets[n];
        if (offset < 0 || static_cast<size_t>(offset) >= fileSize)
            problems.push_back(LevelLabel(n) + ": offset " + std::to_string(offset) +
                               " lies outside the file (" + std::to_string(fileSize) + " bytes)");
    }
    return problems;
}

std::string ReadLevelName(ByteReader& in, const LevelSetIndex& index, int n) {
    SeekToLevel(in, index, n);
    std::string what = LevelLabel(n);
    in.ShortString((what + ": tile set name").c_str());
    return in.ShortString((what + ": level name").c_str());
}

LevelRecord ReadLevelRecord(ByteReader& in, const LevelSetIndex& index, int n) {
    SeekToLevel(in, index, n);
    std::string what = LevelLabel(n);
    LevelRecord level;
    level.TileSetFile = in.ShortString((what + ": tile set name").c_str());
    level.LevelName = in.ShortString((what + ": level name").c_str());
    std::string header = what + ": level header";
    level.StartX = in.I32(header.c_str());
    level.StartY = in.I32(header.c_str());
    level.LevelFlags = in.I32(header.c_str());
    level.Cols = in.I32(header.c_str());
    level.Rows = in.I32(header.c_str());
    CheckPlayAreaSide(in, what, level.Cols, "columns");
    CheckPlayAreaSide(in, what, level.Rows, "rows");
    ReadCells(in, what, level);
    level.InfotronQuota = in.I32((what + ": infotron quota").c_str());
    return level;
}

int CountMonsterTiles(const LevelRecord& level) {
    int count = 0;
    for (const LevelRecordCell& cell : level.Cells)
        if (cell.Tile == tcMonsterTurning || cell.Tile == tcMonsterCrawling) ++count;
    return count;
}

std::vector<std::string> LevelProblems(const LevelRecord& level, int n) {
    std::vector<std::string> problems;
    std::string label = LevelLabel(n) + ": ";
    if (!IsSafeRelativePath(level.TileSetFile))
        problems.push_back(label + "tile set name '" + level.TileSetFile +
                           "' does not name a file inside the game's folder");
    bool inside = level.StartX >= kCellSize && level.StartX / kCellSize <= level.Cols &&
                  level.StartY >= kCellSize && level.StartY / kCellSize <= level.Rows;
    if (!inside)
        problems.push_back(label + "start (" + std::to_string(level.StartX) + ", " +
                           std::to_string(level.StartY) + ") lies outside the play area of " +
                           std::to_string(level.Cols) + " columns and " +
                           std::to_string(level.Rows) + " rows");
    int monsters = CountMonsterTiles(level);
    if (monsters > kMaxMonsters)
        problems.push_back(label + std::to_string(monsters) + " monsters, at most " +
                           std::to_string(kMaxMonsters));
    std::string codes = TileCodeProblem(level, n);
    if (!codes.empty()) problems.push_back(codes);
    return problems;
}
