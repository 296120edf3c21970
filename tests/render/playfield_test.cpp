// The play field's frame: view origin, filler bands, the three tile passes with their animation,
// culling at the screen's edges, and the moving things drawn relative to the engine's origin.
#include "render/playfield.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <stdexcept>

#include "game/camera.h"
#include "media/picture.h"
#include "render/render_rig.h"
#include "render/status_bar.h"
#include "screens/messages.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"

namespace {

constexpr int kWall = 45;

TEST(ViewOrigin, SmallLevelsAreCentredAndLargeOnesScrollUntilTheirEdges) {
    LevelGrid level;
    int32_t x = 0, y = 0;
    level.Cols = 13;
    level.Rows = 9;
    ComputeViewOrigin(level, 5000, 5000, x, y);
    EXPECT_EQ(x, 20);
    EXPECT_EQ(y, 20);
    level.Cols = 14;
    level.Rows = 10;
    ComputeViewOrigin(level, 500, 380, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);

    level.Cols = level.Rows = 30;
    struct Case {
        double px, py;
        int32_t x, y;
    } cases[] = {
        {280, 200, 0, 0},         // not yet scrolling
        {281.9, 200.5, -1, 0},    // scrolled by whole pixels, truncated towards zero
        {919, 1039, -639, -839},  // last positions that keep the player at (280, 200)
        {920, 1040, -640, -840},  // the far edges: right border ends at 640, last row at 400
        {1180, 1180, -640, -840},
    };
    for (const Case& c : cases) {
        ComputeViewOrigin(level, c.px, c.py, x, y);
        EXPECT_EQ(x, c.x) << c.px;
        EXPECT_EQ(y, c.y) << c.py;
    }
}

TEST(PlayField, SmallLevelIsFramedByFillerBandsFlushWithItsBorder) {
    RenderRig rig;
    rig.MakeLevel(13, 9);
    rig.PlacePlayer(60, 60);
    rig.Draw();
    const uint16_t band = GameColour("fondlm");
    EXPECT_EQ(rig.Pixel(20, 20), TileColour(1));  // top-left corner at the view origin
    EXPECT_EQ(rig.Pixel(19, 20), band);
    EXPECT_EQ(rig.Pixel(20, 19), band);
    EXPECT_EQ(rig.Pixel(600, 200), TileColour(4));  // right border column 14 ends at x 619
    EXPECT_EQ(rig.Pixel(620, 200), band);
    EXPECT_EQ(rig.Pixel(300, 60), TileColour(0));  // empty interior: the background
    EXPECT_EQ(rig.Pixel(300, 401), GameColour("status"));
}

TEST(PlayField, TenRowsFillTheFieldAndTheBottomBorderLiesUnderTheStatusBar) {
    RenderRig rig;
    rig.MakeLevel(14, 10);
    rig.CellAt(2, 10).Tile = kWall;
    rig.PlacePlayer(300, 300);
    rig.Draw();
    EXPECT_EQ(rig.game().world.play.ViewY, 0);
    EXPECT_EQ(rig.Pixel(0, 0), TileColour(1));
    EXPECT_EQ(rig.Pixel(639, 0), TileColour(2));
    EXPECT_EQ(rig.Pixel(100, 400), TileColour(kWall));  // row 10 starts at y 400
    EXPECT_EQ(rig.Pixel(100, 401), GameColour("status"));
}

TEST(PlayField, ScrollingKeepsThePlayerCellAtTheCentreAndStopsAtTheEdges) {
    RenderRig rig;
    rig.MakeLevel(30, 30);
    rig.CellAt(10, 10).Tile = kWall;
    rig.PlacePlayer(420, 420);
    rig.Draw();
    EXPECT_EQ(rig.Pixel(260, 180), TileColour(kWall));  // player's centre at (280, 200)
    EXPECT_EQ(rig.Pixel(299, 219), TileColour(kWall));
    EXPECT_EQ(rig.Pixel(300, 219), TileColour(0));

    rig.CellAt(22, 30).Tile = kWall;
    rig.PlacePlayer(1100, 1150);
    rig.Draw();
    EXPECT_EQ(rig.Pixel(600, 100), TileColour(4));      // right border column at 600..639
    EXPECT_EQ(rig.Pixel(250, 399), TileColour(kWall));  // last interior row ends at 400
}

TEST(PlayField, AnimationsRunEverywhereButOnlyInTheirPass) {
    RenderRig rig;
    rig.MakeLevel(99, 99);
    rig.PlacePlayer(60, 60);
    Cell& far = rig.CellAt(90, 90);
    far.Tile = tcPortRight;
    Cell& farUpper = rig.CellAt(95, 95);
    farUpper.Tile = tcPortDown;
    farUpper.Layer = 102;
    Cell& border = rig.CellAt(5, 0);  // a border cell of layer 101 belongs to no pass
    border.Tile = tcPortLeft;
    border.Layer = 101;
    Cell& unknownLayer = rig.CellAt(3, 3);
    unknownLayer.Tile = tcPortUp;
    unknownLayer.Layer = 103;
    rig.Draw(100);  // ports: 10 patterns per 1000 ms
    EXPECT_DOUBLE_EQ(far.Phase, 1.0);
    EXPECT_DOUBLE_EQ(farUpper.Phase, 1.0);
    EXPECT_DOUBLE_EQ(border.Phase, 0.0);
    EXPECT_DOUBLE_EQ(unknownLayer.Phase, 0.0);
    EXPECT_EQ(rig.Pixel(130, 130), TileColour(0));  // layer 103 is not drawn either
}

TEST(PlayField, EatingAnimationsEndEmptyAndLoopsWrapKeepingTheFraction) {
    RenderRig rig;
    rig.MakeLevel(13, 9);
    rig.PlacePlayer(60, 60);
    Cell& eaten = rig.CellAt(1, 1);
    eaten.Tile = 70;
    eaten.Phase = 19.5;
    Cell& port = rig.CellAt(2, 1);
    port.Tile = tcPortRight;
    port.Phase = 3.9;
    Cell& still = rig.CellAt(3, 1);  // no animation: the phase is the eat-in-place pattern
    still.Tile = tcCircuitEatenInPlace;
    still.Phase = 2.7;
    Cell& based = rig.CellAt(4, 1);
    based.Tile = tcInfotron;
    based.FrameBase = 3;
    rig.Draw(20);  // 150 patterns per 1000 ms at speed 300: +3
    EXPECT_EQ(eaten.Tile, tcEmpty);
    EXPECT_EQ(eaten.Phase, 0.0);
    EXPECT_NEAR(port.Phase, 0.1, 1e-9);
    EXPECT_DOUBLE_EQ(still.Phase, 2.7);
    // Cells at x = 20 + 40 c, y = 60.
    EXPECT_EQ(rig.Pixel(65, 65), TileColour(0));  // the eaten cell shows what lies under it
    EXPECT_EQ(rig.Pixel(105, 65), TileColour(tcPortRight, 0));
    EXPECT_EQ(rig.Pixel(145, 65), TileColour(tcCircuitEatenInPlace, 2));
    EXPECT_EQ(rig.Pixel(185, 65), TileColour(tcInfotron, 3));

    eaten.Tile = 71;
    eaten.Phase = 19.9;
    rig.Draw(0);  // not past 20 yet: the last pattern is still drawn
    EXPECT_EQ(eaten.Tile, 71);
    EXPECT_EQ(rig.Pixel(65, 65), TileColour(71, 19));
}

TEST(PlayField, PassesLayerTilesAroundThePlayerSprite) {
    RenderRig rig;
    rig.MakeLevel(13, 9);
    rig.PlacePlayer(100, 100);
    rig.game().world.play.PlayerViewX = rig.game().world.play.PlayerViewY = 20;
    rig.AddSprite(80, 80);   // over cell (2, 2)
    rig.AddSprite(120, 80);  // over cell (2, 3)
    rig.CellAt(2, 2).Tile = kWall;
    rig.CellAt(2, 2).Layer = 101;
    rig.CellAt(3, 2).Tile = kWall;
    rig.CellAt(3, 2).Layer = 102;
    rig.Draw();
    EXPECT_EQ(rig.Pixel(110, 110), GameColour("ball"));
    EXPECT_EQ(rig.Pixel(150, 110), TileColour(kWall));
}

TEST(PlayField, CellsJustOffScreenAreStillDrawnWhenTheirOffsetBringsThemIn) {
    RenderRig rig;
    rig.MakeLevel(30, 30);
    rig.PlacePlayer(60, 60);  // view (0, 0): column 16 starts at x 640, row 12 at y 480
    rig.CellAt(16, 3).Tile = kWall;
    rig.CellAt(16, 3).OffsetX = 20;
    rig.CellAt(3, 12).Tile = kWall;
    rig.CellAt(3, 12).OffsetY = 100;  // drawn from y 380, above the status bar
    rig.Draw();
    EXPECT_EQ(rig.Pixel(625, 125), TileColour(kWall));
    EXPECT_EQ(rig.Pixel(125, 390), TileColour(kWall));

    // Cells whose pictures cannot reach the screen are not even looked up: a code without a
    // picture far off screen raises nothing, while the same code in view does.
    rig.CellAt(25, 20).Tile = 999;
    rig.CellAt(25, 20).Phase = 0;
    EXPECT_NO_THROW(rig.Draw());
    rig.CellAt(2, 2).Tile = 999;
    EXPECT_THROW(rig.Draw(), std::runtime_error);
}

TEST(PlayField, MovingThingsAreDrawnAtTheEngineOriginsWholePixels) {
    RenderRig rig;
    rig.MakeLevel(13, 9);
    rig.PlacePlayer(60, 60);
    Game& game = rig.game();
    game.world.play.PlayerViewX = game.world.play.PlayerViewY = 20.9;
    game.world.play.FallCount = 1;
    Mover& mover = game.world.play.FallList[1];
    mover = Mover{};
    mover.Tile = tcBall;
    mover.X = 100.7;
    mover.Y = 80.2;
    mover.Frame = 10.5;
    mover.Frames = 9;
    game.world.level.MonsterCount = 1;
    Monster& monster = game.world.level.Monsters[1];
    monster.Kind = tcMonsterTurning;
    monster.PosX = 200.5;
    monster.PosY = 40;
    monster.Frame = 3;
    game.world.play.PlacedBombCount = 1;
    game.world.play.PlacedBombs[1] = PlacedBomb{5, 6, 0.0};
    game.world.play.ExplosionCount = 1;
    game.world.play.Explosions[1] = Explosion{40 * 8 - 40, 40 * 3 - 40, 8, 3, 3.7};
    rig.Draw();
    EXPECT_EQ(rig.Pixel(120, 100), TileColour(tcBall, 1));
    EXPECT_EQ(rig.Pixel(119, 100), TileColour(0));
    EXPECT_EQ(rig.Pixel(220, 60), TileColour(tcMonsterTurning, 3));
    EXPECT_EQ(rig.Pixel(220, 260), TileColour(tcBomb, 0));      // column 5, row 6
    EXPECT_EQ(rig.Pixel(300, 100), GameColour("explozie", 3));  // view x 20 + 280
    EXPECT_EQ(rig.Pixel(419, 219), GameColour("explozie", 3));

    // A wall drawn by the tile passes covers a moving thing under it.
    rig.CellAt(2, 2).Tile = kWall;
    rig.Draw();
    EXPECT_EQ(rig.Pixel(120, 100), TileColour(kWall));
}

}  // namespace

