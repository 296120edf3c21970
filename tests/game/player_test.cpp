// The player's move step: speeds, eating, collecting, the exit, traps, ports, terminals, the
// hazard, drift, the dying pause, bombs and the pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <numbers>
#include <tuple>

#include "game/explosions.h"
#include "game/game_rig.h"
#include "game/objects.h"

namespace {

TEST(PlayerSpeed, StepsAndPushesTakeTheirTimesAtSpeed200) {
    // Walking: 200 ms a cell; the move advances in the tick that starts it.
    GameRig walk({"@  "}, 200);
    walk.Hold(isRight);
    walk.Ticks(19, 10);
    EXPECT_EQ(walk.play().MoveState, msRight);
    EXPECT_EQ(walk.PictureName(), "balld");
    walk.Hold(-1);
    walk.Tick(10);
    EXPECT_EQ(walk.play().MoveState, msRest);
    EXPECT_EQ(walk.play().PlayerPosX, 100);
    walk.Tick(10);
    EXPECT_EQ(walk.PictureName(), "ball");

    // Pushing right: Speed / 1500, 300 ms (steps of exactly 2 px with lag 15).
    GameRig right({"@O  "}, 200);
    right.Hold(isRight);
    right.Tick(15);
    right.Hold(-1);
    EXPECT_EQ(right.play().MoveState, msPushRight);
    EXPECT_EQ(right.PictureName(), "ballid");
    EXPECT_EQ(right.TicksUntilRest(15), 19);
    EXPECT_EQ(right.play().PlayerPosX, 100);

    // Pushing left: (Speed - 100) / 1000, 400 ms.
    GameRig left({"  O@"}, 200);
    left.Hold(isLeft);
    left.Tick(10);
    left.Hold(-1);
    EXPECT_EQ(left.play().MoveState, msPushLeft);
    EXPECT_EQ(left.PictureName(), "ballis");
    EXPECT_EQ(left.TicksUntilRest(10), 39);
    EXPECT_EQ(left.play().PlayerPosX, 140);
}

TEST(PlayerEating, EatingInPlaceTakes120msAndNothingMoves) {
    GameRig rig({"@: +"}, 200);
    rig.game().input.SnapKey = true;
    rig.Hold(isRight);
    rig.Ticks(11, 10);
    EXPECT_EQ(rig.play().MoveState, msSnap);
    EXPECT_EQ(rig.Tile(1, 2), tcCircuitEatenInPlace);
    rig.Ticks(2, 10);
    EXPECT_EQ(rig.play().MoveState, msRest);
    EXPECT_EQ(rig.Tile(1, 2), tcEmpty);
    EXPECT_EQ(rig.play().PlayerPosX, 60);

    // An infotron is counted at once; a life is not eaten this way and nothing happens.
    GameRig info({"@o"}, 200);
    info.game().input.SnapKey = true;
    info.Hold(isRight);
    info.Tick(10);
    EXPECT_EQ(info.Tile(1, 2), tcInfotronEatenInPlace);
    EXPECT_EQ(info.play().InfotronsGot, 1);
    // A bomb is counted at once and stays until the eating ends.
    GameRig bomb({"@b"}, 200);
    bomb.game().input.SnapKey = true;
    bomb.Hold(isRight);
    bomb.Tick(10);
    EXPECT_EQ(bomb.play().Bombs, 1);
    EXPECT_EQ(bomb.Tile(1, 2), tcBomb);
    EXPECT_EQ(bomb.Queued(112), 1);
    bomb.Hold(-1);
    bomb.Ticks(12, 10);
    EXPECT_EQ(bomb.Tile(1, 2), tcEmpty);
    EXPECT_EQ(bomb.play().Bombs, 1);
    GameRig life({"+@"}, 200);
    life.game().input.SnapKey = true;
    life.Hold(isLeft);
    life.Tick(10);
    EXPECT_EQ(life.play().MoveState, msRest);
    EXPECT_EQ(life.Tile(1, 1), tcLife);
    EXPECT_EQ(life.play().Lives, 3);
}

TEST(PlayerEating, SpaceChangesOnlyTheWalkableTiles) {
    // Ports, pushes and terminals work the same with Space held.
    GameRig port({"@Ro "});
    port.game().input.SnapKey = true;
    port.Hold(isRight);
    port.Tick(10);
    EXPECT_EQ(port.play().MoveState, msRight);
    EXPECT_EQ(port.play().InfotronsGot, 1);
    EXPECT_EQ(port.Tile(1, 3), tcInfotron);  // taken when the centre enters the cell, not eaten
    GameRig push({" O@"});
    push.game().input.SnapKey = true;
    push.Hold(isLeft);
    push.Tick(10);
    EXPECT_EQ(push.play().MoveState, msPushLeft);
    EXPECT_TRUE(push.play().PushLeft);
    GameRig terminal({"r", "@", "T"});
    terminal.game().input.SnapKey = true;
    terminal.Hold(isDown);
    terminal.Tick(10);
    EXPECT_EQ(terminal.Tile(1, 1), tcEmpty);
    EXPECT_EQ(terminal.play().MoveState, msRest);
}

TEST(PlayerEating, WalkingIntoCircuitsAndCollectables) {
    GameRig circuit({":", "@"});
    circuit.Hold(isUp);
    circuit.Tick(10);
    EXPECT_EQ(circuit.Tile(1, 1), 72);  // circuit 16 eaten moving up
    EXPECT_EQ(circuit.play().MoveState, msUp);

    GameRig info({"@", "o"});
    info.Hold(isDown);
    info.Tick(10);
    EXPECT_EQ(info.play().InfotronsGot, 1);  // counted when the move starts
    EXPECT_EQ(info.Tile(2, 1), tcInfotron);  // taken when the centre enters the cell
    info.Hold(-1);
    info.Ticks(6, 10);  // the centre crosses into row 2 in the seventh tick
    EXPECT_EQ(info.Tile(2, 1), tcInfotron);
    info.Tick(10);
    EXPECT_EQ(info.Tile(2, 1), tcEmpty);
    EXPECT_EQ(info.play().InfotronsGot, 1);

    // A seventh life is refused with message 110; the tile still disappears.
    GameRig six({"@+"});
    six.play().Lives = 6;
    six.Hold(isRight);
    six.Tick(10);
    six.Hold(-1);
    six.Ticks(30, 10);
    EXPECT_EQ(six.play().Lives, 6);
    EXPECT_EQ(six.Queued(110), 1);
    EXPECT_EQ(six.Tile(1, 2), tcEmpty);
}

TEST(PlayerExit, ClosedExitTipsOnceAndOpenExitEndsTheLevelOnce) {
    GameRig closed({"E", "@"});
    closed.play().InfotronsNeeded = 1;
    closed.Ticks(20, 10);
    EXPECT_EQ(closed.Queued(103), 1);
    EXPECT_FALSE(closed.play().ExitReached);

    GameRig open({"E", "@"});
    const bool sounds = open.CountSounds();
    open.play().InfotronsNeeded = 2;
    open.play().InfotronsGot = 2;
    open.Ticks(20, 10);
    EXPECT_TRUE(open.play().ExitReached);
    EXPECT_EQ(open.play().LevelOutcome, 1);
    EXPECT_EQ(open.Queued(103), 0);
    if (sounds) {
        EXPECT_EQ(open.Plays("termina"), 1);
    }
}

TEST(PlayerTraps, ThrownTwoCellsBackAndALifeLostUnlessGuarded) {
    // Entering trap 25 moving up: at rest in it, the player is thrown two cells down.
    GameRig rig({" ", "^", "@", " ", " "});
    rig.Hold(isUp);
    rig.Tick(10);
    rig.Hold(-1);
    rig.TicksUntilRest(10);
    EXPECT_EQ(rig.PlayerRow(), 2);
    EXPECT_EQ(rig.play().Lives, 3);
    rig.Tick(10);
    EXPECT_EQ(rig.play().Lives, 2);
    EXPECT_TRUE(rig.play().PlayerDying);
    EXPECT_EQ(rig.play().MoveState, msDown);
    EXPECT_EQ(rig.play().TargetPosY, 40 * 4 + 20);
    EXPECT_EQ(rig.Queued(113), 1);
    // Frozen for just over 100 ms, then the throw goes on from the same place.
    const double y = rig.play().PlayerPosY;
    rig.Ticks(10, 10);
    EXPECT_TRUE(rig.play().PlayerDying);
    EXPECT_EQ(rig.play().PlayerPosY, y);
    rig.Tick(10);
    EXPECT_FALSE(rig.play().PlayerDying);
    rig.TicksUntilRest(10);
    EXPECT_EQ(rig.PlayerRow(), 4);
    EXPECT_EQ(rig.Tile(2, 1), tcTrapUp);

    GameRig guarded({"@", "^", " "});
    guarded.PlacePlayer(2, 1);
    guarded.play().BlastGuard = true;
    guarded.Tick(10);
    EXPECT_EQ(guarded.play().MoveState, msDown);
    EXPECT_EQ(guarded.play().Lives, 3);
    EXPECT_FALSE(guarded.play().PlayerDying);
}

TEST(PlayerTraps, ThrowsEndAtTheLastInteriorCell) {
    // Trap 26 in column 2 throws left by two cells: the throw stops in column 1.
    GameRig rig({" > "});
    rig.PlacePlayer(1, 2);
    rig.play().BlastGuard = true;
    rig.Tick(10);
    EXPECT_EQ(rig.play().TargetPosX, 60);
    rig.TicksUntilRest(10);
    EXPECT_EQ(rig.play().PlayerPosX, 60);
    EXPECT_EQ(rig.Tile(1, 0), tcBorderVertical);
    // Trap 25 in the last row throws down: it stays in the last row.
    GameRig down({" ", "^"});
    down.PlacePlayer(2, 1);
    down.play().BlastGuard = true;
    down.Tick(10);
    EXPECT_EQ(down.play().TargetPosY, 100);
    down.TicksUntilRest(10);
    EXPECT_EQ(down.PlayerRow(), 2);
    EXPECT_EQ(down.Tile(3, 1), tcBorderHorizontal);
}

TEST(PlayerPorts, JumpOnlyWithoutLooseObjectsBeyondAndCollectWhatLiesThere) {
    for (char beyond : {'O', 'r', 'y'}) {
        GameRig blocked({std::string("@R") + beyond + " "});
        blocked.Hold(isRight);
        blocked.Tick(10);
        EXPECT_EQ(blocked.play().MoveState, msRest) << beyond;
        EXPECT_EQ(blocked.PictureName(), "ball");
    }
    GameRig rig({"@Ro "});
    rig.Hold(isRight);
    rig.Tick(10);
    EXPECT_EQ(rig.play().MoveState, msRight);
    EXPECT_EQ(rig.play().TargetPosX, 60 + 80);
    EXPECT_EQ(rig.play().InfotronsGot, 1);
    rig.Hold(-1);
    rig.TicksUntilRest(10);
    EXPECT_EQ(rig.PlayerCol(), 3);
    EXPECT_EQ(rig.Tile(1, 2), tcPortRight);
    // A port next to the last column leads nowhere.
    GameRig edge({" @R"});
    edge.Hold(isRight);
    edge.Tick(10);
    EXPECT_EQ(edge.play().MoveState, msRest);
    // Up and down ports need two rows beyond the player inside the level.
    GameRig up({"o", "U", "@"});
    up.Hold(isUp);
    up.Tick(10);
    EXPECT_EQ(up.play().MoveState, msUp);
    EXPECT_EQ(up.play().InfotronsGot, 1);
}

TEST(PlayerTerminals, TerminalWorksEveryWayOneShotOnlyDownward) {
    GameRig rig({"r T y", " T@T ", "  t  "});
    for (int dir : {isLeft, isRight, isUp}) {
        rig.Hold(dir);
        rig.Tick(10);
        EXPECT_EQ(rig.Tile(3, 3), tcOneShotTerminal);
    }
    EXPECT_EQ(rig.Tile(1, 1), tcEmpty);  // the first press set both dynamites off
    EXPECT_EQ(rig.Tile(1, 5), tcEmpty);
    EXPECT_EQ(rig.play().ExplosionCount, 2);
    rig.Set(1, 1, tcRedDynamite);
    rig.Hold(isUp);
    rig.Tick(10);
    EXPECT_EQ(rig.Tile(1, 1), tcEmpty);  // and again
    rig.Set(1, 1, tcRedDynamite);
    rig.Hold(isDown);
    rig.Tick(10);
    EXPECT_EQ(rig.Tile(3, 3), tcUsedTerminal);
    EXPECT_EQ(rig.Tile(1, 1), tcEmpty);
    rig.Set(1, 1, tcRedDynamite);
    rig.Tick(10);
    EXPECT_EQ(rig.Tile(1, 1), tcRedDynamite);  // a used terminal does nothing
}

TEST(PlayerHazard, HurtsOnlyInsideItsPhaseWindowAndIsEnteredLate) {
    for (double phase : {1.5, 3.0, 5.9, 6.5}) {
        GameRig rig({" h "});
        rig.PlacePlayer(1, 2);
        rig.level().Cells[1][2].Phase = phase;
        rig.Tick(10);
        const bool hurt = phase > 2 && phase < 6;
        EXPECT_EQ(rig.play().Lives, hurt ? 2 : 3) << phase;
    }
    GameRig walk({"@h"});
    walk.Hold(isRight);
    walk.Tick(10);
    EXPECT_EQ(walk.play().MoveState, msRest);
    walk.level().Cells[1][2].Phase = 6.5;
    walk.Tick(10);
    EXPECT_EQ(walk.play().MoveState, msRight);
}

TEST(PlayerDrift, PullsWithoutChecksAndStopsAtTheLastInteriorCell) {
    // 67 up to four columns to the left pulls right at 0.1 px per ms, walls or not.
    GameRig rig({"      ", "      ", "      ", "]  @X "});
    rig.Tick(10);
    EXPECT_DOUBLE_EQ(rig.play().PlayerPosX, 180 + 1);
    GameRig far({"      ", "      ", "      ", "]    @"});
    far.Tick(10);
    EXPECT_DOUBLE_EQ(far.play().PlayerPosX, 260);
    // Sources near the edges pull the player up to the last interior cell and not beyond.
    GameRig right({"      ", "      ", "      ", "  ]  @"});
    right.Ticks(200, 10);
    EXPECT_DOUBLE_EQ(right.play().PlayerPosX, 260);
    EXPECT_EQ(right.Tile(4, 7), tcBorderVertical);
    GameRig left({"      ", "      ", "      ", "@ [   "});
    left.Ticks(200, 10);
    EXPECT_DOUBLE_EQ(left.play().PlayerPosX, 60);
    EXPECT_EQ(left.Tile(4, 0), tcBorderVertical);
    // Drifting through a wall takes it away, like anything the centre passes through.
    GameRig wall({"      ", "      ", "      ", "]  @X "});
    wall.Ticks(30, 10);
    EXPECT_EQ(wall.PlayerCol(), 5);
    EXPECT_EQ(wall.Tile(4, 5), tcEmpty);
}

TEST(PlayerDying, NoLivesLeftFreezesThePlayerForGood) {
    GameRig rig({"@  "});
    rig.play().Lives = 1;
    PlayerHit(rig.game().world, rig.game().events, 1, 1);
    EXPECT_EQ(rig.play().Lives, 0);
    rig.Hold(isRight);
    rig.Ticks(50, 10);
    EXPECT_TRUE(rig.play().LevelLost);
    EXPECT_EQ(rig.PictureName(), "ballmort");
    EXPECT_EQ(rig.play().PlayerPosX, 60);

    rig.game().settings.Character = 0;
    rig.play().DyingTime = 0;
    rig.Tick(10);
    EXPECT_EQ(rig.PictureName(), "eddiemort");
}

TEST(PlayerBombs, OneBombPerCellHoweverLongCtrlIsHeld) {
    GameRig rig({"@    "});
    rig.play().Bombs = 3;
    rig.game().input.BombKey = true;
    rig.Ticks(5, 10);
    EXPECT_EQ(rig.play().Bombs, 2);
    EXPECT_EQ(rig.play().PlacedBombCount, 1);
    EXPECT_EQ(rig.Tile(1, 1), tcBusy);
    // With a direction held no bomb is placed.
    rig.PlacePlayer(1, 3);
    rig.Hold(isRight);
    rig.Tick(10);
    EXPECT_EQ(rig.play().Bombs, 2);
}

TEST(PlayerPictures, IdleAnimationStartsAtRandomAfterTwoIdleSeconds) {
    GameRig rig({"@  "});
    rig.Ticks(200, 10);
    EXPECT_FALSE(rig.play().IdleAnimating);
    for (int i = 0; i < 2000 && !rig.play().IdleAnimating; ++i) rig.Tick(10);
    ASSERT_TRUE(rig.play().IdleAnimating);
    EXPECT_EQ(rig.PictureName(), "ball");
    EXPECT_EQ(rig.player().PatternCount, 4);
    EXPECT_TRUE(rig.player().Looping);
    rig.Ticks(39, 10);
    EXPECT_TRUE(rig.play().IdleAnimating);
    rig.Tick(10);  // more than 400 ms
    EXPECT_FALSE(rig.play().IdleAnimating);
    EXPECT_EQ(rig.player().PatternCount, 1);
    EXPECT_FALSE(rig.player().Looping);
    EXPECT_EQ(rig.play().IdleTime, 0);
}

TEST(PlayerInput, JoystickWinsAndLaterKeysOverrideEarlierOnes) {
    GameRig rig({"     ", "  @  ", "     "});
    InputStates& input = rig.game().media.Input;
    input.Add(isUp);
    input.Add(isLeft);
    rig.Tick(10);
    EXPECT_EQ(rig.play().MoveState, msLeft);
    rig.Hold(-1);
    rig.TicksUntilRest(10);
    rig.PlacePlayer(2, 3);
    input.Add(isLeft);
    input.JoyX = 300;
    input.JoyY = -500;  // the larger axis decides
    rig.Tick(10);
    EXPECT_EQ(rig.play().MoveState, msUp);
}

TEST(PlayerTips, BlockedTipAndWayOutTipOnce) {
    GameRig rig({"XXXXX", "X @ X", "XXXXX"});
    rig.Set(2, 2, 30);
    rig.Set(2, 4, 30);
    rig.Ticks(3, 10);
    EXPECT_EQ(rig.Queued(105), 1);
    rig.Set(2, 4, tcFloor);
    rig.Ticks(3, 10);
    EXPECT_EQ(rig.Queued(106), 1);
}

}  // namespace

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

