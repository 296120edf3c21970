// Loading levels from the level set file: the index and names at start-up, one level per level
// start.
#include "level/level_loader.h"

#include "app/game.h"
#include "app/screen_dispatch.h"
#include "level/level_set_reader.h"

namespace {

// The level set file as named in messages: its name inside the game's folder.
std::string LevelFileLabel(const Game& game) {
    const std::string& path = game.levels.LevelFile;
    if (path.compare(0, game.ProgramDir.size(), game.ProgramDir) == 0)
        return path.substr(game.ProgramDir.size());
    return path;
}

[[noreturn]] void Refuse(const Game& game, const std::string& problem) {
    throw FileError(LevelFileLabel(game) + ": " + problem);
}

// Reads level n from the file and checks it against the limits before anything is changed.
LevelRecord ReadCheckedLevel(const Game& game, int n) {
    Bytes bytes = ReadFileBytes(game.levels.LevelFile, kLargestLevelSet);
    ByteReader in(bytes, LevelFileLabel(game));
    LevelRecord record = ReadLevelRecord(in, game.levels.LevelSet, n);
    std::vector<std::string> problems = LevelProblems(record, n);
    if (!problems.empty()) Refuse(game, problems.front());
    return record;
}

// Every cell of the grid gets its drawing values back. Tile stays: codes outside the new play
// area and its border are left from earlier levels, and nothing reads them.
void ResetGrid(tlevel& level) {
    for (auto& row : level.Cells)
        for (TCell& cell : row) {
            cell.Layer = 100;
            cell.Spare = 0;
            cell.FrameBase = 0;
            cell.Phase = 0;
            cell.OffsetX = 0;
            cell.OffsetY = 0;
        }
}

void StoreRecord(tlevel& level, const LevelRecord& record) {
    level.TileSetFile = record.TileSetFile;
    level.LevelName = record.LevelName;
    level.StartX = record.StartX;
    level.StartY = record.StartY;
    level.LevelFlags = record.LevelFlags;
    level.Cols = record.Cols;
    level.Rows = record.Rows;
    for (int r = 1; r <= record.Rows; ++r)
        for (int c = 1; c <= record.Cols; ++c) {
            const LevelRecordCell& from = record.CellAt(r, c);
            TCell& cell = level.Cells[r][c];
            cell.Tile = from.Tile;
            cell.Spare = from.Spare;
            cell.Layer = from.Layer;
            cell.FrameBase = from.FrameBase;
        }
    level.InfotronQuota = record.InfotronQuota;
}

void WriteBorder(tlevel& level) {
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
void FindMonsters(tlevel& level) {
    level.MonsterCount = 0;
    for (int r = 1; r <= level.Rows; ++r)
        for (int c = 1; c <= level.Cols; ++c) {
            TCell& cell = level.Cells[r][c];
            if (cell.Tile != tcMonsterTurning && cell.Tile != tcMonsterCrawling) continue;
            TMonster& m = level.Monsters[++level.MonsterCount];
            m.Col = c;
            m.Row = r;
            m.PosX = 40.0 * c;
            m.PosY = 40.0 * r;
            m.Kind = cell.Tile;
            m.Spin = cell.Tile == tcMonsterTurning ? 1 : 2;
            m.Frames = cell.Tile == tcMonsterTurning ? 8 : 0;
            m.Frame = 0;
            m.Move = 0;
            m.FramePos = 0;
            cell.Tile = tcBusy;
        }
}

// Loads the level's tile set into patratele unless it is the one already there.
void LoadTileSet(Game& game, const std::string& name, int n) {
    if (name != game.levels.LoadedTileSet) {
        game.levels.LoadedTileSet.clear();  // the list is empty if loading fails
        try {
            game.media.patratele.LoadPictures(game.ProgramDir + name);
        } catch (const FileError& e) {
            Refuse(game, "level " + std::to_string(n) + ": tile set: " + e.what());
        }
    }
    game.levels.LoadedTileSet = name;
}

void RequirePicture(const Game& game, const LevelRecord& record, int n, int32_t code,
                    const std::string& where) {
    int count = game.media.patratele.Count();
    if (code >= 0 && code < count) return;
    Refuse(game, "level " + std::to_string(n) + ": tile code " + std::to_string(code) + " " +
                     where + " has no picture in " + record.TileSetFile + " (it holds " +
                     std::to_string(count) + " pictures)");
}

// Every code the level draws needs a picture: the play area, the border, and the busy code that
// the loader writes into monster cells.
void RequirePictures(const Game& game, const LevelRecord& record, int n) {
    for (int r = 1; r <= record.Rows; ++r)
        for (int c = 1; c <= record.Cols; ++c)
            RequirePicture(game, record, n, record.CellAt(r, c).Tile,
                           "at row " + std::to_string(r) + ", column " + std::to_string(c));
    for (int32_t border = tcCornerTopLeft; border <= tcCornerBottomRight; ++border)
        RequirePicture(game, record, n, border, "(border)");
    if (CountMonsterTiles(record) > 0) RequirePicture(game, record, n, tcBusy, "(monster cells)");
}

// Puts a checked record into the level in play: cells, border, monsters, start, no moving objects.
void StoreLevel(Game& game, const LevelRecord& record) {
    tlevel& level = game.level;
    ResetGrid(level);
    StoreRecord(level, record);
    WriteBorder(level);
    FindMonsters(level);
    game.play.PlayerX = level.StartX;
    game.play.PlayerY = level.StartY;
    game.play.PlayerPosX = level.StartX;
    game.play.PlayerPosY = level.StartY;
    game.play.FallCount = 0;
}

// The infotrons needed, the animation phases and the drawing offsets of the play area.
void PreparePlayArea(Game& game) {
    tlevel& level = game.level;
    for (int r = 1; r <= level.Rows; ++r)
        for (int c = 1; c <= level.Cols; ++c) {
            TCell& cell = level.Cells[r][c];
            int32_t t = cell.Tile;
            if (level.InfotronQuota != 0)
                game.play.InfotronsNeeded = level.InfotronQuota;
            else if (t == tcInfotron)
                ++game.play.InfotronsNeeded;
            int32_t rate = game.tiles.FrameRate[t];
            if (rate > 0) cell.Phase = game.random.Below(rate);
            const Picture& picture = game.media.patratele.PictureAt(t);
            cell.OffsetX = picture.SkipWidth();
            cell.OffsetY = picture.SkipHeight();
            // Tall or wide pictures overhang their cell by fixed amounts.
            if (picture.Width() == 168) cell.OffsetY = 6;
            if (picture.Height() == 168) cell.OffsetX = 13;
        }
}

}  // namespace

void ReadLevelSet(Game& game) {
    const std::string& name = game.settings.LevelsFile;
    if (!IsSafeRelativePath(name))
        throw FileError(name + ": the level set file must be a file inside the game's folder");
    // A file that cannot be opened says where its name came from: an edited configuration file
    // can name a level set file that never existed.
    if (!PathExists(game.ProgramDir + name))
        throw FileError(game.ProgramDir + name +
                        ": cannot open file (the level set file named by tolmarakx.cfg)");
    ReadLevelSetFrom(game, game.ProgramDir + name);
}

void ReadLevelSetFrom(Game& game, const std::string& path) {
    game.levels.LevelFile = path;
    Bytes bytes = ReadFileBytes(path, kLargestLevelSet);
    ByteReader in(bytes, LevelFileLabel(game));
    Tlevels index = ReadLevelSetIndex(in);
    std::vector<std::string> problems = IndexProblems(index, bytes.size());
    if (!problems.empty()) Refuse(game, problems.front());
    std::array<std::string, kMaxLevels> names{};
    for (int n = 1; n <= index.LevelCount; ++n) names[n - 1] = ReadLevelName(in, index, n);
    game.levels.LevelSet = index;
    game.levels.LevelNames = names;
}

void ReadLevel(Game& game, int n) {
    StoreLevel(game, ReadCheckedLevel(game, n));
}

void loadlevel(Game& game, int n) {
    game.SeedRandomFromClock();
    game.ScreenHandler = EmptyTick;  // no frame runs game code while the level is built
    // The record, its tile set and its pictures are checked before the level in play changes.
    LevelRecord record = ReadCheckedLevel(game, n);
    LoadTileSet(game, record.TileSetFile, n);
    RequirePictures(game, record, n);
    StoreLevel(game, record);
    game.play.InfotronsNeeded = 0;
    game.play.LevelOutcome = 2;
    PreparePlayArea(game);
    game.play.Lives = 3;
    game.play.LevelTime = 0;
    game.play.InfotronsGot = 0;
    game.play.Bombs = 0;
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