namespace {

constexpr uint32_t kKey = 0xFF00FF;

constexpr int kTileCodes = 90;

// pictures 0..89: the background and the cell pictures

// Pattern p of tile picture k in this file's tile sets: a colour of its own.
uint16_t ReviewColour(int code, int pattern) {
    return static_cast<uint16_t>(0x0800 + code * 16 + pattern);
}

// A picture of `patterns` patterns of w x h side by side; with `holes` every third column of
// every pattern is the key colour.
PictureData Tile(int code, int w, int h, int patterns, bool holes) {
    PictureData p;
    p.Name = "t" + std::to_string(code);
    p.Width = w * patterns;
    p.Height = h;
    p.PatternWidth = patterns > 1 ? w : 0;
    p.PatternHeight = patterns > 1 ? h : 0;
    p.Transparent = true;
    p.TransparentColor = kKey;
    p.Rgb.resize(static_cast<size_t>(p.Width) * h);
    for (size_t i = 0; i < p.Rgb.size(); ++i) {
        const int x = static_cast<int>(i % p.Width);
        const bool hole = holes && x % 3 == 0;
        p.Rgb[i] = hole ? kKey : Rgb565ToRgb(ReviewColour(code, x / w));
    }
    return p;
}

// A tile set of sizes from small to 168 x 168, some with see-through columns.
PictureLibrary RandomTileSet(std::mt19937& rng) {
    static const int kSizes[][2] = {{40, 40}, {40, 40},   {168, 40}, {40, 168},
                                    {80, 80}, {168, 168}, {30, 20},  {60, 44}};
    PictureLibrary library;
    library.Pictures.push_back(Tile(0, 640, 480, 1, false));
    for (int code = 1; code < kTileCodes; ++code) {
        const auto& size = kSizes[rng() % 8];
        library.Pictures.push_back(
            Tile(code, size[0], size[1], 1 + static_cast<int>(rng() % 4), rng() % 3 == 0));
    }
    return library;
}

// ---- A plain drawing of the frame, step by step, every cell of every pass ----

int32_t PlainViewX(const LevelGrid& level, int32_t px) {
    if (level.Cols <= 14) return (14 - level.Cols) * 20;
    if (px <= 280) return 0;
    if (px < 40 * level.Cols - 280) return 280 - px;
    return 560 - 40 * level.Cols;
}

int32_t PlainViewY(const LevelGrid& level, int32_t py) {
    if (level.Rows <= 10) return (10 - level.Rows) * 20;
    if (py <= 200) return 0;
    if (py < 40 * level.Rows - 160) return 200 - py;
    return 360 - 40 * level.Rows;
}

void PlainPass(Game& game, int layer, int first, int lastRow, int lastCol, int32_t lag) {
    const PlayState& play = game.world.play;
    for (int r = first; r <= lastRow; ++r)
        for (int c = first; c <= lastCol; ++c) {
            Cell& cell = game.world.level.Cells[r][c];
            if (cell.Layer != layer) continue;
            const int n = game.world.tiles.FrameCount[cell.Tile];
            if (n > 0) {
                cell.Phase += game.world.tiles.FrameRate[cell.Tile] / 1000.0 * lag;
                if (cell.Phase > n) {
                    if (cell.Tile >= 70) {
                        cell.Tile = 15;
                        cell.Phase = 0;
                    } else {
                        cell.Phase -= n;
                    }
                }
            }
            game.media.TilePictures.PictureAt(cell.Tile).DrawPattern(
                game.media.Back, play.ViewX + 40 * c - cell.OffsetX,
                play.ViewY + 40 * r - cell.OffsetY,
                cell.FrameBase + static_cast<int>(std::trunc(cell.Phase)));
        }
}

void PlainFrame(Game& game, int32_t lag) {
    Media& media = game.media;
    Surface& back = media.Back;
    PlayState& play = game.world.play;
    const LevelGrid& level = game.world.level;
    media.TilePictures.PictureAt(0).DrawPattern(back, 0, 0, 0);
    const int ox = static_cast<int>(std::trunc(media.Sprites.SpriteRoot.X));
    const int oy = static_cast<int>(std::trunc(media.Sprites.SpriteRoot.Y));
    for (int i = 1; i <= play.FallCount; ++i) {
        const Mover& m = play.FallList[i];
        media.TilePictures.PictureAt(m.Tile).DrawPattern(
            back, static_cast<int>(std::trunc(m.X)) + ox, static_cast<int>(std::trunc(m.Y)) + oy,
            static_cast<int>(std::trunc(m.Frame)) % m.Frames);
    }
    for (int i = 1; i <= level.MonsterCount; ++i) {
        const Monster& m = level.Monsters[i];
        media.TilePictures.PictureAt(m.Kind).DrawPattern(
            back, static_cast<int>(std::trunc(m.PosX)) + ox,
            static_cast<int>(std::trunc(m.PosY)) + oy, m.Frame);
    }
    for (int i = 1; i <= play.PlacedBombCount; ++i)
        media.TilePictures.PictureAt(19).DrawPattern(back, ox + 40 * play.PlacedBombs[i].Col,
                                                     oy + 40 * play.PlacedBombs[i].Row, 0);
    const Picture& band = media.GamePictures.FindPicture("fondlm");
    if (level.Rows < 10)
        for (int i = 0; i <= 3; ++i) {
            band.DrawPattern(back, 160 * i, 40 - 20 * level.Rows, 0);
            band.DrawPattern(back, 160 * i, 280 + 20 * level.Rows, 0);
        }
    if (level.Cols < 14)
        for (int i = 0; i <= 2; ++i) {
            band.DrawPattern(back, 120 - 20 * level.Cols, 160 * i, 0);
            band.DrawPattern(back, 360 + 20 * level.Cols, 160 * i, 0);
        }
    play.ViewX = PlainViewX(level, play.PlayerX);
    play.ViewY = PlainViewY(level, play.PlayerY);
    PlainPass(game, 100, 0, level.Rows + 1, level.Cols + 1, lag);
    PlainPass(game, 101, 1, level.Rows, level.Cols, lag);
    media.Sprites.DrawSprites(back);
    PlainPass(game, 102, 1, level.Rows, level.Cols, lag);
    for (int i = 1; i <= play.ExplosionCount; ++i) {
        const Explosion& e = play.Explosions[i];
        media.GamePictures.FindPicture("explozie")
            .DrawPattern(back, play.ViewX + e.PixelX, play.ViewY + e.PixelY,
                         static_cast<int>(std::trunc(e.Phase)));
    }
    media.GamePictures.FindPicture("status").DrawPattern(back, 0, 401, 0);
    if (game.input.Paused) media.GamePictures.FindPicture("pause").DrawPattern(back, 258, 216, 0);
    DrawBombCounter(back, media.GamePictures, play, 20, 442);
    DrawInfotronCounter(back, media.GamePictures, play, 500, 420);
    DrawTimeCounter(back, media.GamePictures, play, 505, 450);
    DrawLives(back, media.GamePictures, play, 175, 454);
}

// A random level of the given size: tiles of every code the set has, all layers (and some that
// belong to no pass, also in the border ring), offsets of both signs, phases and moving things.
void FillRandomLevel(RenderRig& rig, std::mt19937& rng, int cols, int rows) {
    static const int kLayers[] = {100, 100, 100, 100, 101, 102, 99, 103};
    static const int kOffsets[] = {0, 0, 0, 0, 6, 13, -20, 50, 130, -130, 167, -167};
    rig.MakeLevel(cols, rows);
    Game& game = rig.game();
    for (int r = 0; r <= rows + 1; ++r)
        for (int c = 0; c <= cols + 1; ++c) {
            Cell& cell = rig.CellAt(c, r);
            if (rng() % 2) cell.Tile = static_cast<int32_t>(rng() % kTileCodes);
            cell.Layer = kLayers[rng() % 8];
            cell.FrameBase = static_cast<int32_t>(rng() % 3);
            cell.Phase = (rng() % 400) / 20.0;
            cell.OffsetX = kOffsets[rng() % 12];
            cell.OffsetY = kOffsets[rng() % 12];
        }
    const int32_t px = static_cast<int32_t>(40 + rng() % (40 * cols + 1));
    const int32_t py = static_cast<int32_t>(40 + rng() % (40 * rows + 1));
    rig.PlacePlayer(px, py);
    game.world.play.PlayerViewX = static_cast<double>(PlainViewX(game.world.level, px)) + 0.5;
    game.world.play.PlayerViewY = static_cast<double>(PlainViewY(game.world.level, py)) - 0.5;
    PlayState& play = game.world.play;
    play.FallCount = 3;
    for (int i = 1; i <= 3; ++i) {
        Mover& m = play.FallList[i];
        m.Tile = 1 + static_cast<int32_t>(rng() % (kTileCodes - 1));
        m.X = (rng() % (40 * cols + 80)) + 0.25;
        m.Y = (rng() % (40 * rows + 80)) + 0.75;
        m.Frame = (rng() % 90) / 10.0;
        m.Frames = 1 + static_cast<int32_t>(rng() % 4);
    }
    game.world.level.MonsterCount = 2;
    for (int i = 1; i <= 2; ++i) {
        Monster& m = game.world.level.Monsters[i];
        m.Kind = 38 + i - 1;
        m.PosX = rng() % (40 * cols + 80) + 0.5;
        m.PosY = rng() % (40 * rows + 80) + 0.5;
        m.Frame = static_cast<int32_t>(rng() % 3);
    }
    play.PlacedBombCount = 1;
    play.PlacedBombs[1] = PlacedBomb{1 + static_cast<int32_t>(rng() % cols),
                                     1 + static_cast<int32_t>(rng() % rows), 0.0};
    play.ExplosionCount = 2;
    for (int i = 1; i <= 2; ++i) {
        const int32_t col = 1 + static_cast<int32_t>(rng() % cols);
        const int32_t row = 1 + static_cast<int32_t>(rng() % rows);
        play.Explosions[i] =
            Explosion{40 * col - 40, 40 * row - 40, col, row, (rng() % 100) / 10.0};
    }
    play.Bombs = static_cast<int32_t>(rng() % 120);
    play.InfotronsGot = static_cast<int32_t>(rng() % 150);
    play.InfotronsNeeded = static_cast<int32_t>(rng() % 150);
    play.LevelTime = rng() % 7000000;
    play.Lives = static_cast<int32_t>(rng() % 7);
    game.input.Paused = rng() % 2;
}

// ---- The game-play tick ----

class PlayTick : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.MakeLevel(10, 6);
        rig.PlacePlayer(3 * 40 + 20, 3 * 40 + 20);
        game().settings.Speed = 300;
        game().settings.ShowTips = 1;
        FillMessageTexts(game().messages);
        SetScreen(game(), Screen::GamePlay);
    }
    Game& game() { return rig.game(); }
    RenderRig rig;
};

}  // namespace