int BlockedTips(const std::vector<std::string>& rows) {
    GameRig rig(rows);
    rig.Tick(10);
    return rig.Queued(105);
}

}  // namespace

TEST(PlayerDrift, SourcesPullFromTheirAreasOnlyBelowRowThreeAndAwayFromTheEdges) {
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
    both.Set(4, 1, tcDriftRight);
    both.Set(4, 7, tcDriftLeft);
    both.Tick(10);
    EXPECT_DOUBLE_EQ(both.play().PlayerPosX, 180);
    GameRig walking(8, 6);
    walking.PlacePlayer(4, 5);
    walking.Set(3, 1, tcDriftRight);
    walking.Hold(isRight);
    walking.Tick(10);
    EXPECT_DOUBLE_EQ(walking.play().PlayerPosX, 220 + 3 + 1);
}

TEST(PlayerTips, BlockedTipBetweenTheEdgeColumnsWithTheWayOutTiles) {
    EXPECT_EQ(BlockedTips({"XXX", "X@X", "XXX"}), 1);
    EXPECT_EQ(BlockedTips({"XXX", "@XX", "XXX"}), 0);     // column 1
    EXPECT_EQ(BlockedTips({"XXX", "XX@", "XXX"}), 0);     // column Cols
    EXPECT_EQ(BlockedTips({"XXXX", "X@X ", "XXXX"}), 0);  // empty two to the right
    EXPECT_EQ(BlockedTips({"XXXX", " X@X", "XXXX"}), 0);  // empty two to the left
    EXPECT_EQ(BlockedTips({"XXXX", "X@X.", "XXXX"}), 1);  // two away only empty counts
    for (char free : {'o', '+', '.', ' ', ':', 'b'}) {
        EXPECT_EQ(BlockedTips({"XXX", std::string("X@") + free, "XXX"}), 0) << free;
        EXPECT_EQ(BlockedTips({std::string("X") + free + "X", "X@X", "XXX"}), 0) << free;
    }
    for (char shut : {'O', 'r', 'x', 'E'}) {
        EXPECT_EQ(BlockedTips({"XXX", std::string("X@") + shut, "XXX"}), 1) << shut;
    }
}

