// The bounds and orders of the player's rules and of the world update's scans, advances and
// arrivals: each case sits on the edge of one condition, so a shifted bound or test fails.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <numbers>
#include <tuple>

#include "game/explosions.h"
#include "game/game_rig.h"
#include "game/objects.h"

namespace {

// A level drawn in a test and the direction held in it.
using RowsAndKey = std::pair<std::vector<std::string>, int>;

// How far a player at rest in (row, col) of an empty 8 x 6 level drifts in one 10 ms tick with
// one drift source at (srcRow, srcCol).
double Drift(int row, int col, int srcRow, int srcCol, int tile) {
    GameRig rig(8, 6);
    rig.PlacePlayer(row, col);
    rig.Set(srcRow, srcCol, tile);
    const double x = rig.play().PlayerPosX;
    rig.Tick(10);
    return rig.play().PlayerPosX - x;
}

TEST(ReviewDrift, SourcesPullFromTheirAreasOnlyBelowRowThreeAndAwayFromTheEdges) {
    // 67: rows row-2..row, columns col-4..col-1, with col > 3 and row > 3.
    EXPECT_DOUBLE_EQ(Drift(4, 5, 2, 1, 67), 1);
    EXPECT_DOUBLE_EQ(Drift(4, 5, 4, 4, 67), 1);
    EXPECT_DOUBLE_EQ(Drift(5, 5, 2, 1, 67), 0);  // three rows up
    EXPECT_DOUBLE_EQ(Drift(4, 5, 5, 1, 67), 0);  // a row below
    EXPECT_DOUBLE_EQ(Drift(4, 5, 4, 6, 67), 0);  // on the other side
    EXPECT_DOUBLE_EQ(Drift(3, 5, 3, 1, 67), 0);  // row 3
    EXPECT_DOUBLE_EQ(Drift(4, 4, 4, 1, 67), 1);
    EXPECT_DOUBLE_EQ(Drift(4, 3, 4, 1, 67), 0);  // column 3
    // 66: rows row-2..row, columns col+1..col+3, with col < Cols - 3 (8 - 3 here) and row > 3.
    EXPECT_DOUBLE_EQ(Drift(4, 4, 4, 7, 66), -1);
    EXPECT_DOUBLE_EQ(Drift(4, 4, 2, 5, 66), -1);
    EXPECT_DOUBLE_EQ(Drift(4, 4, 4, 8, 66), 0);  // four columns away
    EXPECT_DOUBLE_EQ(Drift(4, 5, 4, 6, 66), 0);  // column Cols - 3
    EXPECT_DOUBLE_EQ(Drift(3, 4, 3, 5, 66), 0);  // row 3

    // Both at once cancel out; in motion the drift adds to the walk.
    GameRig both(8, 6);
    both.PlacePlayer(4, 4);
    both.Set(4, 1, 67);
    both.Set(4, 7, 66);
    both.Tick(10);
    EXPECT_DOUBLE_EQ(both.play().PlayerPosX, 180);
    GameRig walking(8, 6);
    walking.PlacePlayer(4, 5);
    walking.Set(3, 1, 67);
    walking.Hold(isRight);
    walking.Tick(10);
    EXPECT_DOUBLE_EQ(walking.play().PlayerPosX, 220 + 3 + 1);
}

int BlockedTips(const std::vector<std::string>& rows) {
    GameRig rig(rows);
    rig.Tick(10);
    return rig.Queued(105);
}

TEST(ReviewTips, BlockedTipBetweenTheEdgeColumnsWithTheWayOutTiles) {
    EXPECT_EQ(BlockedTips({"WWW", "W@W", "WWW"}), 1);
    EXPECT_EQ(BlockedTips({"WWW", "@WW", "WWW"}), 0);     // column 1
    EXPECT_EQ(BlockedTips({"WWW", "WW@", "WWW"}), 0);     // column Cols
    EXPECT_EQ(BlockedTips({"WWWW", "W@W.", "WWWW"}), 0);  // empty two to the right
    EXPECT_EQ(BlockedTips({"WWWW", ".W@W", "WWWW"}), 0);  // empty two to the left
    EXPECT_EQ(BlockedTips({"WWWW", "W@Wf", "WWWW"}), 1);  // two away only empty counts
    for (char free : {'i', 'l', 'f', '.', 'c', 'b'}) {
        EXPECT_EQ(BlockedTips({"WWW", std::string("W@") + free, "WWW"}), 0) << free;
        EXPECT_EQ(BlockedTips({std::string("W") + free + "W", "W@W", "WWW"}), 0) << free;
    }
    for (char shut : {'o', 'r', 'x', 'E'}) {
        EXPECT_EQ(BlockedTips({"WWW", std::string("W@") + shut, "WWW"}), 1) << shut;
    }
}

TEST(ReviewTraps, ATrapThrowsTwoCellsBackAndForgetsTheHeldDirection) {
    struct Case {
        int trap, held, state;
        double targetX, targetY;
    };
    // From (3, 3), centre (140, 140), holding the direction that entered the trap.
    for (const Case& k : {Case{25, isUp, msDown, 0, 220}, Case{24, isDown, msUp, 0, 60},
                          Case{23, isLeft, msRight, 220, 0}, Case{26, isRight, msLeft, 60, 0}}) {
        GameRig rig(5, 5);
        rig.PlacePlayer(3, 3);
        rig.Set(3, 3, k.trap);
        rig.Hold(k.held);
        rig.Tick(10);
        EXPECT_EQ(rig.play().MoveState, k.state) << k.trap;
        if (k.targetX != 0) {
            EXPECT_EQ(rig.play().TargetPosX, k.targetX) << k.trap;
        } else {
            EXPECT_EQ(rig.play().TargetPosY, k.targetY) << k.trap;
        }
        EXPECT_EQ(rig.play().Lives, 2);
        EXPECT_EQ(rig.play().ExplosionCount, 1);
        EXPECT_EQ(rig.Tile(3, 3), k.trap);
    }
    // Traps are walked into only from their open side.
    struct Entry {
        int trap, held, dRow, dCol;
        bool walks;
    };
    for (const Entry& e : {Entry{25, isUp, -1, 0, true}, Entry{24, isDown, 1, 0, true},
                           Entry{23, isLeft, 0, -1, true}, Entry{26, isRight, 0, 1, true},
                           Entry{24, isUp, -1, 0, false}, Entry{25, isDown, 1, 0, false},
                           Entry{26, isLeft, 0, -1, false}, Entry{23, isRight, 0, 1, false}}) {
        GameRig rig(3, 3);
        rig.PlacePlayer(2, 2);
        rig.Set(2 + e.dRow, 2 + e.dCol, e.trap);
        rig.Hold(e.held);
        rig.Tick(10);
        EXPECT_EQ(rig.play().MoveState != msRest, e.walks) << e.trap << " " << e.held;
    }
}

TEST(ReviewPorts, NoJumpWhenTheCellBeyondIsTheBorder) {
    for (const auto& [rows, held] : {RowsAndKey{{"^", "@", "."}, isUp},
                                     {{".", "@", "v"}, isDown},
                                     {{"<@."}, isLeft},
                                     {{".@>"}, isRight}}) {
        GameRig rig(rows);
        rig.Hold(held);
        rig.Tick(10);
        EXPECT_EQ(rig.play().MoveState, msRest) << held;
    }
    for (const auto& [rows, held] : {RowsAndKey{{".", "^", "@"}, isUp},
                                     {{"@", "v", "."}, isDown},
                                     {{".<@"}, isLeft},
                                     {{"@>."}, isRight}}) {
        GameRig rig(rows);
        const int row = rig.PlayerRow(), col = rig.PlayerCol();
        rig.Hold(held);
        rig.Tick(10);
        EXPECT_NE(rig.play().MoveState, msRest) << held;
        rig.Hold(-1);
        rig.TicksUntilRest(10);
        EXPECT_EQ(std::abs(rig.PlayerRow() - row) + std::abs(rig.PlayerCol() - col), 2) << held;
    }
}

TEST(ReviewEating, EatingAnimationsOfEachCircuitAndDirection) {
    const int held[] = {isRight, isLeft, isUp, isDown};
    const int dRow[] = {0, 0, -1, 1}, dCol[] = {1, -1, 0, 0};
    for (int circuit = 16; circuit <= 18; ++circuit) {
        for (int d = 0; d < 4; ++d) {
            GameRig rig(3, 3);
            rig.PlacePlayer(2, 2);
            rig.Set(2 + dRow[d], 2 + dCol[d], circuit);
            rig.Hold(held[d]);
            rig.Tick(10);
            EXPECT_EQ(rig.Tile(2 + dRow[d], 2 + dCol[d]), 70 + 4 * (circuit - 16) + d);
        }
    }
}

TEST(ReviewEating, EatingInPlaceRestartsThePhaseAndHoldsTheFirstPattern) {
    GameRig rig({"@c"}, 300);
    rig.level().Cells[1][2].Phase = 2.5;
    rig.game().input.SnapKey = true;
    rig.Hold(isRight);
    rig.Tick(10);
    EXPECT_EQ(rig.Tile(1, 2), 7);
    EXPECT_DOUBLE_EQ(rig.level().Cells[1][2].Phase, 10 * 300 / 6000.0);
    EXPECT_EQ(rig.play().SnapCol, 2);
    EXPECT_EQ(rig.play().SnapRow, 1);
    EXPECT_EQ(rig.PictureName(), "balld");
    EXPECT_EQ(rig.player().PatternPos, 0);
    EXPECT_FALSE(rig.player().Looping);
    // With Space held, empty space and floor are not eaten and the player does not walk.
    for (char n : {'.', 'f'}) {
        GameRig stay({std::string("@") + n});
        stay.game().input.SnapKey = true;
        stay.Hold(isRight);
        stay.Tick(10);
        EXPECT_EQ(stay.play().MoveState, msRest);
        EXPECT_EQ(stay.PictureName(), "ball");
    }
}

TEST(ReviewMovement, VerticalPushesAndSnappingToTheTargetCell) {
    // Pushing up or down: Speed / 1500, so 300 ms a cell at Speed 200 (2 px per 15 ms tick).
    for (const auto& [rows, held] :
         {RowsAndKey{{".", "r", "@"}, isUp}, {{"@", "r", ".", "W"}, isDown}}) {
        GameRig rig(rows, 200);
        rig.Hold(held);
        rig.Tick(15);
        rig.Hold(-1);
        EXPECT_EQ(rig.TicksUntilRest(15), 19);
        EXPECT_EQ(rig.player().PatternPos, 1);
        EXPECT_EQ(rig.PictureName(), held == isUp ? "ballsus" : "balljos");
    }
    // A move that starts off-centre ends in the centre of the target's cell.
    GameRig rig({"@.."});
    rig.play().PlayerPosX = 65;
    rig.Hold(isRight);
    rig.Tick(10);
    rig.Hold(-1);
    EXPECT_EQ(rig.play().TargetPosX, 105);
    rig.TicksUntilRest(10);
    EXPECT_EQ(rig.play().PlayerPosX, 100);
    EXPECT_EQ(rig.player().X, 80);
}

TEST(ReviewMovement, PlayerPositionIsTruncatedAndTheSpriteSitsAroundIt) {
    GameRig rig(8, 6);
    rig.PlacePlayer(4, 5);
    rig.Set(4, 1, 67);
    rig.Tick(7);  // 0.7 px
    EXPECT_DOUBLE_EQ(rig.play().PlayerPosX, 220.7);
    EXPECT_EQ(rig.play().PlayerX, 220);
    EXPECT_DOUBLE_EQ(rig.player().X, 200.7);
    EXPECT_DOUBLE_EQ(rig.player().Y, 160);
}

TEST(ReviewCellClearing, AThrowClearsWhatItPassesExceptTheKeptTiles) {
    // Trap 23 in column 2 throws the player right through column 3 into column 4.
    struct Case {
        int tile;
        bool kept;
    };
    for (const Case& k : {Case{30, false}, Case{14, false}, Case{63, false}, Case{13, false},
                          Case{11, true}, Case{65, true}, Case{49, true}, Case{52, true},
                          Case{25, true}, Case{70, true}, Case{81, true}}) {
        GameRig rig({"..1..."});
        rig.PlacePlayer(1, 3);
        rig.Set(1, 4, k.tile);
        rig.play().BlastGuard = true;
        rig.Tick(10);
        rig.TicksUntilRest(10);
        EXPECT_EQ(rig.PlayerCol(), 5) << k.tile;
        EXPECT_EQ(rig.Tile(1, 4), k.kept ? k.tile : 15) << k.tile;
    }
}

TEST(ReviewPictures, VuzodaPicturesForEveryMove) {
    struct Case {
        std::vector<std::string> rows;
        int held;
        const char* picture;
        double pattern;
    };
    for (const Case& k : {Case{{"@o."}, isRight, "eddied", 0}, Case{{".o@"}, isLeft, "eddies", 0},
                          Case{{"@", "r", ".", "W"}, isDown, "eddiejos", 1},
                          Case{{".", "r", "@"}, isUp, "eddiesus", 1}}) {
        GameRig rig(k.rows);
        rig.game().settings.Character = 0;
        rig.Hold(k.held);
        rig.Tick(10);
        EXPECT_EQ(rig.PictureName(), k.picture);
        EXPECT_EQ(rig.player().PatternPos, k.pattern) << k.picture;
        EXPECT_FALSE(rig.player().Looping) << k.picture;
    }
    GameRig rig({"@.."});
    rig.game().settings.Character = 0;
    rig.Hold(isRight);
    rig.Tick(10);
    EXPECT_EQ(rig.PictureName(), "eddied");
    EXPECT_EQ(rig.player().PatternCount, 2);
    EXPECT_TRUE(rig.player().Looping);
    EXPECT_EQ(rig.player().PatternSpeed, 0.01);
    rig.Hold(-1);
    rig.TicksUntilRest(10);
    rig.Tick(10);
    EXPECT_EQ(rig.PictureName(), "vivuz");
    EXPECT_EQ(rig.player().PatternCount, 1);
    EXPECT_FALSE(rig.player().Looping);
}

TEST(ReviewCollecting, MessagesOfInfotronsLivesBombsAndHits) {
    for (int level : {1, 2, 3}) {
        GameRig rig(3, 3);
        rig.play().CurrentLevel = level;
        rig.play().InfotronsNeeded = 2;
        CollectInfotron(rig.game().world, rig.game().events);
        EXPECT_EQ(rig.game().messages.MessageCount, 0);
        CollectInfotron(rig.game().world, rig.game().events);
        CollectInfotron(rig.game().world,
                        rig.game().events);  // beyond the quota: no second message
        EXPECT_EQ(rig.Queued(level == 1 ? 115 : level == 2 ? 116 : 117), 1);
        EXPECT_EQ(rig.game().messages.MessageCount, 1);
    }
    GameRig rig(3, 3);
    CollectBomb(rig.game().world, rig.game().events);
    CollectBomb(rig.game().world, rig.game().events);
    EXPECT_EQ(rig.Queued(112), 1);
    EXPECT_EQ(rig.Queued(118), 1);
    rig.play().Lives = 5;
    CollectLife(rig.game().world, rig.game().events);
    EXPECT_EQ(rig.play().Lives, 6);
    EXPECT_EQ(rig.Queued(111), 1);
    rig.play().BlastGuard = true;
    PlayerHit(rig.game().world, rig.game().events, 1, 1);
    EXPECT_EQ(rig.play().Lives, 6);
    EXPECT_EQ(rig.play().ExplosionCount, 0);
    EXPECT_EQ(rig.Queued(113), 0);
}

TEST(ReviewTerminals, DetonateNearbyReachesTenCellsEachWay) {
    GameRig rig(24, 24);
    // In reach: (2, 22) and (22, 2); out of reach: one cell further on each axis. None of them
    // is within a blast of another.
    for (auto [row, col] : {std::pair{2, 22}, {22, 2}, {1, 12}, {12, 23}, {23, 12}, {12, 1}}) {
        rig.Set(row, col, row == 22 ? 22 : 21);
    }
    DetonateNearby(rig.game().world, rig.game().events, 12, 12);
    EXPECT_EQ(rig.Tile(2, 22), 15);
    EXPECT_EQ(rig.Tile(22, 2), 15);
    EXPECT_EQ(rig.Tile(1, 12), 21);
    EXPECT_EQ(rig.Tile(12, 23), 21);
    EXPECT_EQ(rig.Tile(23, 12), 21);
    EXPECT_EQ(rig.Tile(12, 1), 21);
}

TEST(ReviewExit, OnlyTheCellDirectlyAboveIsTheExit) {
    for (const auto& rows : {std::vector<std::string>{"@E"}, std::vector<std::string>{"E@"},
                             std::vector<std::string>{"@", "E"}}) {
        GameRig rig(rows);
        rig.Ticks(3, 10);
        EXPECT_FALSE(rig.play().ExitReached);
    }
    // Passing under the exit holding a direction: the tick at rest in between reaches it.
    GameRig rig({".E.", "@.."});
    rig.Hold(isRight);
    rig.Ticks(30, 10);
    EXPECT_TRUE(rig.play().ExitReached);
    EXPECT_EQ(rig.PlayerCol(), 3);
}

// ---- The world update, run on its own with the player's cell set by hand.

struct ScanCase {
    std::vector<std::string> rows;
    int flag;  // the push flag the case raises: kNoPush, or isUp..isRight
    int srcRow, srcCol, destRow, destCol, path, tile, frames;
};

constexpr int kNoPush = -1;

bool& PushFlag(PlayState& p, int flag) {
    if (flag == isUp) return p.PushUp;
    if (flag == isDown) return p.PushDown;
    if (flag == isLeft) return p.PushLeft;
    return p.PushRight;
}

TEST(ReviewScans, EveryScanRecordsItsPathTileFramesAndFirstAdvance) {
    const ScanCase cases[] = {
        {{"i@", "..", "WW"}, kNoPush, 1, 1, 2, 1, 0, 12, 1},
        {{"y@", "..", "WW"}, kNoPush, 1, 1, 2, 1, 0, 22, 1},
        {{"@o.", "WW.", "WWW"}, isRight, 1, 2, 2, 3, 1, 20, 9},
        {{".o@", ".WW", "WWW"}, isLeft, 1, 2, 2, 1, 2, 10, 9},
        {{"@r.", "WWW"}, isRight, 1, 2, 1, 3, 4, 21, 1},
        {{"@y.", "WWW"}, isRight, 1, 2, 1, 3, 4, 22, 1},
        {{".y@", "WWW"}, isLeft, 1, 2, 1, 1, 5, 22, 1},
        {{".", "r", "@"}, isUp, 2, 1, 1, 1, 6, 21, 1},
        {{"@", "r", ".", "W"}, isDown, 2, 1, 3, 1, 0, 21, 1},
        {{"@o.", "WWW"}, isRight, 1, 2, 1, 3, 4, 20, 9},
        {{".o@", "WWW"}, isLeft, 1, 2, 1, 1, 5, 10, 9},
        {{".o.@", ".i.W", "WWWW"}, kNoPush, 1, 2, 2, 3, 1, 20, 9},
        {{".i.@", ".o.W", "WWWW"}, kNoPush, 1, 2, 2, 3, 1, 12, 9},
        {{"..o.@", "..oW.", "WWWWW"}, kNoPush, 1, 3, 2, 2, 2, 10, 9},
        {{"..i.@", "..oW.", "WWWWW"}, kNoPush, 1, 3, 2, 2, 2, 9, 9},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const ScanCase& k = cases[i];
        GameRig rig(k.rows);
        // Without its flag a push starts nothing.
        MoveObjects(rig.game().world, rig.game().events, 10);
        if (k.flag != kNoPush) {
            ASSERT_EQ(rig.play().FallCount, 0) << i;
            PushFlag(rig.play(), k.flag) = true;
            MoveObjects(rig.game().world, rig.game().events, 10);
        }
        ASSERT_EQ(rig.play().FallCount, 1) << i;
        const Mover& m = rig.play().FallList[1];
        EXPECT_EQ(m.Path, k.path) << i;
        EXPECT_EQ(m.Tile, k.tile) << i;
        EXPECT_EQ(m.Frames, k.frames) << i;
        EXPECT_EQ(m.SrcRow * 100 + m.SrcCol, k.srcRow * 100 + k.srcCol) << i;
        EXPECT_EQ(m.DestRow * 100 + m.DestCol, k.destRow * 100 + k.destCol) << i;
        EXPECT_EQ(rig.Tile(k.srcRow, k.srcCol), 11) << i;
        EXPECT_EQ(rig.Tile(k.destRow, k.destCol), 11) << i;
        EXPECT_EQ(m.TargetX, 40 * k.destCol) << i;
        EXPECT_EQ(m.TargetY, 40 * k.destRow) << i;
        // One advance of 10 ms at Speed 300: 2 px, the angle 0.06 less on every path.
        const bool fast = k.tile == 20 || k.tile == 21;
        EXPECT_DOUBLE_EQ(m.Frame, 10 * 300.0 / (fast ? 14000 : 20000)) << i;
        const double x0 = 40 * k.srcCol, y0 = 40 * k.srcRow;
        if (k.path == 1 || k.path == 2) {
            const double angle = std::numbers::pi / 2 - 0.06;
            EXPECT_DOUBLE_EQ(m.Angle, angle) << i;
            EXPECT_EQ(m.OriginX, x0) << i;
            EXPECT_EQ(m.OriginY, y0) << i;
            const double sign = k.path == 1 ? 1 : -1;
            EXPECT_DOUBLE_EQ(m.X, x0 + sign * 41 * std::cos(angle)) << i;
            EXPECT_DOUBLE_EQ(m.Y, 40 * k.destRow - 41 * std::sin(angle)) << i;
        } else {
            EXPECT_DOUBLE_EQ(m.Angle, -0.06) << i;
            const double dx[] = {0, 0, 0, 0, 2, -2, 0}, dy[] = {2, 0, 0, 0, 0, 0, -2};
            EXPECT_DOUBLE_EQ(m.X, x0 + dx[k.path]) << i;
            EXPECT_DOUBLE_EQ(m.Y, y0 + dy[k.path]) << i;
        }
    }
}

TEST(ReviewScans, PlayerCellsThatHoldBackFallsAndRolls) {
    // A fall waits while the player is in the object's cell or the one below.
    for (auto [row, col, moves] : {std::tuple{1, 1, false}, {2, 1, false}, {1, 2, true}}) {
        GameRig rig({"i.", "..", "WW"});
        rig.PlacePlayer(row, col);
        MoveObjects(rig.game().world, rig.game().events, 10);
        EXPECT_EQ(rig.play().FallCount, moves ? 1 : 0) << row << col;
    }
    // A roll waits while the player is in any of its four cells.
    for (auto [row, col, moves] :
         {std::tuple{1, 1, false}, {1, 2, false}, {2, 1, false}, {2, 2, false}, {1, 3, true}}) {
        GameRig right({"o..", "o..", "WWW"});
        right.PlacePlayer(row, col);
        MoveObjects(right.game().world, right.game().events, 10);
        EXPECT_EQ(right.play().FallCount, moves ? 1 : 0) << row << col;
        GameRig left({"..o", "..o", "WWW"});
        left.PlacePlayer(row, 4 - col);
        MoveObjects(left.game().world, left.game().events, 10);
        EXPECT_EQ(left.play().FallCount, moves ? 1 : 0) << row << 4 - col;
    }
}

TEST(ReviewAdvance, PlayerHitWindowAroundThePlayersCentre) {
    // A ball falls from (1, 1) into (2, 1), ending with its top at y 80.
    struct Case {
        int playerX, playerY;
        bool hit;
    };
    for (const Case& k :
         {Case{60, 140, true}, Case{59, 140, true}, Case{61, 140, true}, Case{58, 140, false},
          Case{62, 140, false}, Case{60, 144, true}, Case{60, 145, false}}) {
        GameRig rig({"o.", "..", "..", "WW"});
        rig.play().PlayerX = k.playerX;
        rig.play().PlayerY = k.playerY;
        for (int i = 0; i < 25; ++i) MoveObjects(rig.game().world, rig.game().events, 10);
        EXPECT_EQ(rig.play().ExplosionCount, k.hit ? 1 : 0) << k.playerX << "," << k.playerY;
        EXPECT_EQ(rig.play().Lives, k.hit ? 2 : 3) << k.playerX << "," << k.playerY;
    }
}

TEST(ReviewAdvance, LandingSoundFlagSetOnApproachAndClearedOnlyForTheFirstFreeEntry) {
    GameRig rig({"o.", "..", "W@"});
    rig.play().FallList[1].LandSound = 1;  // left over from an earlier move
    MoveObjects(rig.game().world, rig.game().events, 10);
    EXPECT_EQ(rig.play().FallList[1].LandSound, 0);
    for (int i = 2; i <= 17; ++i) MoveObjects(rig.game().world, rig.game().events, 10);
    EXPECT_EQ(rig.play().FallList[1].Y, 74);
    EXPECT_EQ(rig.play().FallList[1].LandSound, 0);
    MoveObjects(rig.game().world, rig.game().events, 10);  // y 76: within 5 px of the target
    EXPECT_EQ(rig.play().FallList[1].LandSound, 1);
    EXPECT_EQ(rig.play().FallCount, 1);

    // Two moves starting in one tick: only the first free entry has its flag cleared.
    GameRig two({"o.o", "...", "W@W"});
    two.play().FallList[1].LandSound = 1;
    two.play().FallList[2].LandSound = 1;
    MoveObjects(two.game().world, two.game().events, 10);
    ASSERT_EQ(two.play().FallCount, 2);
    EXPECT_EQ(two.play().FallList[1].LandSound, 0);
    EXPECT_EQ(two.play().FallList[2].LandSound, 1);
}

TEST(ReviewAdvance, PushedDynamiteCrushesAMonsterBelowItsTargetAtOnce) {
    GameRig crawl({"@r.", "W.N"});
    crawl.play().PushRight = true;
    MoveObjects(crawl.game().world, crawl.game().events, 10);
    EXPECT_EQ(crawl.level().MonsterCount, 0);
    EXPECT_EQ(crawl.Tile(2, 3), 12);

    GameRig turn({".y@", "MW."});
    turn.play().PushLeft = true;
    MoveObjects(turn.game().world, turn.game().events, 10);
    EXPECT_EQ(turn.level().MonsterCount, 0);
    EXPECT_EQ(turn.play().ExplosionCount, 1);

    // A monster below the cell being left is not in the target column.
    GameRig aside({"@r.", "WNW"});
    aside.play().PushRight = true;
    MoveObjects(aside.game().world, aside.game().events, 10);
    EXPECT_EQ(aside.level().MonsterCount, 1);
}

TEST(ReviewArrivals, FrameBaseClearedAndDynamiteSetOffOnlyByLandings) {
    GameRig fall({"i@", "..", "WW"});
    fall.level().Cells[2][1].FrameBase = 3;
    for (int i = 0; i < 20; ++i) MoveObjects(fall.game().world, fall.game().events, 10);
    EXPECT_EQ(fall.Tile(2, 1), 12);
    EXPECT_EQ(fall.level().Cells[2][1].FrameBase, 0);

    // A ball sliding onto a cell above dynamite leaves it; rolling down onto it sets it off.
    GameRig slide({"@o.", "WWr"});
    slide.play().PushRight = true;
    for (int i = 0; i < 30; ++i) MoveObjects(slide.game().world, slide.game().events, 10);
    EXPECT_EQ(slide.Tile(1, 3), 20);
    EXPECT_EQ(slide.Tile(2, 3), 21);
    EXPECT_EQ(slide.play().ExplosionCount, 0);
    GameRig roll({"@o.", "WW.", "WWr"});
    roll.play().PushRight = true;
    for (int i = 0; i < 30; ++i) MoveObjects(roll.game().world, roll.game().events, 10);
    ASSERT_GE(roll.play().ExplosionCount, 1);
    EXPECT_EQ(roll.play().Explosions[1].Row, 3);
    EXPECT_EQ(roll.play().Explosions[1].Col, 3);

    // Yellow dynamite falling onto a reserved cell does not explode.
    GameRig busy({"y@", "..", "x."});
    for (int i = 0; i < 20; ++i) MoveObjects(busy.game().world, busy.game().events, 10);
    EXPECT_EQ(busy.Tile(2, 1), 22);
    EXPECT_EQ(busy.play().ExplosionCount, 0);
}

}  // namespace
