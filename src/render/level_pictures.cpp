// The pictures of a level: its tile set, the check of its codes and its cells' drawing offsets.
#include "render/level_pictures.h"

#include "level/level_loader.h"
#include "level/level_set_reader.h"
#include "media/picture.h"

namespace {

struct PictureCheck {
    const PictureList& Tiles;
    const LevelSetState& Levels;
    const std::string& ProgramDir;
    const LevelRecord& Record;
    int Level;

    void Require(int32_t code, const std::string& where) const {
        const int count = Tiles.Count();
        if (code >= 0 && code < count) return;
        RefuseLevelFile(Levels, ProgramDir,
                        "level " + std::to_string(Level) + ": tile code " + std::to_string(code) +
                            " " + where + " has no picture in " + Record.TileSetFile +
                            " (it holds " + std::to_string(count) + " pictures)");
    }
};

// Every code the level draws needs a picture: the play area, the border, and the busy code that
// the loader writes into monster cells.
void RequirePictures(const PictureCheck& check) {
    const LevelRecord& record = check.Record;
    for (int r = 1; r <= record.Rows; ++r)
        for (int c = 1; c <= record.Cols; ++c)
            check.Require(record.CellAt(c, r).Tile,
                          "at row " + std::to_string(r) + ", column " + std::to_string(c));
    for (int32_t border = tcCornerTopLeft; border <= tcCornerBottomRight; ++border)
        check.Require(border, "(border)");
    if (CountMonsterTiles(record) > 0) check.Require(tcBusy, "(monster cells)");
}

}  // namespace

void LoadLevelPictures(PictureList& tiles, LevelSetState& levels, const std::string& programDir,
                       const LevelRecord& record, int n) {
    const std::string& name = record.TileSetFile;
    if (name != levels.LoadedTileSet) {
        levels.LoadedTileSet.clear();  // the list is empty if loading fails
        try {
            tiles.LoadPictures(programDir + name);
        } catch (const FileError& e) {
            RefuseLevelFile(levels, programDir,
                            "level " + std::to_string(n) + ": tile set: " + e.what());
        }
    }
    levels.LoadedTileSet = name;
    RequirePictures(PictureCheck{tiles, levels, programDir, record, n});
}

void SetCellOffsets(LevelGrid& level, const PictureList& tiles) {
    for (int r = 1; r <= level.Rows; ++r)
        for (int c = 1; c <= level.Cols; ++c) {
            Cell& cell = level.Cells[r][c];
            const Picture& picture = tiles.PictureAt(cell.Tile);
            cell.OffsetX = picture.SkipWidth();
            cell.OffsetY = picture.SkipHeight();
            // Tall or wide pictures overhang their cell by fixed amounts.
            if (picture.Width() == 168) cell.OffsetY = 6;
            if (picture.Height() == 168) cell.OffsetX = 13;
        }
}