TEST(PlayFieldFrames, TheCulledFrameEqualsThePlainFrameAndEveryCellAnimatesTheSame) {
    const int kSizes[][2] = {{1, 1},  {5, 3},  {13, 9},  {14, 10}, {15, 11},
                             {20, 6}, {6, 30}, {40, 40}, {99, 99}, {99, 2}};
    std::mt19937 rng(2024);
    RenderRig rig;
    Game& game = rig.game();
    rig.AddSprite(300, 200);
    for (int round = 0; round < 40; ++round) {
        if (round % 10 == 0) game.media.TilePictures.LoadLibrary(RandomTileSet(rng));
        const auto& size = kSizes[round % 10];
        FillRandomLevel(rig, rng, size[0], size[1]);
        const int32_t lag = 1 + static_cast<int32_t>(rng() % 120);
        const auto before = std::make_unique<LevelGrid>(game.world.level);

        // What the frame leaves undrawn would keep this colour.
        game.media.Back.Pixels.assign(game.media.Back.Pixels.size(), 0xBEEF);
        DrawPlayFrame(game, lag);
        const Surface drawn = game.media.Back;
        const auto after = std::make_unique<LevelGrid>(game.world.level);
        const int32_t viewX = game.world.play.ViewX, viewY = game.world.play.ViewY;

        game.world.level = *before;
        game.media.Back.Pixels.assign(game.media.Back.Pixels.size(), 0);
        PlainFrame(game, lag);
        EXPECT_EQ(viewX, game.world.play.ViewX) << round;
        EXPECT_EQ(viewY, game.world.play.ViewY) << round;
        int differences = 0, firstX = -1, firstY = -1;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (drawn.At(x, y) != game.media.Back.At(x, y) && differences++ == 0) {
                    firstX = x;
                    firstY = y;
                }
        EXPECT_EQ(differences, 0) << "round " << round << " (" << size[0] << " x " << size[1]
                                  << "), first at (" << firstX << ", " << firstY << ")";
        for (int r = 0; r < kGridSize; ++r)
            for (int c = 0; c < kGridSize; ++c) {
                const Cell &a = after->Cells[r][c], &b = game.world.level.Cells[r][c];
                ASSERT_TRUE(a.Tile == b.Tile && a.Phase == b.Phase)
                    << "round " << round << " cell (" << r << ", " << c << ")";
            }
    }
}

