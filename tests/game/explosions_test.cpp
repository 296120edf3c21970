// Blasts: what withstands them, chain reactions depth first, tips, the blast guard, bombs and
// their fuses, monster removal and the capacity of the lists.
#include "game/explosions.h"

#include <gtest/gtest.h>

#include <array>

#include "game/game_rig.h"
#include "game/monsters.h"

namespace {

TEST(AreaBlast, DestroysCodesBelow39ExceptBorderAndBall) {
    GameRig rig({"#@X ", "OoE ", "    ", "    "});
    rig.PlacePlayer(4, 4);
    rig.Set(1, 2, tcBomb);  // the centre is emptied before anything else
    AreaBlast(rig.game().world, rig.game().events, 2, 1);
    EXPECT_EQ(rig.Tile(1, 1), tcEmpty);
    EXPECT_EQ(rig.Tile(2, 2), tcEmpty);
    EXPECT_EQ(rig.Tile(1, 3), 45);
    EXPECT_EQ(rig.Tile(2, 1), tcBall);
    EXPECT_EQ(rig.Tile(2, 3), tcExit);
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(rig.Tile(0, c), tcBorderHorizontal);
    EXPECT_EQ(rig.play().ExplosionCount, 1);
    EXPECT_EQ(rig.play().Explosions[1].PixelX, 40);
    EXPECT_EQ(rig.play().Explosions[1].PixelY, 0);
    EXPECT_EQ(rig.Queued(102), 1);
    EXPECT_EQ(rig.play().Lives, 3);
    EXPECT_TRUE(rig.play().BlastGuard);
}

TEST(AreaBlast, ChainReactionsGoDepthFirstInNeighbourOrder) {
    GameRig rig(7, 7);
    rig.PlacePlayer(7, 1);
    rig.Set(4, 6, tcRedDynamite);
    rig.Set(5, 4, tcYellowDynamite);
    rig.Set(3, 7, tcBomb);
    AreaBlast(rig.game().world, rig.game().events, 5, 5);
    const PlayState& p = rig.play();
    ASSERT_EQ(p.ExplosionCount, 4);
    const int expected[4][2] = {{5, 5}, {4, 6}, {3, 7}, {5, 4}};  // (row, col)
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(p.Explosions[i + 1].Row, expected[i][0]) << i;
        EXPECT_EQ(p.Explosions[i + 1].Col, expected[i][1]) << i;
    }
    EXPECT_EQ(rig.Tile(3, 7), tcEmpty);
}

TEST(AreaBlast, DestroyedInfotronTipsComeOnceEachInTurn) {
    GameRig rig({"ooo ", "o   ", "    ", "   @"});
    AreaBlast(rig.game().world, rig.game().events, 2, 2);
    EXPECT_EQ(rig.Queued(102), 1);
    EXPECT_EQ(rig.Queued(104), 1);
    EXPECT_EQ(rig.Queued(107), 1);
    rig.Set(3, 3, tcInfotron);
    AreaBlast(rig.game().world, rig.game().events, 3, 3);
    EXPECT_EQ(rig.game().messages.MessageCount, 3);
}

TEST(BlastGuard, OneLifePerBlastUntilThePauseOrTheAnimationEnds) {
    GameRig rig({"@    "});
    AreaBlast(rig.game().world, rig.game().events, 1, 1);
    EXPECT_EQ(rig.play().Lives, 2);
    EXPECT_TRUE(rig.play().PlayerDying);
    EXPECT_EQ(rig.Queued(113), 1);
    rig.Ticks(5, 10);
    AreaBlast(rig.game().world, rig.game().events, 1, 1);  // during the dying pause
    HazardBlast(rig.game().world, rig.game().events, 1, 1);
    EXPECT_EQ(rig.play().Lives, 2);
    EXPECT_EQ(rig.play().ExplosionCount, 2);
    rig.Ticks(6, 10);  // the pause ends after more than 100 ms and takes the guard down
    EXPECT_FALSE(rig.play().PlayerDying);
    EXPECT_FALSE(rig.play().BlastGuard);
    HazardBlast(rig.game().world, rig.game().events, 1, 1);
    EXPECT_EQ(rig.play().Lives, 1);

    // A blast that misses the player keeps the guard up until its animation ends (> 500 ms).
    GameRig miss({"@    "});
    AreaBlast(miss.game().world, miss.game().events, 5, 1);
    miss.Ticks(49, 10);
    EXPECT_TRUE(miss.play().BlastGuard);
    EXPECT_EQ(miss.play().ExplosionCount, 1);
    miss.Ticks(3, 10);
    EXPECT_FALSE(miss.play().BlastGuard);
    EXPECT_EQ(miss.play().ExplosionCount, 0);

    // The last life: no guard, and no message while the level is being given up.
    GameRig last({"@    "});
    last.play().Lives = 1;
    last.play().LevelAborted = true;
    AreaBlast(last.game().world, last.game().events, 1, 1);
    EXPECT_EQ(last.play().Lives, 0);
    EXPECT_FALSE(last.play().BlastGuard);
    EXPECT_EQ(last.Queued(113), 0);
}

