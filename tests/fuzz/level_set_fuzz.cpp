// Fuzz target: a level set file read as the game reads it: the index and names at start-up, then
// every level loaded for play with the built tile set "computer.dxg" (when TOLMARA_GAME_DIR names
// the build's game folder), the first one drawn. A file error must be a FileError; anything else
// (another exception, a sanitizer report, a loaded level that breaks the model's limits) is a
// finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "fuzz/fuzz_support.h"
#include "level/level_loader.h"
#include "render/playfield.h"
#include "screens/game.h"
#include "screens/level_start.h"
#include "screens/screens.h"

namespace {

constexpr const char* kLevelsFile = "Tolmara.lev";

// The built tile set as loaded once; inputs naming another tile set make the loader drop it, and
// it is put back from here rather than decoded again.
PictureList& BuiltTiles() {
    static PictureList tiles;
    return tiles;
}

// One game for the whole run: loading the tile set is far slower than reading a level, and the
// loader keeps it while levels name the same one. Everything a level load rebuilds is reset
// before each input.
Game& FuzzGame() {
    static std::unique_ptr<Game> game = [] {
        auto g = std::make_unique<Game>();
        g->ProgramDir = ScratchDir();
        g->settings.LevelsFile = kLevelsFile;
        FillTileTables(g->world.tiles);
        ApplySpeedToTables(g->world.tiles, 300);
        // The player's sprite, as the game's start-up makes it.
        g->media.PlayerSprite = g->media.Sprites.Create<ImageSprite>();
        g->media.PlayerSprite->Width = g->media.PlayerSprite->Height = 40;
        std::string built = BuiltGameDir();
        if (!built.empty()) {
            CopyWholeFile(built + "computer.dxg", g->ProgramDir + "computer.dxg");
            try {
                g->media.GamePictures.LoadPictures(built + "tolmara.dxg");
                BuiltTiles().LoadPictures(built + "computer.dxg");
            } catch (const FileError&) {
            }
        }
        return g;
    }();
    return *game;
}

// What the rest of the game relies on after a level was accepted.
void CheckLoadedLevel(const Game& game) {
    const LevelGrid& level = game.world.level;
    bool sized = level.Rows >= 1 && level.Rows <= kMaxPlayArea && level.Cols >= 1 &&
                 level.Cols <= kMaxPlayArea;
    if (!sized || level.MonsterCount < 0 || level.MonsterCount > kMaxMonsters) std::abort();
    int pictures = game.media.TilePictures.Count();
    for (int r = 0; r <= level.Rows + 1; ++r)
        for (int c = 0; c <= level.Cols + 1; ++c) {
            int32_t t = level.Cells[r][c].Tile;
            if (t < 1 || t > kMaxTileCode || t >= pictures) std::abort();
        }
    int col = game.world.play.PlayerX / 40, row = game.world.play.PlayerY / 40;
    if (col < 1 || col > level.Cols || row < 1 || row > level.Rows) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Game& game = FuzzGame();
    game.world.level = LevelGrid{};
    game.world.play = PlayState{};
    game.levels.LevelSet = LevelSetIndex{};
    if (game.levels.LoadedTileSet != "computer.dxg" && BuiltTiles().Count() > 0) {
        game.media.TilePictures = BuiltTiles();
        game.levels.LoadedTileSet = "computer.dxg";
    }
    WriteWholeFile(game.ProgramDir + kLevelsFile, data, size);
    try {
        ReadLevelSet(game);
    } catch (const FileError&) {
        return 0;
    }
    bool drawn = false;
    for (int n = 1; n <= game.levels.LevelSet.LevelCount; ++n) {
        try {
            LoadLevel(game, n);
        } catch (const FileError&) {
            continue;
        }
        CheckLoadedLevel(game);
        // Drawing a frame costs more than loading a level: the first level loaded is drawn.
        if (drawn || game.media.GamePictures.Count() == 0) continue;
        DrawPlayFrame(game, 97);
        drawn = true;
    }
    return 0;
}
