// The full check of a level set file.
#include "level/level_check.h"

#include <map>
#include <optional>
#include <set>

#include "level/level_set_reader.h"
#include "media/library_format.h"

namespace {

// The picture counts of the tile sets, each read once; nothing when the file cannot be read.
class TileSets {
  public:
    explicit TileSets(std::string dataDir) : dataDir_(std::move(dataDir)) {}
    std::optional<size_t> PictureCount(const std::string& name, std::string& problem) {
        auto found = counts_.find(name);
        if (found == counts_.end()) {
            Entry entry;
            try {
                std::string path = dataDir_ + name;
                entry.Count = ReadPictureLibrary(ReadFileBytes(path), path).Pictures.size();
            } catch (const std::exception& e) {
                entry.Problem = e.what();
            }
            found = counts_.emplace(name, entry).first;
        }
        problem = found->second.Problem;
        return found->second.Count;
    }

  private:
    struct Entry {
        std::optional<size_t> Count;
        std::string Problem;
    };
    std::string dataDir_;
    std::map<std::string, Entry> counts_;
};

bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\:") == std::string::npos && name.find('\0') == std::string::npos;
}

// The codes the game draws from the tile set: the play area, the border, and the busy code that
// monster cells hold.
std::set<int32_t> CodesDrawn(const LevelRecord& level) {
    std::set<int32_t> codes;
    for (const LevelRecordCell& cell : level.Cells) codes.insert(cell.Tile);
    for (int32_t border = tcCornerTopLeft; border <= tcCornerBottomRight; ++border)
        codes.insert(border);
    if (CountMonsterTiles(level) > 0) codes.insert(tcBusy);
    return codes;
}

class Checker {
  public:
    Checker(const std::string& fileName, const std::string& dataDir)
        : file_(fileName), tileSets_(dataDir) {}
    void Level(ByteReader& in, const LevelSetIndex& index, int n);
    void Error(const std::string& text) { findings_.push_back({false, file_ + ": " + text}); }
    void Warn(const std::string& text) {
        findings_.push_back({true, file_ + ": warning: " + text});
    }
    std::vector<CheckFinding> Findings() { return std::move(findings_); }

  private:
    void Start(const LevelRecord& level, const std::string& label);
    void Pictures(const LevelRecord& level, const std::string& label);
    void Quota(const LevelRecord& level, const std::string& label);
    void Layers(const LevelRecord& level, const std::string& label);

    std::string file_;
    TileSets tileSets_;
    std::vector<CheckFinding> findings_;
};

void Checker::Level(ByteReader& in, const LevelSetIndex& index, int n) {
    std::string label = "level " + std::to_string(n) + ": ";
    LevelRecord level;
    try {
        level = ReadLevelRecord(in, index, n);
    } catch (const FileError& e) {
        findings_.push_back({false, e.what()});
        return;
    }
    for (const std::string& problem : LevelProblems(level, n)) Error(problem);
    if (!IsPlainName(level.TileSetFile))
        Error(label + "the tile set name '" + level.TileSetFile + "' is not a plain file name");
    Start(level, label);
    Pictures(level, label);
    Quota(level, label);
    Layers(level, label);
}

void Checker::Start(const LevelRecord& level, const std::string& label) {
    bool centred = level.StartX % kCellSize == 20 && level.StartY % kCellSize == 20;
    int col = level.StartX / kCellSize, row = level.StartY / kCellSize;
    bool inside = level.StartX >= 0 && level.StartY >= 0 && col >= 1 && col <= level.Cols &&
                  row >= 1 && row <= level.Rows;
    if (inside && !centred)
        Error(label + "start (" + std::to_string(level.StartX) + ", " +
              std::to_string(level.StartY) + ") is not the centre of a cell");
}

void Checker::Pictures(const LevelRecord& level, const std::string& label) {
    if (!IsPlainName(level.TileSetFile)) return;
    std::string problem;
    std::optional<size_t> count = tileSets_.PictureCount(level.TileSetFile, problem);
    if (!count) return Error(label + "tile set " + level.TileSetFile + ": " + problem);
    std::string missing;
    for (int32_t code : CodesDrawn(level)) {
        if (code < 1 || code > kMaxTileCode || static_cast<size_t>(code) < *count) continue;
        missing += (missing.empty() ? "" : ", ") + std::to_string(code);
    }
    if (!missing.empty())
        Error(label + "no picture in " + level.TileSetFile + " (" + std::to_string(*count) +
              " pictures) for tile codes " + missing);
}

void Checker::Quota(const LevelRecord& level, const std::string& label) {
    if (level.InfotronQuota == 0) return;
    int64_t available = 0;
    for (const LevelRecordCell& cell : level.Cells) {
        if (cell.Tile == tcInfotron) available += 1;
        if (cell.Tile == tcMonsterCrawling) available += 9;  // its blast leaves nine infotrons
    }
    if (level.InfotronQuota > available)
        Warn(label + "quota " + std::to_string(level.InfotronQuota) + " is above the " +
             std::to_string(available) + " infotrons the level can give");
}

// The play field draws cells of layers 100, 101 and 102, in that order; a cell of any other layer
// is never drawn.
void Checker::Layers(const LevelRecord& level, const std::string& label) {
    int bad = 0;
    std::string first;
    for (int r = 1; r <= level.Rows; ++r)
        for (int c = 1; c <= level.Cols; ++c) {
            const int32_t layer = level.CellAt(c, r).Layer;
            if (layer >= kLowestLayer && layer <= kHighestLayer) continue;
            if (bad++ == 0)
                first = label + "layer " + std::to_string(layer) + " at row " + std::to_string(r) +
                        ", column " + std::to_string(c) + " is never drawn (layers are " +
                        std::to_string(kLowestLayer) + " to " + std::to_string(kHighestLayer) + ")";
        }
    if (bad > 1) first += " (" + std::to_string(bad - 1) + " more cells alike)";
    if (bad > 0) Error(first);
}

}  // namespace

std::vector<CheckFinding> CheckLevelSet(const Bytes& bytes, const std::string& fileName,
                                        const std::string& dataDir) {
    Checker checker(fileName, dataDir);
    ByteReader in(bytes, fileName);
    LevelSetIndex index;
    try {
        index = ReadLevelSetIndex(in);
    } catch (const FileError& e) {
        return {{false, e.what()}};
    }
    std::vector<std::string> problems = IndexProblems(index, bytes.size());
    for (const std::string& problem : problems) checker.Error(problem);
    bool countOk = index.LevelCount >= 1 && index.LevelCount <= kMaxLevels;
    for (int n = 1; countOk && n <= index.LevelCount; ++n) {
        int32_t offset = index.LevelOffsets[n];
        bool offsetOk = offset >= 0 && static_cast<size_t>(offset) < bytes.size();
        if (offsetOk) checker.Level(in, index, n);  // a bad offset is already reported
    }
    return checker.Findings();
}

bool HasErrors(const std::vector<CheckFinding>& findings) {
    for (const CheckFinding& f : findings)
        if (!f.Warning) return true;
    return false;
}