TEST(InfotronBlast, LeavesInfotronsAndHurtsNobodyButMonsters) {
    GameRig rig({"#O  ", "@ W ", "X  x", "    "});
    InfotronBlast(rig.game().world, rig.game().events, 2, 2);
    EXPECT_EQ(rig.Tile(1, 1), tcInfotron);
    EXPECT_EQ(rig.Tile(1, 2), tcBall);
    EXPECT_EQ(rig.Tile(2, 1), tcInfotron);  // the player's cell
    EXPECT_EQ(rig.Tile(2, 3), tcInfotron);
    EXPECT_EQ(rig.Tile(3, 1), 45);
    EXPECT_EQ(rig.Tile(3, 4), tcBusy);  // outside the area
    EXPECT_EQ(rig.level().MonsterCount, 0);
    EXPECT_EQ(rig.play().Lives, 3);
    EXPECT_TRUE(rig.play().BlastGuard);
    EXPECT_EQ(rig.Queued(102), 0);
    // The player's cell clearing takes the infotron without counting it.
    rig.Tick(10);
    EXPECT_EQ(rig.Tile(2, 1), tcEmpty);
    EXPECT_EQ(rig.play().InfotronsGot, 0);
}

TEST(Bombs, PlacedOncePerCellAndGoOffAfterTheFuseEvenIfTheirCellWasCleared) {
    GameRig rig({"@    "});
    rig.play().Bombs = 2;
    PlaceBomb(rig.game().world, 3, 1);
    PlaceBomb(rig.game().world, 3, 1);
    EXPECT_EQ(rig.play().Bombs, 1);
    EXPECT_EQ(rig.play().PlacedBombCount, 1);
    EXPECT_EQ(rig.Tile(1, 3), tcBusy);
    AreaBlast(rig.game().world, rig.game().events, 4, 1);  // empties the bomb's cell
    EXPECT_EQ(rig.Tile(1, 3), tcEmpty);
    EXPECT_EQ(rig.play().PlacedBombCount, 1);
    UpdateBombs(rig.game().world, rig.game().events, 990);
    EXPECT_EQ(rig.play().ExplosionCount, 1);
    UpdateBombs(rig.game().world, rig.game().events, 20);
    EXPECT_EQ(rig.play().PlacedBombCount, 0);
    ASSERT_EQ(rig.play().ExplosionCount, 2);
    EXPECT_EQ(rig.play().Explosions[2].Col, 3);
}

TEST(Capacity, FullListsDropTheAnimationOrTheBombButNotTheCellWork) {
    GameRig rig({"@ #  "});
    rig.play().ExplosionCount = kMaxExplosions;
    AreaBlast(rig.game().world, rig.game().events, 4, 1);
    EXPECT_EQ(rig.play().ExplosionCount, kMaxExplosions);
    EXPECT_EQ(rig.Tile(1, 3), tcEmpty);
    UpdateExplosions(rig.game().world, 10);

    rig.play().PlacedBombCount = kMaxPlacedBombs;
    rig.play().Bombs = 1;
    PlaceBomb(rig.game().world, 5, 1);
    EXPECT_EQ(rig.play().PlacedBombCount, kMaxPlacedBombs);
    EXPECT_EQ(rig.play().Bombs, 1);
    EXPECT_EQ(rig.Tile(1, 5), tcEmpty);
}

TEST(Capacity, BlastsAtTheEdgeOfTheLargestGridKeepTheBorder) {
    GameRig rig(99, 99);
    rig.PlacePlayer(50, 50);
    for (int c = 1; c <= 99; ++c) rig.Set(99, c, 30);
    AreaBlast(rig.game().world, rig.game().events, 99, 100);
    InfotronBlast(rig.game().world, rig.game().events, 100, 100);
    EXPECT_EQ(rig.Tile(100, 99), tcBorderHorizontal);
    EXPECT_EQ(rig.Tile(100, 100), tcCornerBottomRight);
    EXPECT_EQ(rig.Tile(99, 100), tcBorderVertical);
    EXPECT_EQ(rig.Tile(99, 98), tcEmpty);
    EXPECT_EQ(rig.Tile(99, 99), tcInfotron);
}