// Pictures larger than a cell, and offsets of both signs, reach the screen from cells outside
// it, from every side.
TEST(PlayFieldFrames, LargePicturesAndOffsetsReachInFromEverySide) {
    RenderRig rig;
    Game& game = rig.game();
    PictureLibrary library;
    library.Pictures.push_back(Tile(0, 640, 480, 1, false));
    for (int code = 1; code < kTileCodes; ++code)
        library.Pictures.push_back(Tile(code, 40, 40, 1, false));
    library.Pictures[tcEmpty].Rgb.assign(library.Pictures[tcEmpty].Rgb.size(), kKey);
    library.Pictures[45] = Tile(45, 168, 168, 1, false);
    game.media.TilePictures.LoadLibrary(library);
    rig.MakeLevel(60, 60);
    rig.PlacePlayer(1200, 1200);
    const int32_t viewX = 280 - 1200, viewY = 200 - 1200;
    // Cell (r, c) starts at screen (viewX + 40 c, viewY + 40 r); column 23 and row 25 at 0.
    rig.CellAt(19, 27).Tile = 45;  // x -160: its last 8 columns are on the screen
    rig.CellAt(25, 21).Tile = 45;  // y -160: its last 8 rows are on the screen
    rig.CellAt(39, 29).Tile = 30;  // x 640, drawn 30 further left
    rig.CellAt(39, 29).OffsetX = 30;
    rig.CellAt(22, 31).Tile = 31;  // x -40, drawn 30 further right
    rig.CellAt(22, 31).OffsetX = -30;
    rig.CellAt(31, 24).Tile = 32;  // y -40, drawn 25 further down
    rig.CellAt(31, 24).OffsetY = -25;
    rig.CellAt(28, 37).Tile = 33;  // y 480, drawn 170 further up
    rig.CellAt(28, 37).OffsetY = 170;
    DrawPlayFrame(game, 1);
    ASSERT_EQ(game.world.play.ViewX, viewX);
    ASSERT_EQ(game.world.play.ViewY, viewY);
    EXPECT_EQ(rig.Pixel(7, 80), ReviewColour(45, 0));
    EXPECT_EQ(rig.Pixel(8, 80), ReviewColour(0, 0));
    EXPECT_EQ(rig.Pixel(80, 7), ReviewColour(45, 0));
    EXPECT_EQ(rig.Pixel(80, 8), ReviewColour(0, 0));
    EXPECT_EQ(rig.Pixel(610, 160), ReviewColour(30, 0));
    EXPECT_EQ(rig.Pixel(609, 160), ReviewColour(0, 0));
    EXPECT_EQ(rig.Pixel(0, 240), ReviewColour(31, 0));
    EXPECT_EQ(rig.Pixel(29, 240), ReviewColour(31, 0));
    EXPECT_EQ(rig.Pixel(30, 240), ReviewColour(0, 0));
    EXPECT_EQ(rig.Pixel(320, 0), ReviewColour(32, 0));
    EXPECT_EQ(rig.Pixel(320, 24), ReviewColour(32, 0));
    EXPECT_EQ(rig.Pixel(320, 25), ReviewColour(0, 0));
    EXPECT_EQ(rig.Pixel(200, 310), ReviewColour(33, 0));
    EXPECT_EQ(rig.Pixel(200, 309), ReviewColour(0, 0));
}

