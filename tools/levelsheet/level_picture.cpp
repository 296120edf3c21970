// Drawing whole levels and scaling them into thumbnails.
#include "level_picture.h"

#include <algorithm>
#include <cmath>

#include "screens/game.h"

namespace {

constexpr int kCell = 40;

// The background picture repeated over the whole surface, as the play field shows it behind
// every empty cell.
void TileBackground(Surface& dest, const PictureList& tiles) {
    if (tiles.Count() == 0) return;
    const Picture& back = tiles.PictureAt(0);
    const int w = std::max(1, back.PatternPixelWidth());
    const int h = std::max(1, back.PatternPixelHeight());
    for (int y = 0; y < dest.Height; y += h)
        for (int x = 0; x < dest.Width; x += w) back.DrawPattern(dest, x, y, 0);
}

void DrawCells(Surface& dest, const Game& game) {
    const LevelGrid& level = game.world.level;
    const PictureList& tiles = game.media.TilePictures;
    for (int r = 0; r <= level.Rows + 1; ++r) {
        for (int c = 0; c <= level.Cols + 1; ++c) {
            const Cell& cell = level.Cells[r][c];
            if (cell.Tile < 0 || cell.Tile >= tiles.Count()) continue;
            tiles.PictureAt(cell.Tile).DrawPattern(dest, kCell * c - cell.OffsetX,
                                                   kCell * r - cell.OffsetY, cell.FrameBase);
        }
    }
}

// Monsters live in the monster table once loaded (their cells hold the busy code); the player
// is drawn at the start with the rest picture of the chosen character.
void DrawFigures(Surface& dest, const Game& game) {
    const LevelGrid& level = game.world.level;
    const PictureList& tiles = game.media.TilePictures;
    for (int m = 1; m <= level.MonsterCount; ++m) {
        const Monster& monster = level.Monsters[m];
        if (monster.Kind < 0 || monster.Kind >= tiles.Count()) continue;
        tiles.PictureAt(monster.Kind)
            .DrawPattern(dest, static_cast<int>(monster.PosX), static_cast<int>(monster.PosY), 0);
    }
    const char* rest = game.settings.Character == 1 ? "ball" : "vivuz";
    if (game.media.GamePictures.IndexOf(rest) >= 0)
        game.media.GamePictures.FindPicture(rest).DrawPattern(dest, level.StartX - kCell / 2,
                                                              level.StartY - kCell / 2, 0);
}

}  // namespace

Surface DrawWholeLevel(const Game& game) {
    Surface whole((game.world.level.Cols + 2) * kCell, (game.world.level.Rows + 2) * kCell);
    TileBackground(whole, game.media.TilePictures);
    DrawCells(whole, game);
    DrawFigures(whole, game);
    return whole;
}

Surface ScaleToFit(const Surface& source, int maxWidth, int maxHeight) {
    const double scale = std::min({1.0, static_cast<double>(maxWidth) / source.Width,
                                   static_cast<double>(maxHeight) / source.Height});
    const int w = std::max(1, static_cast<int>(std::floor(source.Width * scale)));
    const int h = std::max(1, static_cast<int>(std::floor(source.Height * scale)));
    Surface out(w, h);
    for (int y = 0; y < h; ++y) {
        const int y0 = y * source.Height / h, y1 = std::max(y0 + 1, (y + 1) * source.Height / h);
        for (int x = 0; x < w; ++x) {
            const int x0 = x * source.Width / w, x1 = std::max(x0 + 1, (x + 1) * source.Width / w);
            uint32_t r = 0, g = 0, b = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx, ++n) {
                    const uint32_t rgb = Rgb565ToRgb(source.At(sx, sy));
                    r += rgb >> 16;
                    g += (rgb >> 8) & 0xFF;
                    b += rgb & 0xFF;
                }
            }
            out.Row(y)[x] = Rgb565(static_cast<uint8_t>(r / n), static_cast<uint8_t>(g / n),
                                   static_cast<uint8_t>(b / n));
        }
    }
    return out;
}

void Blit(Surface& dest, const Surface& source, int x, int y) {
    for (int sy = 0; sy < source.Height; ++sy) {
        const int dy = y + sy;
        if (dy < 0 || dy >= dest.Height) continue;
        for (int sx = 0; sx < source.Width; ++sx) {
            const int dx = x + sx;
            if (dx >= 0 && dx < dest.Width) dest.Row(dy)[dx] = source.At(sx, sy);
        }
    }
}