TEST(RemoveMonster, LaterEntriesMoveDownButTurnValuesStayWithTheirSlots) {
    GameRig rig({"M M M", "    @"});
    LevelGrid& level = rig.level();
    level.Turn[1] = 1;
    level.Turn[2] = 0;
    level.Turn[3] = -1;
    RemoveMonster(rig.game().world, 2);
    EXPECT_EQ(level.MonsterCount, 2);
    EXPECT_EQ(level.Monsters[2].Col, 5);
    EXPECT_EQ(level.Turn[2], 0);
    EXPECT_EQ(level.Turn[3], -1);
}

}  // namespace

namespace {

// Open neighbours by (dr, dc).
struct Around {
    unsigned Bits;
    bool E(int dr, int dc) const { return Bits >> Index(dr, dc) & 1u; }
    static int Index(int dr, int dc) {
        const int i = (dr + 1) * 3 + (dc + 1);
        return i < 4 ? i : i - 1;  // the centre has no bit
    }
};

}  // namespace

// ---- Blasts ----

// A bomb lying in the player's cell goes off before the player is looked at: the chain's own
// blast takes the life and raises the guard, so the outer blast takes no second one.
TEST(BlastCellOrder, ChainReactionComesBeforeThePlayerTest) {
    GameRig rig({"     ", "     ", "     "});
    rig.PlacePlayer(2, 3);
    rig.Set(2, 3, tcBomb);
    AreaBlast(rig.game().world, rig.game().events, 2, 2);
    EXPECT_EQ(rig.play().Lives, 2);
    EXPECT_EQ(rig.Queued(113), 1);
    ASSERT_EQ(rig.play().ExplosionCount, 2);
    EXPECT_EQ(rig.play().Explosions[2].Col, 3);
    EXPECT_EQ(rig.play().Explosions[2].Row, 2);
    EXPECT_EQ(rig.Tile(2, 3), tcEmpty);
}

// Dynamite set off inside the area blows up its own area at once, beyond the first one; its cell
// is left empty and the infotron the chain destroyed tips once.
TEST(BlastCellOrder, ChainReachesBeyondTheAreaAndTipsOnce) {
    GameRig rig({"    o", "   r ", "     "});
    rig.PlacePlayer(3, 1);
    AreaBlast(rig.game().world, rig.game().events, 3,
              2);  // reaches the dynamite at (2, 4); its blast takes (1, 5)
    EXPECT_EQ(rig.Tile(2, 4), tcEmpty);
    EXPECT_EQ(rig.Tile(1, 5), tcEmpty);
    EXPECT_EQ(rig.Queued(102), 1);
    EXPECT_EQ(rig.Queued(104), 0);
}

TEST(BlastCellOrder, MonstersInTheCellAreRemovedAllFromTheFirstEntryOn) {
    GameRig rig({"M M  ", "     ", "@    "});
    // A second and a third monster counted in the same cell (one moving up into it, one
    // moving left into it), one elsewhere: every entry in the cell goes, the other stays.
    rig.AddMonster(38, 1, 3);
    rig.AddMonster(39, 1, 3);
    LevelGrid& level = rig.level();
    ASSERT_EQ(level.MonsterCount, 4);
    level.Turn[1] = 1;
    level.Turn[4] = -1;
    AreaBlast(rig.game().world, rig.game().events, 4, 2);  // covers columns 3..5 of rows 1..3
    ASSERT_EQ(level.MonsterCount, 1);
    EXPECT_EQ(level.Monsters[1].Col, 1);
    EXPECT_EQ(level.Turn[1], 1);  // turn values stay with their slots
    EXPECT_EQ(level.Turn[4], -1);
}

TEST(BlastGuardRule, SetOnlyByTheAreaAndInfotronBlastsWhileLivesRemain) {
    GameRig rig({"@    "});
    ExplosionEffect(rig.game().world, rig.game().events, 4, 1);
    EXPECT_FALSE(rig.play().BlastGuard);
    EXPECT_EQ(rig.play().ExplosionCount, 1);
    EXPECT_EQ(rig.Tile(1, 4), tcEmpty);

    rig.play().Lives = 0;
    InfotronBlast(rig.game().world, rig.game().events, 4, 1);
    EXPECT_FALSE(rig.play().BlastGuard);
    rig.play().Lives = 1;
    InfotronBlast(rig.game().world, rig.game().events, 4, 1);
    EXPECT_TRUE(rig.play().BlastGuard);

    // While the guard is up a hazard blast does nothing at all.
    const int explosions = rig.play().ExplosionCount;
    rig.play().DyingTime = 77;
    rig.Set(1, 2, 30);
    HazardBlast(rig.game().world, rig.game().events, 2, 1);
    EXPECT_EQ(rig.play().ExplosionCount, explosions);
    EXPECT_EQ(rig.play().DyingTime, 77);
    EXPECT_EQ(rig.Tile(1, 2), 30);
    rig.play().BlastGuard = false;
    HazardBlast(rig.game().world, rig.game().events, 2, 1);
    EXPECT_EQ(rig.play().DyingTime, 0);
    EXPECT_EQ(rig.Tile(1, 2), tcEmpty);
}