TEST(PlayFieldFrames, FillerBandsForFewRowsAndFewColumnsAreIndependent) {
    RenderRig rig;
    const uint16_t band = GameColour("fondlm");
    rig.MakeLevel(20, 5);  // rows only: bands above and below, none at the sides
    rig.PlacePlayer(60, 60);
    rig.Draw();
    EXPECT_EQ(rig.game().world.play.ViewY, 100);
    EXPECT_EQ(rig.Pixel(5, 99), band);  // the upper band ends at 40 - 100 + 159
    EXPECT_EQ(rig.Pixel(635, 99), band);
    EXPECT_EQ(rig.Pixel(5, 380), band);  // the lower band starts at 280 + 100
    EXPECT_NE(rig.Pixel(5, 379), band);
    EXPECT_NE(rig.Pixel(5, 200), band);

    rig.MakeLevel(6, 30);  // columns only
    rig.PlacePlayer(60, 60);
    rig.Draw();
    EXPECT_EQ(rig.game().world.play.ViewX, 160);
    EXPECT_EQ(rig.Pixel(159, 5), band);  // the left band ends at 120 - 120 + 159
    EXPECT_NE(rig.Pixel(160, 5), band);
    EXPECT_EQ(rig.Pixel(480, 300), band);  // the right band starts at 360 + 120
    EXPECT_NE(rig.Pixel(479, 300), band);
}

