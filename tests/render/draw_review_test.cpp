// The play-field frame held against its drawing rules: random levels with pictures of every
// size, offsets reaching in from all sides and every layer are drawn by the game and by a plain
// step-by-step drawing without culling, and both frames and animations must agree; the view
// origin against its formula; counters placed by the widths of the pictures they draw; and the
// game-play tick's order and end checks.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "game/camera.h"
#include "media/picture.h"
#include "render/playfield.h"
#include "render/render_rig.h"
#include "render/status_bar.h"
#include "screens/messages.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"

namespace {

constexpr uint32_t kKey = 0xFF00FF;
constexpr int kTileCodes = 90;  // pictures 0..89: the background and the cell pictures

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

TEST(FrameReview, TheCulledFrameEqualsThePlainFrameAndEveryCellAnimatesTheSame) {
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
TEST(FrameReview, LargePicturesAndOffsetsReachInFromEverySide) {
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

TEST(FrameReview, FillerBandsForFewRowsAndFewColumnsAreIndependent) {
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

TEST(ViewOriginReview, EveryLevelSizeAndPositionFollowsTheFormula) {
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

// ---- Counters: the running position grows by the width of each picture drawn ----

int DigitWidth(int d) {
    return 9 + d;
}

PictureData Solid(const std::string& name, int w, int h, uint16_t colour) {
    PictureData p;
    p.Name = name;
    p.Width = w;
    p.Height = h;
    p.Transparent = true;
    p.TransparentColor = kKey;
    p.Rgb.assign(static_cast<size_t>(w) * h, Rgb565ToRgb(colour));
    return p;
}

// A game picture list whose digits all differ in width, with separators of other widths.
void LoadUnevenDigits(Game& game) {
    PictureLibrary library;
    library.Pictures.push_back(Solid("status", 640, 79, 0x3100));
    library.Pictures.push_back(Solid("pause", 124, 48, 0x3200));
    library.Pictures.push_back(Solid("fondlm", 160, 160, 0x3300));
    library.Pictures.push_back(Solid("explozie", 120, 120, 0x3000));
    while (library.Pictures.size() < 24)
        library.Pictures.push_back(
            Solid("spare" + std::to_string(library.Pictures.size()), 4, 4, 1));
    library.Pictures.push_back(Solid("time", 31, 20, StatusColour(24)));
    library.Pictures.push_back(Solid("infotrons", 33, 20, StatusColour(25)));
    library.Pictures.push_back(Solid("life", 17, 20, StatusColour(26)));
    library.Pictures.push_back(Solid("spare27", 4, 4, StatusColour(27)));
    library.Pictures.push_back(Solid("bombs", 29, 20, StatusColour(28)));
    for (int d = 0; d <= 9; ++d)
        library.Pictures.push_back(
            Solid("digit" + std::to_string(d), DigitWidth(d), 18, StatusColour(29 + d)));
    library.Pictures.push_back(Solid("slash", 5, 18, StatusColour(39)));
    library.Pictures.push_back(Solid("colon", 3, 18, StatusColour(40)));
    game.media.GamePictures.LoadLibrary(library);
}

// The picture whose left column is at (x, y), checked to end where its width says.
void ExpectPicture(const RenderRig& rig, int& x, int y, int index, int width) {
    EXPECT_EQ(rig.Pixel(x, y), StatusColour(index)) << "picture " << index << " at " << x;
    EXPECT_EQ(rig.Pixel(x + width - 1, y), StatusColour(index)) << "picture " << index;
    x += width;
}

void ExpectDigits(const RenderRig& rig, int& x, int y, std::initializer_list<int> digits) {
    for (int d : digits) ExpectPicture(rig, x, y, 29 + d, DigitWidth(d));
}

TEST(CounterReview, RunningPositionsGrowByEachPicturesOwnWidth) {
    RenderRig rig;
    LoadUnevenDigits(rig.game());
    rig.MakeLevel(14, 10);
    rig.PlacePlayer(60, 60);
    PlayState& play = rig.game().world.play;
    play.Bombs = 38;
    play.InfotronsGot = 107;
    play.InfotronsNeeded = 94;
    play.LevelTime = 61 * 60000 + 9999;  // 61:09
    play.Lives = 4;
    rig.Draw();

    int x = 20;
    ExpectPicture(rig, x, 442 + 5, 28, 29);
    x = 55;  // the digits start at x + 35 whatever the icon's width
    ExpectDigits(rig, x, 441, {3, 8});
    EXPECT_NE(rig.Pixel(55, 440), StatusColour(32));  // one pixel above the icon

    x = 500;
    ExpectPicture(rig, x, 425, 25, 33);
    x = 540;
    ExpectDigits(rig, x, 419, {1, 0, 7});
    ExpectPicture(rig, x, 419, 39, 5);
    ExpectDigits(rig, x, 419, {9, 4});

    x = 540;
    ExpectDigits(rig, x, 449, {6, 1});
    EXPECT_EQ(rig.Pixel(x, 447), StatusColour(40));  // three pixels above the icon
    EXPECT_NE(rig.Pixel(x, 446), StatusColour(40));
    ExpectPicture(rig, x, 447, 40, 3);
    ExpectDigits(rig, x, 449, {0, 9});

    x = 175;
    for (int i = 0; i < 4; ++i) {
        ExpectPicture(rig, x, 454, 26, 17);
        EXPECT_NE(rig.Pixel(x, 454), StatusColour(26));
        x += 5;
    }
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

TEST(LevelEndReview, ShowsItsPictureForMoreThanTwoSecondsThenRecordsTheProgress) {
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

}  // namespace
