// The player's move step: speeds, eating, collecting, the exit, traps, ports, terminals, the
// hazard, drift, the dying pause, bombs and the pictures.
#include <gtest/gtest.h>

#include "game/explosions.h"
#include "game/game_rig.h"

namespace {

TEST(PlayerSpeed, StepsAndPushesTakeTheirTimesAtSpeed200) {
    // Walking: 200 ms a cell; the move advances in the tick that starts it.
    GameRig walk({"@.."}, 200);
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
    GameRig right({"@o.."}, 200);
    right.Hold(isRight);
    right.Tick(15);
    right.Hold(-1);
    EXPECT_EQ(right.play().MoveState, msPushRight);
    EXPECT_EQ(right.PictureName(), "ballid");
    EXPECT_EQ(right.TicksUntilRest(15), 19);
    EXPECT_EQ(right.play().PlayerPosX, 100);

    // Pushing left: (Speed - 100) / 1000, 400 ms.
    GameRig left({"..o@"}, 200);
    left.Hold(isLeft);
    left.Tick(10);
    left.Hold(-1);
    EXPECT_EQ(left.play().MoveState, msPushLeft);
    EXPECT_EQ(left.PictureName(), "ballis");
    EXPECT_EQ(left.TicksUntilRest(10), 39);
    EXPECT_EQ(left.play().PlayerPosX, 140);
}

TEST(PlayerEating, EatingInPlaceTakes120msAndNothingMoves) {
    GameRig rig({"@c.l"}, 200);
    rig.game().input.SnapKey = true;
    rig.Hold(isRight);
    rig.Ticks(11, 10);
    EXPECT_EQ(rig.play().MoveState, msSnap);
    EXPECT_EQ(rig.Tile(1, 2), 7);
    rig.Ticks(2, 10);
    EXPECT_EQ(rig.play().MoveState, msRest);
    EXPECT_EQ(rig.Tile(1, 2), 15);
    EXPECT_EQ(rig.play().PlayerPosX, 60);

    // An infotron is counted at once; a life is not eaten this way and nothing happens.
    GameRig info({"@i"}, 200);
    info.game().input.SnapKey = true;
    info.Hold(isRight);
    info.Tick(10);
    EXPECT_EQ(info.Tile(1, 2), 8);
    EXPECT_EQ(info.play().InfotronsGot, 1);
    // A bomb is counted at once and stays until the eating ends.
    GameRig bomb({"@b"}, 200);
    bomb.game().input.SnapKey = true;
    bomb.Hold(isRight);
    bomb.Tick(10);
    EXPECT_EQ(bomb.play().Bombs, 1);
    EXPECT_EQ(bomb.Tile(1, 2), 19);
    EXPECT_EQ(bomb.Queued(112), 1);
    bomb.Hold(-1);
    bomb.Ticks(12, 10);
    EXPECT_EQ(bomb.Tile(1, 2), 15);
    EXPECT_EQ(bomb.play().Bombs, 1);
    GameRig life({"l@"}, 200);
    life.game().input.SnapKey = true;
    life.Hold(isLeft);
    life.Tick(10);
    EXPECT_EQ(life.play().MoveState, msRest);
    EXPECT_EQ(life.Tile(1, 1), 13);
    EXPECT_EQ(life.play().Lives, 3);
}

TEST(PlayerEating, SpaceChangesOnlyTheWalkableTiles) {
    // Ports, pushes and terminals work the same with Space held.
    GameRig port({"@>i."});
    port.game().input.SnapKey = true;
    port.Hold(isRight);
    port.Tick(10);
    EXPECT_EQ(port.play().MoveState, msRight);
    EXPECT_EQ(port.play().InfotronsGot, 1);
    EXPECT_EQ(port.Tile(1, 3), 12);  // taken when the centre enters the cell, not eaten
    GameRig push({".o@"});
    push.game().input.SnapKey = true;
    push.Hold(isLeft);
    push.Tick(10);
    EXPECT_EQ(push.play().MoveState, msPushLeft);
    EXPECT_TRUE(push.play().PushLeft);
    GameRig terminal({"r", "@", "T"});
    terminal.game().input.SnapKey = true;
    terminal.Hold(isDown);
    terminal.Tick(10);
    EXPECT_EQ(terminal.Tile(1, 1), 15);
    EXPECT_EQ(terminal.play().MoveState, msRest);
}

TEST(PlayerEating, WalkingIntoCircuitsAndCollectables) {
    GameRig circuit({"c", "@"});
    circuit.Hold(isUp);
    circuit.Tick(10);
    EXPECT_EQ(circuit.Tile(1, 1), 72);  // circuit 16 eaten moving up
    EXPECT_EQ(circuit.play().MoveState, msUp);

    GameRig info({"@", "i"});
    info.Hold(isDown);
    info.Tick(10);
    EXPECT_EQ(info.play().InfotronsGot, 1);  // counted when the move starts
    EXPECT_EQ(info.Tile(2, 1), 12);          // taken when the centre enters the cell
    info.Hold(-1);
    info.Ticks(6, 10);  // the centre crosses into row 2 in the seventh tick
    EXPECT_EQ(info.Tile(2, 1), 12);
    info.Tick(10);
    EXPECT_EQ(info.Tile(2, 1), 15);
    EXPECT_EQ(info.play().InfotronsGot, 1);

    // A seventh life is refused with message 110; the tile still disappears.
    GameRig six({"@l"});
    six.play().Lives = 6;
    six.Hold(isRight);
    six.Tick(10);
    six.Hold(-1);
    six.Ticks(30, 10);
    EXPECT_EQ(six.play().Lives, 6);
    EXPECT_EQ(six.Queued(110), 1);
    EXPECT_EQ(six.Tile(1, 2), 15);
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
    GameRig rig({".", "3", "@", ".", "."});
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
    EXPECT_EQ(rig.Tile(2, 1), 25);

    GameRig guarded({"@", "3", "."});
    guarded.PlacePlayer(2, 1);
    guarded.play().BlastGuard = true;
    guarded.Tick(10);
    EXPECT_EQ(guarded.play().MoveState, msDown);
    EXPECT_EQ(guarded.play().Lives, 3);
    EXPECT_FALSE(guarded.play().PlayerDying);
}

TEST(PlayerTraps, ThrowsEndAtTheLastInteriorCell) {
    // Trap 26 in column 2 throws left by two cells: the throw stops in column 1.
    GameRig rig({".4."});
    rig.PlacePlayer(1, 2);
    rig.play().BlastGuard = true;
    rig.Tick(10);
    EXPECT_EQ(rig.play().TargetPosX, 60);
    rig.TicksUntilRest(10);
    EXPECT_EQ(rig.play().PlayerPosX, 60);
    EXPECT_EQ(rig.Tile(1, 0), 4);
    // Trap 25 in the last row throws down: it stays in the last row.
    GameRig down({".", "3"});
    down.PlacePlayer(2, 1);
    down.play().BlastGuard = true;
    down.Tick(10);
    EXPECT_EQ(down.play().TargetPosY, 100);
    down.TicksUntilRest(10);
    EXPECT_EQ(down.PlayerRow(), 2);
    EXPECT_EQ(down.Tile(3, 1), 3);
}

TEST(PlayerPorts, JumpOnlyWithoutLooseObjectsBeyondAndCollectWhatLiesThere) {
    for (char beyond : {'o', 'r', 'y'}) {
        GameRig blocked({std::string("@>") + beyond + "."});
        blocked.Hold(isRight);
        blocked.Tick(10);
        EXPECT_EQ(blocked.play().MoveState, msRest) << beyond;
        EXPECT_EQ(blocked.PictureName(), "ball");
    }
    GameRig rig({"@>i."});
    rig.Hold(isRight);
    rig.Tick(10);
    EXPECT_EQ(rig.play().MoveState, msRight);
    EXPECT_EQ(rig.play().TargetPosX, 60 + 80);
    EXPECT_EQ(rig.play().InfotronsGot, 1);
    rig.Hold(-1);
    rig.TicksUntilRest(10);
    EXPECT_EQ(rig.PlayerCol(), 3);
    EXPECT_EQ(rig.Tile(1, 2), 49);
    // A port next to the last column leads nowhere.
    GameRig edge({".@>"});
    edge.Hold(isRight);
    edge.Tick(10);
    EXPECT_EQ(edge.play().MoveState, msRest);
    // Up and down ports need two rows beyond the player inside the level.
    GameRig up({"i", "^", "@"});
    up.Hold(isUp);
    up.Tick(10);
    EXPECT_EQ(up.play().MoveState, msUp);
    EXPECT_EQ(up.play().InfotronsGot, 1);
}

TEST(PlayerTerminals, TerminalWorksEveryWayOneShotOnlyDownward) {
    GameRig rig({"r.T.y", ".T@T.", "..t.."});
    for (int dir : {isLeft, isRight, isUp}) {
        rig.Hold(dir);
        rig.Tick(10);
        EXPECT_EQ(rig.Tile(3, 3), 54);
    }
    EXPECT_EQ(rig.Tile(1, 1), 15);  // the first press set both dynamites off
    EXPECT_EQ(rig.Tile(1, 5), 15);
    EXPECT_EQ(rig.play().ExplosionCount, 2);
    rig.Set(1, 1, 21);
    rig.Hold(isUp);
    rig.Tick(10);
    EXPECT_EQ(rig.Tile(1, 1), 15);  // and again
    rig.Set(1, 1, 21);
    rig.Hold(isDown);
    rig.Tick(10);
    EXPECT_EQ(rig.Tile(3, 3), 55);
    EXPECT_EQ(rig.Tile(1, 1), 15);
    rig.Set(1, 1, 21);
    rig.Tick(10);
    EXPECT_EQ(rig.Tile(1, 1), 21);  // a used terminal does nothing
}

TEST(PlayerHazard, HurtsOnlyInsideItsPhaseWindowAndIsEnteredLate) {
    for (double phase : {1.5, 3.0, 5.9, 6.5}) {
        GameRig rig({".h."});
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
    GameRig rig({"......", "......", "......", ")..@W."});
    rig.Tick(10);
    EXPECT_DOUBLE_EQ(rig.play().PlayerPosX, 180 + 1);
    GameRig far({"......", "......", "......", ")....@"});
    far.Tick(10);
    EXPECT_DOUBLE_EQ(far.play().PlayerPosX, 260);
    // Sources near the edges pull the player up to the last interior cell and not beyond.
    GameRig right({"......", "......", "......", "..)..@"});
    right.Ticks(200, 10);
    EXPECT_DOUBLE_EQ(right.play().PlayerPosX, 260);
    EXPECT_EQ(right.Tile(4, 7), 4);
    GameRig left({"......", "......", "......", "@.(..."});
    left.Ticks(200, 10);
    EXPECT_DOUBLE_EQ(left.play().PlayerPosX, 60);
    EXPECT_EQ(left.Tile(4, 0), 4);
    // Drifting through a wall takes it away, like anything the centre passes through.
    GameRig wall({"......", "......", "......", ")..@W."});
    wall.Ticks(30, 10);
    EXPECT_EQ(wall.PlayerCol(), 5);
    EXPECT_EQ(wall.Tile(4, 5), 15);
}

TEST(PlayerDying, NoLivesLeftFreezesThePlayerForGood) {
    GameRig rig({"@.."});
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
    GameRig rig({"@...."});
    rig.play().Bombs = 3;
    rig.game().input.BombKey = true;
    rig.Ticks(5, 10);
    EXPECT_EQ(rig.play().Bombs, 2);
    EXPECT_EQ(rig.play().PlacedBombCount, 1);
    EXPECT_EQ(rig.Tile(1, 1), 11);
    // With a direction held no bomb is placed.
    rig.PlacePlayer(1, 3);
    rig.Hold(isRight);
    rig.Tick(10);
    EXPECT_EQ(rig.play().Bombs, 2);
}

TEST(PlayerPictures, IdleAnimationStartsAtRandomAfterTwoIdleSeconds) {
    GameRig rig({"@.."});
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
    GameRig rig({".....", "..@..", "....."});
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
    GameRig rig({"WWWWW", "W.@.W", "WWWWW"});
    rig.Set(2, 2, 30);
    rig.Set(2, 4, 30);
    rig.Ticks(3, 10);
    EXPECT_EQ(rig.Queued(105), 1);
    rig.Set(2, 4, 14);
    rig.Ticks(3, 10);
    EXPECT_EQ(rig.Queued(106), 1);
}

}  // namespace