TEST(ViewOrigin, EveryLevelSizeAndPositionFollowsTheFormula) {
    LevelGrid level;
    for (int size = 1; size <= 99; ++size) {
        level.Cols = level.Rows = size;
        for (int32_t pos = 0; pos <= 40 * size + 80; pos += 7) {
            int32_t x = 0, y = 0;
            ComputeViewOrigin(level, pos, pos, x, y);
            ASSERT_EQ(x, PlainViewX(level, pos)) << size << " " << pos;
            ASSERT_EQ(y, PlainViewY(level, pos)) << size << " " << pos;
        }
    }
}

TEST_F(PlayTick, PausedTicksOnlyDrawAndAnimateTheTiles) {
    PlayState& play = game().world.play;
    play.ExplosionCount = 1;
    play.Explosions[1] = Explosion{0, 0, 1, 1, 2.0};
    play.PlacedBombCount = 1;
    play.PlacedBombs[1] = PlacedBomb{5, 5, 3.0};
    rig.CellAt(2, 2).Tile = tcPortRight;
    game().input.Paused = true;
    GamePlayTick(game(), 100);
    EXPECT_EQ(play.LevelTime, 0);
    EXPECT_EQ(play.Explosions[1].Phase, 2.0);
    EXPECT_EQ(play.PlacedBombs[1].Fuse, 3.0);
    EXPECT_DOUBLE_EQ(rig.CellAt(2, 2).Phase, 1.0);
    EXPECT_EQ(rig.Pixel(258, 216), GameColour("pause"));
    game().input.Paused = false;
    GamePlayTick(game(), 100);
    EXPECT_EQ(play.LevelTime, 100);
    EXPECT_DOUBLE_EQ(play.Explosions[1].Phase, 4.0);
    EXPECT_DOUBLE_EQ(play.PlacedBombs[1].Fuse, 5.0);
}