TEST(PlayerTraps, ATrapThrowsTwoCellsBackAndForgetsTheHeldDirection) {
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

TEST(PlayerPorts, NoJumpWhenTheCellBeyondIsTheBorder) {
    for (const auto& [rows, held] : {RowsAndKey{{"U", "@", " "}, isUp},
                                     {{" ", "@", "D"}, isDown},
                                     {{"L@ "}, isLeft},
                                     {{" @R"}, isRight}}) {
        GameRig rig(rows);
        rig.Hold(held);
        rig.Tick(10);
        EXPECT_EQ(rig.play().MoveState, msRest) << held;
    }
    for (const auto& [rows, held] : {RowsAndKey{{" ", "U", "@"}, isUp},
                                     {{"@", "D", " "}, isDown},
                                     {{" L@"}, isLeft},
                                     {{"@R "}, isRight}}) {
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

TEST(PlayerEating, EatingAnimationsOfEachCircuitAndDirection) {
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

TEST(PlayerEating, EatingInPlaceRestartsThePhaseAndHoldsTheFirstPattern) {
    GameRig rig({"@:"}, 300);
    rig.level().Cells[1][2].Phase = 2.5;
    rig.game().input.SnapKey = true;
    rig.Hold(isRight);
    rig.Tick(10);
    EXPECT_EQ(rig.Tile(1, 2), tcCircuitEatenInPlace);
    EXPECT_DOUBLE_EQ(rig.level().Cells[1][2].Phase, 10 * 300 / 6000.0);
    EXPECT_EQ(rig.play().SnapCol, 2);
    EXPECT_EQ(rig.play().SnapRow, 1);
    EXPECT_EQ(rig.PictureName(), "balld");
    EXPECT_EQ(rig.player().PatternPos, 0);
    EXPECT_FALSE(rig.player().Looping);
    // With Space held, empty space and floor are not eaten and the player does not walk.
    for (char n : {' ', '.'}) {
        GameRig stay({std::string("@") + n});
        stay.game().input.SnapKey = true;
        stay.Hold(isRight);
        stay.Tick(10);
        EXPECT_EQ(stay.play().MoveState, msRest);
        EXPECT_EQ(stay.PictureName(), "ball");
    }
}

TEST(PlayerMovement, VerticalPushesAndSnappingToTheTargetCell) {
    // Pushing up or down: Speed / 1500, so 300 ms a cell at Speed 200 (2 px per 15 ms tick).
    for (const auto& [rows, held] :
         {RowsAndKey{{" ", "r", "@"}, isUp}, {{"@", "r", " ", "X"}, isDown}}) {
        GameRig rig(rows, 200);
        rig.Hold(held);
        rig.Tick(15);
        rig.Hold(-1);
        EXPECT_EQ(rig.TicksUntilRest(15), 19);
        EXPECT_EQ(rig.player().PatternPos, 1);
        EXPECT_EQ(rig.PictureName(), held == isUp ? "ballsus" : "balljos");
    }
    // A move that starts off-centre ends in the centre of the target's cell.
    GameRig rig({"@  "});
    rig.play().PlayerPosX = 65;
    rig.Hold(isRight);
    rig.Tick(10);
    rig.Hold(-1);
    EXPECT_EQ(rig.play().TargetPosX, 105);
    rig.TicksUntilRest(10);
    EXPECT_EQ(rig.play().PlayerPosX, 100);
    EXPECT_EQ(rig.player().X, 80);
}

TEST(PlayerMovement, PlayerPositionIsTruncatedAndTheSpriteSitsAroundIt) {
    GameRig rig(8, 6);
    rig.PlacePlayer(4, 5);
    rig.Set(4, 1, tcDriftRight);
    rig.Tick(7);  // 0.7 px
    EXPECT_DOUBLE_EQ(rig.play().PlayerPosX, 220.7);
    EXPECT_EQ(rig.play().PlayerX, 220);
    EXPECT_DOUBLE_EQ(rig.player().X, 200.7);
    EXPECT_DOUBLE_EQ(rig.player().Y, 160);
}

TEST(PlayerCellClearing, AThrowClearsWhatItPassesExceptTheKeptTiles) {
    // Trap 23 in column 2 throws the player right through column 3 into column 4.
    struct Case {
        int tile;
        bool kept;
    };
    for (const Case& k : {Case{30, false}, Case{14, false}, Case{63, false}, Case{13, false},
                          Case{11, true}, Case{65, true}, Case{49, true}, Case{52, true},
                          Case{25, true}, Case{70, true}, Case{81, true}}) {
        GameRig rig({"  <   "});
        rig.PlacePlayer(1, 3);
        rig.Set(1, 4, k.tile);
        rig.play().BlastGuard = true;
        rig.Tick(10);
        rig.TicksUntilRest(10);
        EXPECT_EQ(rig.PlayerCol(), 5) << k.tile;
        EXPECT_EQ(rig.Tile(1, 4), k.kept ? k.tile : 15) << k.tile;
    }
}

TEST(PlayerPictures, VuzodaPicturesForEveryMove) {
    struct Case {
        std::vector<std::string> rows;
        int held;
        const char* picture;
        double pattern;
    };
    for (const Case& k : {Case{{"@O "}, isRight, "eddied", 0}, Case{{" O@"}, isLeft, "eddies", 0},
                          Case{{"@", "r", " ", "X"}, isDown, "eddiejos", 1},
                          Case{{" ", "r", "@"}, isUp, "eddiesus", 1}}) {
        GameRig rig(k.rows);
        rig.game().settings.Character = 0;
        rig.Hold(k.held);
        rig.Tick(10);
        EXPECT_EQ(rig.PictureName(), k.picture);
        EXPECT_EQ(rig.player().PatternPos, k.pattern) << k.picture;
        EXPECT_FALSE(rig.player().Looping) << k.picture;
    }
    GameRig rig({"@  "});
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

TEST(PlayerCollecting, MessagesOfInfotronsLivesBombsAndHits) {
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

TEST(PlayerTerminals, DetonateNearbyReachesTenCellsEachWay) {
    GameRig rig(24, 24);
    // In reach: (2, 22) and (22, 2); out of reach: one cell further on each axis. None of them
    // is within a blast of another.
    for (auto [row, col] : {std::pair{2, 22}, {22, 2}, {1, 12}, {12, 23}, {23, 12}, {12, 1}}) {
        rig.Set(row, col, row == 22 ? 22 : 21);
    }
    DetonateNearby(rig.game().world, rig.game().events, 12, 12);
    EXPECT_EQ(rig.Tile(2, 22), tcEmpty);
    EXPECT_EQ(rig.Tile(22, 2), tcEmpty);
    EXPECT_EQ(rig.Tile(1, 12), tcRedDynamite);
    EXPECT_EQ(rig.Tile(12, 23), tcRedDynamite);
    EXPECT_EQ(rig.Tile(23, 12), tcRedDynamite);
    EXPECT_EQ(rig.Tile(12, 1), tcRedDynamite);
}

TEST(PlayerExit, OnlyTheCellDirectlyAboveIsTheExit) {
    for (const auto& rows : {std::vector<std::string>{"@E"}, std::vector<std::string>{"E@"},
                             std::vector<std::string>{"@", "E"}}) {
        GameRig rig(rows);
        rig.Ticks(3, 10);
        EXPECT_FALSE(rig.play().ExitReached);
    }
    // Passing under the exit holding a direction: the tick at rest in between reaches it.
    GameRig rig({" E ", "@  "});
    rig.Hold(isRight);
    rig.Ticks(30, 10);
    EXPECT_TRUE(rig.play().ExitReached);
    EXPECT_EQ(rig.PlayerCol(), 3);
}

TEST(PlayerAdvance, PlayerHitWindowAroundThePlayersCentre) {
    // A ball falls from (1, 1) into (2, 1), ending with its top at y 80.
    struct Case {
        int playerX, playerY;
        bool hit;
    };
    for (const Case& k :
         {Case{60, 140, true}, Case{59, 140, true}, Case{61, 140, true}, Case{58, 140, false},
          Case{62, 140, false}, Case{60, 144, true}, Case{60, 145, false}}) {
        GameRig rig({"O ", "  ", "  ", "XX"});
        rig.play().PlayerX = k.playerX;
        rig.play().PlayerY = k.playerY;
        for (int i = 0; i < 25; ++i) MoveObjects(rig.game().world, rig.game().events, 10);
        EXPECT_EQ(rig.play().ExplosionCount, k.hit ? 1 : 0) << k.playerX << "," << k.playerY;
        EXPECT_EQ(rig.play().Lives, k.hit ? 2 : 3) << k.playerX << "," << k.playerY;
    }
}

TEST(PlayerAdvance, LandingSoundFlagSetOnApproachAndClearedOnlyForTheFirstFreeEntry) {
    GameRig rig({"O ", "  ", "X@"});
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
    GameRig two({"O O", "   ", "X@X"});
    two.play().FallList[1].LandSound = 1;
    two.play().FallList[2].LandSound = 1;
    MoveObjects(two.game().world, two.game().events, 10);
    ASSERT_EQ(two.play().FallCount, 2);
    EXPECT_EQ(two.play().FallList[1].LandSound, 0);
    EXPECT_EQ(two.play().FallList[2].LandSound, 1);
}

TEST(PlayerAdvance, PushedDynamiteCrushesAMonsterBelowItsTargetAtOnce) {
    GameRig crawl({"@r ", "X W"});
    crawl.play().PushRight = true;
    MoveObjects(crawl.game().world, crawl.game().events, 10);
    EXPECT_EQ(crawl.level().MonsterCount, 0);
    EXPECT_EQ(crawl.Tile(2, 3), tcInfotron);

    GameRig turn({" y@", "MX "});
    turn.play().PushLeft = true;
    MoveObjects(turn.game().world, turn.game().events, 10);
    EXPECT_EQ(turn.level().MonsterCount, 0);
    EXPECT_EQ(turn.play().ExplosionCount, 1);

    // A monster below the cell being left is not in the target column.
    GameRig aside({"@r ", "XWX"});
    aside.play().PushRight = true;
    MoveObjects(aside.game().world, aside.game().events, 10);
    EXPECT_EQ(aside.level().MonsterCount, 1);
}
