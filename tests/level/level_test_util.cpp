// Helpers of the level tests.
#include "level/level_test_util.h"

#include "dxgwriter/library_writer.h"
#include "level/level_loader.h"
#include "level/level_writer.h"
#include "screens/level_start.h"
#include "store/atomic_write.h"
#include "support/test_data.h"

LevelRecord MakeLevel(const std::vector<std::vector<int>>& rows, int startRow, int startCol,
                      const std::string& name, const std::string& tileSet) {
    LevelRecord level;
    level.LevelName = name;
    level.TileSetFile = tileSet;
    level.Resize(static_cast<int>(rows.size()),
                 rows.empty() ? 0 : static_cast<int>(rows[0].size()));
    for (int r = 1; r <= level.Rows; ++r)
        for (int c = 1; c <= level.Cols; ++c) level.CellAt(c, r).Tile = rows[r - 1][c - 1];
    level.StartX = CellCentre(startCol);
    level.StartY = CellCentre(startRow);
    return level;
}

std::vector<PictureData> PlainTiles(int count) {
    std::vector<PictureData> list;
    for (int k = 0; k < count; ++k)
        list.push_back(SolidPicture("tile" + std::to_string(k), 40, 40, 0x102030 + k));
    return list;
}

void WriteTileSet(const std::string& path, const std::vector<PictureData>& pictures) {
    WriteFileAtomically(path, WritePictureLibrary(pictures));
}

LoaderRig::LoaderRig() : game_(std::make_unique<Game>()) {
    game_->ProgramDir = dir_.Path();
    game_->settings.LevelsFile = "set.lev";
    game_->FixedSeed = 7;
    FillTileTables(game_->world.tiles);
    ApplySpeedToTables(game_->world.tiles, 300);
    WriteTiles(PlainTiles(70));
}

void LoaderRig::WriteTiles(const std::vector<PictureData>& pictures, const std::string& name) {
    WriteTileSet(dir_.File(name), pictures);
}

void LoaderRig::WriteSetBytes(const Bytes& bytes) {
    WriteFileAtomically(dir_.File("set.lev"), bytes);
}

void LoaderRig::UseSet(const LevelSetData& set) {
    WriteSetBytes(WriteLevelSet(set));
    ReadLevelSet(*game_);
}

void LoaderRig::UseLevels(const std::vector<LevelRecord>& levels) {
    LevelSetData set;
    set.Levels = levels;
    UseSet(set);
}