// The blasts of a monster's catch advance in the same tick: monsters move before explosions.
TEST_F(PlayTick, ExplosionsAdvanceAfterTheMonstersHaveMoved) {
    LevelGrid& level = game().world.level;
    level.MonsterCount = 1;
    Monster& m = level.Monsters[1];
    m = Monster{};
    m.Kind = 39;
    m.Spin = 2;
    m.PosX = 120;
    m.PosY = 160;
    m.Col = 3;
    m.Row = 4;
    m.Move = 1;  // moving up into the player's cell: caught at its first step
    m.TargetY = 120;
    rig.CellAt(3, 4).Tile = tcBusy;
    GamePlayTick(game(), 10);
    EXPECT_EQ(game().world.play.Lives, 2);
    ASSERT_EQ(game().world.play.ExplosionCount, 1);
    EXPECT_DOUBLE_EQ(game().world.play.Explosions[1].Phase, 0.2);
}

TEST_F(PlayTick, EscapeGivesUpOnceWithABlastAndNoLostLifeMessage) {
    PlayState& play = game().world.play;
    game().input.EscapePressed = true;
    game().input.Paused = true;
    GamePlayTick(game(), 20);
    EXPECT_TRUE(play.LevelAborted);
    EXPECT_EQ(play.Lives, -1);  // set to 0, then the blast on the player's cell takes one
    EXPECT_EQ(play.LevelOutcome, 3);
    EXPECT_FALSE(game().input.EscapePressed);
    EXPECT_FALSE(game().input.Paused);
    EXPECT_TRUE(play.LevelLost);  // no lives left, in the same tick
    EXPECT_EQ(play.LostTime, 20);
    EXPECT_EQ(play.AbortTime, 20);
    ASSERT_EQ(play.ExplosionCount, 1);
    EXPECT_EQ(play.Explosions[1].Col, 3);
    EXPECT_EQ(play.Explosions[1].Row, 3);
    EXPECT_EQ(game().messages.MessageCount, 0);

    game().input.EscapePressed = true;  // a second Escape changes nothing
    play.LevelOutcome = 3;
    GamePlayTick(game(), 20);
    EXPECT_TRUE(game().input.EscapePressed);
    EXPECT_EQ(play.ExplosionCount, 1);
    EXPECT_EQ(play.Lives, -1);
    for (int i = 0; i < 47; ++i) GamePlayTick(game(), 20);
    EXPECT_EQ(game().screens.CurrentScreen, Screen::GamePlay);  // 980 ms
    GamePlayTick(game(), 20);
    EXPECT_EQ(game().screens.CurrentScreen, Screen::LevelEnd);
}

