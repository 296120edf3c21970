// Loading levels from the level set file: the index and names at start-up, one level per level
// start.
#include "level/level_loader.h"

#include "level/level_set_reader.h"

namespace {

// Every cell of the grid gets its drawing values back. Tile stays: codes outside the new play
// area and its border are left from earlier levels, and nothing reads them.
void ResetGrid(LevelGrid& level) {
    for (auto& row : level.Cells)
        for (Cell& cell : row) {
            cell.Layer = 100;
            cell.Spare = 0;
            cell.FrameBase = 0;
            cell.Phase = 0;
            cell.OffsetX = 0;
            cell.OffsetY = 0;
        }
}

void StoreRecord(LevelGrid& level, const LevelRecord& record) {
    level.TileSetFile = record.TileSetFile;
    level.LevelName = record.LevelName;
    level.StartX = record.StartX;
    level.StartY = record.StartY;
    level.LevelFlags = record.LevelFlags;
    level.Cols = record.Cols;
    level.Rows = record.Rows;
    for (int r = 1; r <= record.Rows; ++r)
        for (int c = 1; c <= record.Cols; ++c) {
            const LevelRecordCell& from = record.CellAt(c, r);
            Cell& cell = level.Cells[r][c];
            cell.Tile = from.Tile;
            cell.Spare = from.Spare;
            cell.Layer = from.Layer;
            cell.FrameBase = from.FrameBase;
        }
    level.InfotronQuota = record.InfotronQuota;
}

void WriteBorder(LevelGrid& level) {
    int bottom = level.Rows + 1, right = level.Cols + 1;
    for (int c = 1; c <= level.Cols; ++c)
        level.Cells[0][c].Tile = level.Cells[bottom][c].Tile = tcBorderHorizontal;
    for (int r = 1; r <= level.Rows; ++r)
        level.Cells[r][0].Tile = level.Cells[r][right].Tile = tcBorderVertical;
    level.Cells[0][0].Tile = tcCornerTopLeft;
    level.Cells[0][right].Tile = tcCornerTopRight;
    level.Cells[bottom][0].Tile = tcCornerBottomLeft;
    level.Cells[bottom][right].Tile = tcCornerBottomRight;
}

// Monster tiles become table entries in reading order; fields not listed keep what the entry of
// the same number held before (Heading, targets, the cell it leaves).
void FindMonsters(LevelGrid& level) {
    level.MonsterCount = 0;
    for (int r = 1; r <= level.Rows; ++r)
        for (int c = 1; c <= level.Cols; ++c) {
            Cell& cell = level.Cells[r][c];
            if (cell.Tile != tcMonsterTurning && cell.Tile != tcMonsterCrawling) continue;
            Monster& m = level.Monsters[++level.MonsterCount];
            m.Col = c;
            m.Row = r;
            m.PosX = kCellSize * c;
            m.PosY = kCellSize * r;
            m.Kind = cell.Tile;
            m.Spin = cell.Tile == tcMonsterTurning ? 1 : 2;
            m.Frames = cell.Tile == tcMonsterTurning ? 8 : 0;
            m.Frame = 0;
            m.Move = 0;
            m.FramePos = 0;
            cell.Tile = tcBusy;
        }
}

}  // namespace

std::string LevelFileLabel(const LevelSetState& levels, const std::string& programDir) {
    const std::string& path = levels.LevelFile;
    if (path.compare(0, programDir.size(), programDir) == 0) return path.substr(programDir.size());
    return path;
}

void RefuseLevelFile(const LevelSetState& levels, const std::string& programDir,
                     const std::string& problem) {
    throw FileError(LevelFileLabel(levels, programDir) + ": " + problem);
}

void ReadLevelSetFile(LevelSetState& levels, const std::string& path,
                      const std::string& programDir) {
    levels.LevelFile = path;
    Bytes bytes = ReadFileBytes(path, kLargestLevelSet);
    ByteReader in(bytes, LevelFileLabel(levels, programDir));
    LevelSetIndex index = ReadLevelSetIndex(in);
    std::vector<std::string> problems = IndexProblems(index, bytes.size());
    if (!problems.empty()) RefuseLevelFile(levels, programDir, problems.front());
    std::array<std::string, kMaxLevels> names{};
    for (int n = 1; n <= index.LevelCount; ++n) names[n - 1] = ReadLevelName(in, index, n);
    levels.LevelSet = index;
    levels.LevelNames = names;
    levels.FileBytes = std::make_shared<const Bytes>(std::move(bytes));
}

LevelRecord ReadCheckedLevel(const LevelSetState& levels, const std::string& programDir, int n) {
    if (!levels.FileBytes) RefuseLevelFile(levels, programDir, "the level set was not read");
    ByteReader in(*levels.FileBytes, LevelFileLabel(levels, programDir));
    LevelRecord record = ReadLevelRecord(in, levels.LevelSet, n);
    std::vector<std::string> problems = LevelProblems(record, n);
    if (!problems.empty()) RefuseLevelFile(levels, programDir, problems.front());
    return record;
}

void StoreLevelRecord(LevelGrid& level, const LevelRecord& record) {
    ResetGrid(level);
    StoreRecord(level, record);
    WriteBorder(level);
    FindMonsters(level);
}

bool IsSafeRelativePath(const std::string& name) {
    if (name.empty() || name.find('\0') != std::string::npos) return false;
    if (name[0] == '/' || name[0] == '\\') return false;
    if (name.find(':') != std::string::npos) return false;  // drive letters and streams
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos) end = name.size();
        if (name.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
    }
    return true;
}
