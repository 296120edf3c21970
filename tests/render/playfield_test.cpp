// The play field's frame: view origin, filler bands, the three tile passes with their animation,
// culling at the screen's edges, and the moving things drawn relative to the engine's origin.
#include "render/playfield.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "game/camera.h"
#include "render/render_rig.h"

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
