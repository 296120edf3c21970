// One game-play frame: background, moving things, the three tile passes, explosions, status bar.
#include "render/playfield.h"

#include <algorithm>
#include <cmath>

#include "app/game.h"
#include "render/status_bar.h"
#include "render/tile_passes.h"

namespace {

// The sprite engine's origin as whole pixels: objects in motion, monsters and placed bombs are
// drawn relative to it, like the player sprite.
struct EngineOrigin {
    int X, Y;
};

EngineOrigin TruncatedEngineOrigin(const Game& game) {
    const auto& root = game.media.DXSpriteEngine.SpriteRoot;
    return {static_cast<int>(std::trunc(root.X)), static_cast<int>(std::trunc(root.Y))};
}

void DrawObjectsInMotion(Game& game, EngineOrigin origin) {
    const PlayState& play = game.play;
    const int32_t count = std::clamp(play.FallCount, 0, kMaxMovers);
    for (int32_t i = 1; i <= count; ++i) {
        const TMover& m = play.FallList[i];
        const int frames = m.Frames > 0 ? m.Frames : 1;
        const int pattern = static_cast<int>(std::trunc(m.Frame)) % frames;
        game.media.patratele.PictureAt(m.Tile).DrawPattern(
            game.media.Back, static_cast<int>(std::trunc(m.X)) + origin.X,
            static_cast<int>(std::trunc(m.Y)) + origin.Y, pattern);
    }
}

void DrawMonsters(Game& game, EngineOrigin origin) {
    const tlevel& level = game.level;
    const int32_t count = std::clamp(level.MonsterCount, 0, kMonsterSlots);
    for (int32_t i = 1; i <= count; ++i) {
        const TMonster& m = level.Monsters[i];
        game.media.patratele.PictureAt(m.Kind).DrawPattern(
            game.media.Back, static_cast<int>(std::trunc(m.PosX)) + origin.X,
            static_cast<int>(std::trunc(m.PosY)) + origin.Y, m.Frame);
    }
}

void DrawPlacedBombs(Game& game, EngineOrigin origin) {
    const PlayState& play = game.play;
    const int32_t count = std::clamp(play.PlacedBombCount, 0, kMaxPlacedBombs);
    if (count == 0) return;
    const Picture& bomb = game.media.patratele.PictureAt(tcBomb);
    for (int32_t i = 1; i <= count; ++i) {
        const TPlacedBomb& b = play.PlacedBombs[i];
        bomb.DrawPattern(game.media.Back, origin.X + 40 * b.Col, origin.Y + 40 * b.Row, 0);
    }
}

// "fondlm" bands close the screen around a level smaller than the view, flush with its border.
void DrawFillerBands(Game& game) {
    const tlevel& level = game.level;
    if (level.Rows >= 10 && level.Cols >= 14) return;
    const Picture& band = game.media.perslist.FindPicture("fondlm");
    if (level.Rows < 10) {
        for (int i = 0; i <= 3; ++i) {
            band.DrawPattern(game.media.Back, 160 * i, 40 - 20 * level.Rows, 0);
            band.DrawPattern(game.media.Back, 160 * i, 280 + 20 * level.Rows, 0);
        }
    }
    if (level.Cols < 14) {
        for (int i = 0; i <= 2; ++i) {
            band.DrawPattern(game.media.Back, 120 - 20 * level.Cols, 160 * i, 0);
            band.DrawPattern(game.media.Back, 360 + 20 * level.Cols, 160 * i, 0);
        }
    }
}

void DrawExplosions(Game& game) {
    const PlayState& play = game.play;
    const int32_t count = std::clamp(play.ExplosionCount, 0, kMaxExplosions);
    if (count == 0) return;
    const Picture& blast = game.media.perslist.FindPicture("explozie");
    for (int32_t i = 1; i <= count; ++i) {
        const TExplosion& e = play.Explosions[i];
        blast.DrawPattern(game.media.Back, play.ViewX + e.PixelX, play.ViewY + e.PixelY,
                          static_cast<int>(std::trunc(e.Phase)));
    }
}

void DrawStatusBar(Game& game) {
    game.media.perslist.FindPicture("status").DrawPattern(game.media.Back, 0, 401, 0);
    if (game.input.Paused) {
        game.media.perslist.FindPicture("pause").DrawPattern(game.media.Back, 258, 216, 0);
    }
    DrawBombCounter(game, 20, 442);
    DrawInfotronCounter(game, 500, 420);
    DrawTimeCounter(game, 505, 450);
    DrawLives(game, 175, 454);
}

}  // namespace

// The moving things are drawn before the tiles: their cells hold the busy code, whose picture is
// fully transparent, as is the empty tile's, so they show through; walls drawn later cover
// whatever reaches past its cell. The tile passes also advance the cell animations, so they run
// on while the game is paused and under the level-end picture.
void DrawPlayField(Game& game, int32_t lag) {
    Media& media = game.media;
    media.patratele.PictureAt(0).DrawPattern(media.Back, 0, 0, 0);
    const EngineOrigin origin = TruncatedEngineOrigin(game);
    DrawObjectsInMotion(game, origin);
    DrawMonsters(game, origin);
    DrawPlacedBombs(game, origin);
    DrawFillerBands(game);

    PlayState& play = game.play;
    ComputeViewOrigin(game.level, play.PlayerX, play.PlayerY, play.ViewX, play.ViewY);
    int64_t maxWidth = 0, maxHeight = 0;
    LargestTilePattern(media.patratele, maxWidth, maxHeight);
    const TilePassTarget target{media.Back, media.patratele, game.tiles, play.ViewX,
                                play.ViewY, maxWidth,        maxHeight};
    const UpperRows upper = DrawFirstTilePass(target, game.level, lag);
    DrawUpperTilePass(target, game.level, 101, upper);
    media.DXSpriteEngine.DrawSprites(media.Back);
    DrawUpperTilePass(target, game.level, 102, upper);

    DrawExplosions(game);
    DrawStatusBar(game);
}