TEST_F(PlayTick, GivingUpUnderTheGuardBlastsNothing) {
    game().world.play.BlastGuard = true;
    game().input.EscapePressed = true;
    GamePlayTick(game(), 20);
    EXPECT_EQ(game().world.play.Lives, 0);
    EXPECT_EQ(game().world.play.ExplosionCount, 0);
    EXPECT_TRUE(game().world.play.LevelLost);
}

TEST_F(PlayTick, EndChecksAreIndependentAndTheLastSwitchWins) {
    PlayState& play = game().world.play;
    play.ExitReached = true;
    play.ExitTime = 490;
    game().input.ChangeCharacterKey = true;
    game().input.Paused = true;
    GamePlayTick(game(), 10);
    EXPECT_EQ(play.ExitTime, 500);
    EXPECT_EQ(game().screens.CurrentScreen, Screen::CharacterSelect);
    EXPECT_FALSE(game().input.Paused);

    SetScreen(game(), Screen::GamePlay);
    game().input.HelpKey = true;
    GamePlayTick(game(), 10);
    EXPECT_EQ(game().screens.CurrentScreen, Screen::Information);

    SetScreen(game(), Screen::GamePlay);
    game().input.ChangeCharacterKey = game().input.HelpKey = false;
    play.ExitReached = false;
    play.LevelLost = true;
    play.LostTime = 990;
    play.LevelAborted = true;
    play.AbortTime = 500;
    GamePlayTick(game(), 10);
    EXPECT_EQ(game().screens.CurrentScreen, Screen::LevelEnd);
    EXPECT_EQ(play.LostTime, 1000);
    EXPECT_EQ(play.AbortTime, 510);
}

// ---- The level-end screen ----

TEST(LevelEndScreen, ShowsItsPictureForMoreThanTwoSecondsThenRecordsTheProgress) {
    RenderRig rig;
    Game& game = rig.game();
    rig.MakeLevel(14, 10);
    rig.PlacePlayer(60, 60);
    game.levels.LevelSet.LevelCount = 4;
    game.players.CurrentPlayer = 2;
    game.players.PlayerLevels[2] = 5;  // already past the last level: not increased again
    game.world.play.CurrentLevel = 5;
    game.world.play.LevelOutcome = 1;
    game.world.play.ExitReached = true;
    SetScreen(game, Screen::LevelEnd);
    LevelEndTick(game, 2000);
    EXPECT_EQ(rig.Pixel(206, 173), GameColour("youmadeit"));
    EXPECT_EQ(game.screens.CurrentScreen, Screen::LevelEnd);
    EXPECT_EQ(game.world.play.EndScreenTime, 2000);
    LevelEndTick(game, 1);
    EXPECT_EQ(game.screens.CurrentScreen, Screen::GameFinished);
    EXPECT_EQ(game.players.PlayerLevels[2], 5);
    EXPECT_EQ(game.world.play.CurrentLevel, 6);
    EXPECT_EQ(game.world.play.EndScreenTime, 0);
    EXPECT_FALSE(game.world.play.ExitReached);

    // An outcome of none of the three shows no picture and records nothing.
    game.world.play.LevelOutcome = 0;
    SetScreen(game, Screen::LevelEnd);
    LevelEndTick(game, 2001);
    EXPECT_NE(rig.Pixel(206, 173), GameColour("youmadeit"));
    EXPECT_NE(rig.Pixel(206, 173), GameColour("killed"));
    EXPECT_NE(rig.Pixel(206, 173), GameColour("aborted"));
    EXPECT_EQ(game.screens.CurrentScreen, Screen::PlayersLevels);
    EXPECT_EQ(game.world.play.CurrentLevel, 6);
}
