// One game-play frame: background, moving things, the three tile passes, explosions, status bar.
#include "render/playfield.h"

#include <algorithm>
#include <cmath>

#include "game/world.h"
#include "media/picture.h"
#include "media/sprite.h"
#include "render/status_bar.h"
#include "render/tile_passes.h"

namespace {

// The sprite engine's origin as whole pixels: objects in motion, monsters and placed bombs are
// drawn relative to it, like the player sprite.
struct EngineOrigin {
    int X, Y;
};

EngineOrigin TruncatedEngineOrigin(const PlayState& play) {
    return {static_cast<int>(std::trunc(play.PlayerViewX)),
            static_cast<int>(std::trunc(play.PlayerViewY))};
}

}  // namespace

// In the order of PlayerPicture. Character 1 (Vivuz) uses the "ball" family, character 0
// (Vuzoda) the "vivuz"/"eddie" family; Vuzoda pushes with its walking pictures.
constexpr const char* kVivuzNames[] = {"ball",  "ballsus", "balljos", "balls",
                                       "balld", "ballid",  "ballis",  "ballmort"};
constexpr const char* kVuzodaNames[] = {"vivuz",  "eddiesus", "eddiejos", "eddies",
                                        "eddied", "eddied",   "eddies",   "eddiemort"};

namespace {

// The player's sprite takes the look the move step left: picture, pattern and place (throws
// when the character's picture is missing from the library).
void PlacePlayerSprite(const PlayFieldCanvas& canvas, const World& world) {
    const PlayerLook& look = world.look;
    ImageSprite& sprite = canvas.Player;
    if (look.Picture != PlayerPicture::None)
        sprite.Picture =
            &canvas.Pictures.FindPicture(PlayerPictureName(look.Picture, canvas.Character));
    sprite.PatternCount = look.PatternCount;
    sprite.Looping = look.Looping;
    sprite.PatternPos = look.PatternPos;
    sprite.PatternSpeed = look.PatternSpeed;
    sprite.X = look.X;
    sprite.Y = look.Y;
    canvas.Sprites.SpriteRoot.X = world.play.PlayerViewX;
    canvas.Sprites.SpriteRoot.Y = world.play.PlayerViewY;
}

// The ghost is the rest picture of its character, a little over a third opaque.
void DrawGhost(const PlayFieldCanvas& canvas, const GhostFigure& ghost, EngineOrigin origin) {
    constexpr int kGhostAlpha = 100;
    const char* name = PlayerPictureName(PlayerPicture::Rest, ghost.Character);
    const int x = origin.X + static_cast<int>(std::trunc(ghost.X)) - 20;
    const int y = origin.Y + static_cast<int>(std::trunc(ghost.Y)) - 20;
    canvas.Pictures.FindPicture(name).BlendPattern(canvas.Back, BoxAt(x, y, 40, 40), 0,
                                                   kGhostAlpha);
}

void DrawObjectsInMotion(const PlayFieldCanvas& canvas, const PlayState& play,
                         EngineOrigin origin) {
    const int32_t count = std::clamp(play.FallCount, 0, kMaxMovers);
    for (int32_t i = 1; i <= count; ++i) {
        const Mover& m = play.FallList[i];
        const int frames = m.Frames > 0 ? m.Frames : 1;
        const int pattern = static_cast<int>(std::trunc(m.Frame)) % frames;
        canvas.Tiles.PictureAt(m.Tile).DrawPattern(
            canvas.Back, static_cast<int>(std::trunc(m.X)) + origin.X,
            static_cast<int>(std::trunc(m.Y)) + origin.Y, pattern);
    }
}

void DrawMonsters(const PlayFieldCanvas& canvas, const LevelGrid& level, EngineOrigin origin) {
    const int32_t count = std::clamp(level.MonsterCount, 0, kMonsterSlots);
    for (int32_t i = 1; i <= count; ++i) {
        const Monster& m = level.Monsters[i];
        canvas.Tiles.PictureAt(m.Kind).DrawPattern(
            canvas.Back, static_cast<int>(std::trunc(m.PosX)) + origin.X,
            static_cast<int>(std::trunc(m.PosY)) + origin.Y, m.Frame);
    }
}

void DrawPlacedBombs(const PlayFieldCanvas& canvas, const PlayState& play, EngineOrigin origin) {
    const int32_t count = std::clamp(play.PlacedBombCount, 0, kMaxPlacedBombs);
    if (count == 0) return;
    const Picture& bomb = canvas.Tiles.PictureAt(tcBomb);
    for (int32_t i = 1; i <= count; ++i) {
        const PlacedBomb& b = play.PlacedBombs[i];
        bomb.DrawPattern(canvas.Back, origin.X + kCellSize * b.Col, origin.Y + kCellSize * b.Row,
                         0);
    }
}

// "fondlm" bands close the screen around a level smaller than the view, flush with its border.
void DrawFillerBands(const PlayFieldCanvas& canvas, const LevelGrid& level) {
    if (level.Rows >= 10 && level.Cols >= 14) return;
    const Picture& band = canvas.Pictures.FindPicture("fondlm");
    if (level.Rows < 10) {
        for (int i = 0; i <= 3; ++i) {
            band.DrawPattern(canvas.Back, 160 * i, 40 - 20 * level.Rows, 0);
            band.DrawPattern(canvas.Back, 160 * i, 280 + 20 * level.Rows, 0);
        }
    }
    if (level.Cols < 14) {
        for (int i = 0; i <= 2; ++i) {
            band.DrawPattern(canvas.Back, 120 - 20 * level.Cols, 160 * i, 0);
            band.DrawPattern(canvas.Back, 360 + 20 * level.Cols, 160 * i, 0);
        }
    }
}

void DrawExplosions(const PlayFieldCanvas& canvas, const PlayState& play) {
    const int32_t count = std::clamp(play.ExplosionCount, 0, kMaxExplosions);
    if (count == 0) return;
    const Picture& blast = canvas.Pictures.FindPicture("explozie");
    for (int32_t i = 1; i <= count; ++i) {
        const Explosion& e = play.Explosions[i];
        blast.DrawPattern(canvas.Back, play.ViewX + e.PixelX, play.ViewY + e.PixelY,
                          static_cast<int>(std::trunc(e.Phase)));
    }
}

void DrawStatusBar(const PlayFieldCanvas& canvas, const PlayState& play) {
    canvas.Pictures.FindPicture("status").DrawPattern(canvas.Back, 0, 401, 0);
    if (canvas.Paused) {
        canvas.Pictures.FindPicture("pause").DrawPattern(canvas.Back, 258, 216, 0);
    }
    DrawBombCounter(canvas.Back, canvas.Pictures, play, 20, 442);
    DrawInfotronCounter(canvas.Back, canvas.Pictures, play, 500, 420);
    DrawTimeCounter(canvas.Back, canvas.Pictures, play, 505, 450);
    DrawLives(canvas.Back, canvas.Pictures, play, 175, 454);
}

}  // namespace