TEST(InfotronBlastRule, SetsNothingOffAndLeavesInfotronsInEveryYieldingCell) {
    GameRig rig({"ry#  ", "b O  ", "E o  ", "    @"});
    InfotronBlast(rig.game().world, rig.game().events, 2, 2);
    EXPECT_EQ(rig.play().ExplosionCount, 1);  // no chain reaction
    for (auto [r, c] : {std::pair{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {3, 2}, {3, 3}})
        EXPECT_EQ(rig.Tile(r, c), tcInfotron) << r << "," << c;
    EXPECT_EQ(rig.Tile(2, 3), tcBall);
    EXPECT_EQ(rig.Tile(3, 1), tcExit);
    EXPECT_EQ(rig.game().messages.MessageCount, 0);
}

TEST(InfotronTips, EachTipIsShownOnlyWhileItHasNotBeenShown) {
    GameRig rig({"oo   ", "o    ", "    @"});
    rig.game().messages.MessageShown[104] = true;
    AreaBlast(rig.game().world, rig.game().events, 1,
              1);  // three infotrons: 102, then 107, then nothing
    EXPECT_EQ(rig.Queued(102), 1);
    EXPECT_EQ(rig.Queued(104), 0);
    EXPECT_EQ(rig.Queued(107), 1);
    EXPECT_EQ(rig.game().messages.MessageCount, 2);
}

TEST(ExplosionList, PhaseGrowsByFiftiethsAndAnEntryLeavesOnlyPastTen) {
    GameRig rig({"@    ", "     "});
    ExplosionEffect(rig.game().world, rig.game().events, 3, 1);
    ExplosionEffect(rig.game().world, rig.game().events, 4, 1);
    ExplosionEffect(rig.game().world, rig.game().events, 5, 1);
    PlayState& p = rig.play();
    UpdateExplosions(rig.game().world, 500);  // exactly 10: all three stay
    ASSERT_EQ(p.ExplosionCount, 3);
    EXPECT_DOUBLE_EQ(p.Explosions[3].Phase, 10);
    p.BlastGuard = true;
    UpdateExplosions(rig.game().world, 1);  // all three pass 10 in one call, each advanced once
    EXPECT_EQ(p.ExplosionCount, 0);
    EXPECT_FALSE(p.BlastGuard);

    // The entry that moves down into a removed one's place is advanced in the same call.
    ExplosionEffect(rig.game().world, rig.game().events, 3, 1);
    ExplosionEffect(rig.game().world, rig.game().events, 4, 1);
    p.Explosions[1].Phase = 9.99;
    UpdateExplosions(rig.game().world, 1);
    ASSERT_EQ(p.ExplosionCount, 1);
    EXPECT_EQ(p.Explosions[1].Col, 4);
    EXPECT_DOUBLE_EQ(p.Explosions[1].Phase, 0.02);
}

TEST(PlacedBombList, FuseGoesOffPastTwentyAndEveryBombDueGoesOffInTheSameCall) {
    GameRig rig({"@     ", "      ", "    # "});
    PlayState& p = rig.play();
    p.Bombs = 3;
    PlaceBomb(rig.game().world, 3, 1);
    PlaceBomb(rig.game().world, 5, 2);
    EXPECT_EQ(p.Bombs, 1);
    EXPECT_EQ(rig.Tile(1, 3), tcBusy);
    EXPECT_EQ(rig.Tile(2, 5), tcBusy);
    UpdateBombs(rig.game().world, rig.game().events, 1000);  // exactly 20: not yet
    EXPECT_EQ(p.PlacedBombCount, 2);
    EXPECT_EQ(p.ExplosionCount, 0);
    UpdateBombs(rig.game().world, rig.game().events, 1);
    EXPECT_EQ(p.PlacedBombCount, 0);
    ASSERT_EQ(p.ExplosionCount, 2);
    EXPECT_EQ(p.Explosions[1].Col, 3);
    EXPECT_EQ(p.Explosions[2].Col, 5);
    EXPECT_EQ(rig.Tile(3, 5), tcEmpty);  // the wall below the second bomb
    EXPECT_EQ(p.Lives, 3);               // the player stood outside both areas
}