const char* PlayerPictureName(PlayerPicture picture, int32_t character) {
    if (picture == PlayerPicture::None) return "";
    const auto index = static_cast<size_t>(picture);
    return character == 1 ? kVivuzNames[index] : kVuzodaNames[index];
}

// The moving things are drawn before the tiles: their cells hold the busy code, whose picture is
// fully transparent, as is the empty tile's, so they show through; walls drawn later cover
// whatever reaches past its cell.
void DrawPlayField(const PlayFieldCanvas& canvas, const World& world) {
    canvas.Tiles.PictureAt(0).DrawPattern(canvas.Back, 0, 0, 0);
    const PlayState& play = world.play;
    const EngineOrigin origin = TruncatedEngineOrigin(play);
    DrawObjectsInMotion(canvas, play, origin);
    DrawMonsters(canvas, world.level, origin);
    DrawPlacedBombs(canvas, play, origin);
    DrawFillerBands(canvas, world.level);

    int64_t maxWidth = 0, maxHeight = 0;
    LargestTilePattern(canvas.Tiles, maxWidth, maxHeight);
    const TilePassTarget target{canvas.Back, canvas.Tiles, play.ViewX,
                                play.ViewY,  maxWidth,     maxHeight};
    const UpperRows upper = DrawFirstTilePass(target, world.level);
    DrawUpperTilePass(target, world.level, 101, upper);
    PlacePlayerSprite(canvas, world);
    canvas.Sprites.DrawSprites(canvas.Back);
    if (canvas.Ghost) DrawGhost(canvas, *canvas.Ghost, origin);
    DrawUpperTilePass(target, world.level, 102, upper);

    DrawExplosions(canvas, play);
    DrawStatusBar(canvas, play);
}
