// Blasts and monsters held against their rules case by case: the order of the work inside one
// blasted cell, the guard, the lists' timing, and every wall-following, search, turning, moving
// and catching rule of the monsters, with the wall-following table checked for every
// neighbourhood of every heading.
#include <gtest/gtest.h>

#include <array>

#include "game/explosions.h"
#include "game/game_rig.h"
#include "game/monsters.h"

namespace {

// ---- Blasts ----

// A bomb lying in the player's cell goes off before the player is looked at: the chain's own
// blast takes the life and raises the guard, so the outer blast takes no second one.
TEST(BlastCellOrder, ChainReactionComesBeforeThePlayerTest) {
    GameRig rig({".....", ".....", "....."});
    rig.PlacePlayer(2, 3);
    rig.Set(2, 3, tcBomb);
    AreaBlast(rig.game(), 2, 2);
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
    GameRig rig({"....i", "...r.", "....."});
    rig.PlacePlayer(3, 1);
    AreaBlast(rig.game(), 3, 2);  // reaches the dynamite at (2, 4); its blast takes (1, 5)
    EXPECT_EQ(rig.Tile(2, 4), tcEmpty);
    EXPECT_EQ(rig.Tile(1, 5), tcEmpty);
    EXPECT_EQ(rig.Queued(102), 1);
    EXPECT_EQ(rig.Queued(104), 0);
}

TEST(BlastCellOrder, MonstersInTheCellAreRemovedAllFromTheFirstEntryOn) {
    GameRig rig({"M.M..", ".....", "@...."});
    // A second and a third monster counted in the same cell (one moving up into it, one
    // moving left into it), one elsewhere: every entry in the cell goes, the other stays.
    rig.AddMonster(38, 1, 3);
    rig.AddMonster(39, 1, 3);
    tlevel& level = rig.level();
    ASSERT_EQ(level.MonsterCount, 4);
    level.Turn[1] = 1;
    level.Turn[4] = -1;
    AreaBlast(rig.game(), 4, 2);  // covers columns 3..5 of rows 1..3
    ASSERT_EQ(level.MonsterCount, 1);
    EXPECT_EQ(level.Monsters[1].Col, 1);
    EXPECT_EQ(level.Turn[1], 1);  // turn values stay with their slots
    EXPECT_EQ(level.Turn[4], -1);
}

TEST(BlastGuardRule, SetOnlyByTheAreaAndInfotronBlastsWhileLivesRemain) {
    GameRig rig({"@...."});
    ExplosionEffect(rig.game(), 4, 1);
    EXPECT_FALSE(rig.play().BlastGuard);
    EXPECT_EQ(rig.play().ExplosionCount, 1);
    EXPECT_EQ(rig.Tile(1, 4), tcEmpty);

    rig.play().Lives = 0;
    InfotronBlast(rig.game(), 4, 1);
    EXPECT_FALSE(rig.play().BlastGuard);
    rig.play().Lives = 1;
    InfotronBlast(rig.game(), 4, 1);
    EXPECT_TRUE(rig.play().BlastGuard);

    // While the guard is up a hazard blast does nothing at all.
    const int explosions = rig.play().ExplosionCount;
    rig.play().DyingTime = 77;
    rig.Set(1, 2, 30);
    HazardBlast(rig.game(), 2, 1);
    EXPECT_EQ(rig.play().ExplosionCount, explosions);
    EXPECT_EQ(rig.play().DyingTime, 77);
    EXPECT_EQ(rig.Tile(1, 2), 30);
    rig.play().BlastGuard = false;
    HazardBlast(rig.game(), 2, 1);
    EXPECT_EQ(rig.play().DyingTime, 0);
    EXPECT_EQ(rig.Tile(1, 2), tcEmpty);
}

TEST(InfotronBlastRule, SetsNothingOffAndLeavesInfotronsInEveryYieldingCell) {
    GameRig rig({"ry#..", "b.o..", "E.i..", "....@"});
    InfotronBlast(rig.game(), 2, 2);
    EXPECT_EQ(rig.play().ExplosionCount, 1);  // no chain reaction
    for (auto [r, c] : {std::pair{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {3, 2}, {3, 3}})
        EXPECT_EQ(rig.Tile(r, c), tcInfotron) << r << "," << c;
    EXPECT_EQ(rig.Tile(2, 3), tcBall);
    EXPECT_EQ(rig.Tile(3, 1), tcExit);
    EXPECT_EQ(rig.game().messages.MessageCount, 0);
}

TEST(InfotronTips, EachTipIsShownOnlyWhileItHasNotBeenShown) {
    GameRig rig({"ii...", "i....", "....@"});
    rig.game().messages.MessageShown[104] = true;
    AreaBlast(rig.game(), 1, 1);  // three infotrons: 102, then 107, then nothing
    EXPECT_EQ(rig.Queued(102), 1);
    EXPECT_EQ(rig.Queued(104), 0);
    EXPECT_EQ(rig.Queued(107), 1);
    EXPECT_EQ(rig.game().messages.MessageCount, 2);
}

TEST(ExplosionList, PhaseGrowsByFiftiethsAndAnEntryLeavesOnlyPastTen) {
    GameRig rig({"@....", "....."});
    ExplosionEffect(rig.game(), 3, 1);
    ExplosionEffect(rig.game(), 4, 1);
    ExplosionEffect(rig.game(), 5, 1);
    PlayState& p = rig.play();
    UpdateExplosions(rig.game(), 500);  // exactly 10: all three stay
    ASSERT_EQ(p.ExplosionCount, 3);
    EXPECT_DOUBLE_EQ(p.Explosions[3].Phase, 10);
    p.BlastGuard = true;
    UpdateExplosions(rig.game(), 1);  // all three pass 10 in one call, each advanced once
    EXPECT_EQ(p.ExplosionCount, 0);
    EXPECT_FALSE(p.BlastGuard);

    // The entry that moves down into a removed one's place is advanced in the same call.
    ExplosionEffect(rig.game(), 3, 1);
    ExplosionEffect(rig.game(), 4, 1);
    p.Explosions[1].Phase = 9.99;
    UpdateExplosions(rig.game(), 1);
    ASSERT_EQ(p.ExplosionCount, 1);
    EXPECT_EQ(p.Explosions[1].Col, 4);
    EXPECT_DOUBLE_EQ(p.Explosions[1].Phase, 0.02);
}

TEST(PlacedBombList, FuseGoesOffPastTwentyAndEveryBombDueGoesOffInTheSameCall) {
    GameRig rig({"@.....", "......", "....#."});
    PlayState& p = rig.play();
    p.Bombs = 3;
    PlaceBomb(rig.game(), 3, 1);
    PlaceBomb(rig.game(), 5, 2);
    EXPECT_EQ(p.Bombs, 1);
    EXPECT_EQ(rig.Tile(1, 3), tcBusy);
    EXPECT_EQ(rig.Tile(2, 5), tcBusy);
    UpdateBombs(rig.game(), 1000);  // exactly 20: not yet
    EXPECT_EQ(p.PlacedBombCount, 2);
    EXPECT_EQ(p.ExplosionCount, 0);
    UpdateBombs(rig.game(), 1);
    EXPECT_EQ(p.PlacedBombCount, 0);
    ASSERT_EQ(p.ExplosionCount, 2);
    EXPECT_EQ(p.Explosions[1].Col, 3);
    EXPECT_EQ(p.Explosions[2].Col, 5);
    EXPECT_EQ(rig.Tile(3, 5), tcEmpty);  // the wall below the second bomb
    EXPECT_EQ(p.Lives, 3);               // the player stood outside both areas
}

// ---- Monsters ----

// The wall-following table, written out plainly, as an oracle for a kind-39 monster with a heading,
// no turn pending and nothing in motion: the move and the turn value it chooses for the given open
// neighbours, with the counter-clockwise turn tried first or second; the fixed search decides
// when no rule applies.
struct Choice {
    int Move;
    int Turn;
    bool operator==(const Choice& o) const { return Move == o.Move && Turn == o.Turn; }
};

// Open neighbours by (dr, dc).
struct Around {
    unsigned Bits;
    bool E(int dr, int dc) const { return Bits >> Index(dr, dc) & 1u; }
    static int Index(int dr, int dc) {
        const int i = (dr + 1) * 3 + (dc + 1);
        return i < 4 ? i : i - 1;  // the centre has no bit
    }
};

Choice Oracle(int heading, const Around& a, bool ccwFirst) {
    Choice ccw{0, 0}, cw{0, 0}, straight{0, 0};
    switch (heading) {
        case 1:
            if (a.E(0, -1) && !(a.E(1, -1) && a.E(-1, 0))) ccw = {2, 1};
            if (a.E(0, 1) && !(a.E(1, 1) && a.E(-1, 0))) cw = {4, -1};
            if (a.E(-1, 0)) straight = {1, 0};
            break;
        case 2:
            if (a.E(1, 0) && !(a.E(1, 1) && a.E(0, -1))) ccw = {3, 1};
            if (a.E(-1, 0) && !(a.E(-1, 1) && a.E(0, -1))) cw = {1, -1};
            if (a.E(0, -1)) straight = {2, 0};
            break;
        case 3:
            if (a.E(0, 1) && !(a.E(-1, 1) && a.E(1, 0))) ccw = {4, 1};
            if (a.E(0, -1) && !(a.E(-1, -1) && a.E(1, 0))) cw = {2, -1};
            if (a.E(1, 0)) straight = {3, 0};
            break;
        case 4:
            if (a.E(-1, 0) && !(a.E(-1, -1) && a.E(0, 1))) ccw = {1, 1};
            if (a.E(1, 0) && !a.E(1, -1)) cw = {3, -1};
            if (a.E(0, 1)) straight = {4, 0};
            ccwFirst = true;
            break;
    }
    // An array, not a list picked by ?: (the list's elements would not outlive the choice).
    const std::array<Choice, 3> order = ccwFirst ? std::array<Choice, 3>{ccw, cw, straight}
                                                 : std::array<Choice, 3>{cw, ccw, straight};
    for (const Choice& c : order)
        if (c.Move != 0) return c;
    if (a.E(-1, 0)) return {1, 0};
    if (a.E(0, -1)) return {2, 0};
    if (a.E(1, 0)) return {3, 0};
    if (a.E(0, 1)) return {4, 0};
    return {0, 0};
}

// One deciding tick of a kind-39 monster at (3, 3) with the given heading and neighbours, in a
// rig whose player stands far away.
Choice Decide(GameRig& rig, int heading, const Around& a, uint64_t seed) {
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
            if (dr != 0 || dc != 0) rig.Set(3 + dr, 3 + dc, a.E(dr, dc) ? tcEmpty : 45);
    rig.level().MonsterCount = 0;
    rig.level().Turn[1] = 0;
    rig.AddMonster(39, 3, 3);
    rig.level().Monsters[1].Heading = heading;
    rig.game().random.Seed(seed);
    MoveMonsters(rig.game(), 10);
    const TMonster& m = rig.level().Monsters[1];
    EXPECT_EQ(m.PosX, 120.0);  // a deciding tick does not move
    EXPECT_EQ(m.PosY, 120.0);
    return {m.Move, rig.level().Turn[1]};
}

TEST(MonsterTable, EveryNeighbourhoodOfEveryHeadingChoosesAsTheTableSays) {
    GameRig rig(5, 5);
    rig.PlacePlayer(5, 5);
    for (int heading = 1; heading <= 4; ++heading) {
        bool sawCcwFirst = false, sawCwFirst = false;
        for (unsigned bits = 0; bits < 256; ++bits) {
            const Around a{bits};
            const Choice first = Oracle(heading, a, true), second = Oracle(heading, a, false);
            const Choice got = Decide(rig, heading, a, 1 + bits);
            EXPECT_TRUE(got == first || got == second)
                << "heading " << heading << " neighbours " << bits << ": move " << got.Move
                << " turn " << got.Turn << ", expected move " << first.Move << " or "
                << second.Move;
            if (!(first == second)) {
                sawCcwFirst |= got == first;
                sawCwFirst |= got == second;
            }
        }
        if (heading == 4) continue;  // counter-clockwise first, always
        EXPECT_TRUE(sawCcwFirst) << heading;
        EXPECT_TRUE(sawCwFirst) << heading;
    }
}

TEST(MonsterDecision, ChosenMoveClaimsTheOwnCellAndSetsItsTarget) {
    GameRig rig({"WWWWW", "W...W", "WWNWW", "WWWWW", "@WWWW"});
    rig.Set(3, 3, tcEmpty);  // the cell is claimed by the decision itself
    TMonster& m = rig.level().Monsters[1];
    m.Heading = 2;  // left: counter-clockwise would be down (solid), clockwise up
    MoveMonsters(rig.game(), 10);
    EXPECT_EQ(m.Move, 1);
    EXPECT_EQ(m.TargetY, 80.0);
    EXPECT_EQ(m.FromCol, 3);
    EXPECT_EQ(m.FromRow, 3);
    EXPECT_EQ(rig.Tile(3, 3), tcBusy);
    EXPECT_EQ(rig.Tile(2, 3), tcEmpty);
}

// A turn left pending (from a destroyed neighbour's slot or a previous level) skips the wall
// rules for one decision, except going straight on with heading 4.
TEST(MonsterDecision, PendingTurnSkipsTheWallRulesButNotHeadingFourStraightOn) {
    // Heading 1, left open and the way ahead solid: the counter-clockwise turn would apply.
    GameRig rig({"WWWWW", "WWWWW", "W.MWW", "WWWWW", "@WWWW"});
    TMonster& m = rig.level().Monsters[1];
    m.Heading = 1;
    rig.level().Turn[1] = 1;
    MoveMonsters(rig.game(), 10);
    EXPECT_EQ(m.Move, 0);  // the spinning search took over: facing up, which is solid
    EXPECT_EQ(rig.level().Turn[1], 0);
    EXPECT_NEAR(m.FramePos, 0.3, 1e-12);  // turned in step 1 and again in the search
    MoveMonsters(rig.game(), 10);
    EXPECT_EQ(m.Move, 2);  // now the wall rule applies
    EXPECT_EQ(rig.level().Turn[1], 1);

    GameRig right({"WWWWW", "WWWWW", "WWM.W", "WWWWW", "@WWWW"});
    TMonster& r = right.level().Monsters[1];
    r.Heading = 4;
    right.level().Turn[1] = -1;
    MoveMonsters(right.game(), 10);
    EXPECT_EQ(r.Move, 4);
    EXPECT_EQ(r.TargetX, 160.0);
    EXPECT_EQ(right.level().Turn[1], 0);
    EXPECT_NEAR(r.FramePos, 7.85, 1e-12);  // step 1 turned it clockwise past 0
    EXPECT_EQ(r.Frame, 7);
}

TEST(MonsterDecision, SpinningSearchLeavesAsSoonAsThePictureFacesAnOpening) {
    GameRig rig({"WWWWW", "W.WWW", "WWMWW", "WWWWW", "@WWWW"});
    rig.Set(3, 2, tcEmpty);
    TMonster& m = rig.level().Monsters[1];
    m.FramePos = 1.9;  // 0.15 a tick at lag 10: pattern 2 (left) in the first tick
    MoveMonsters(rig.game(), 10);
    EXPECT_EQ(m.Frame, 2);
    EXPECT_EQ(m.Move, 2);
    EXPECT_EQ(m.TargetX, 80.0);
    EXPECT_EQ(rig.level().Turn[1], 0);

    // Past the last pattern the position wraps by the pattern count: pattern 0, up.
    GameRig wrap({"WWWWW", "WW.WW", "WWMWW", "WWWWW", "@WWWW"});
    TMonster& w = wrap.level().Monsters[1];
    w.FramePos = 7.9;
    MoveMonsters(wrap.game(), 10);
    EXPECT_NEAR(w.FramePos, 0.05, 1e-9);
    EXPECT_EQ(w.Frame, 0);
    EXPECT_EQ(w.Move, 1);
}

TEST(MonsterDecision, FixedSearchTakesUpThenLeftThenDownThenRight) {
    const char* layouts[] = {"WW.WW|W.N.W|WW.WW", "WWWWW|W.N.W|WW.WW", "WWWWW|WWN.W|WW.WW",
                             "WWWWW|WWN.W|WWWWW"};
    const int expected[] = {1, 2, 3, 4};
    for (int i = 0; i < 4; ++i) {
        std::vector<std::string> rows;
        std::string text = layouts[i];
        for (size_t start = 0;;) {
            const size_t bar = text.find('|', start);
            rows.push_back(text.substr(start, bar - start));
            if (bar == std::string::npos) break;
            start = bar + 1;
        }
        rows.push_back("WWWWW");
        rows.push_back("@WWWW");
        GameRig rig(rows);
        MoveMonsters(rig.game(), 10);
        EXPECT_EQ(rig.level().Monsters[1].Move, expected[i]) << layouts[i];
        EXPECT_EQ(rig.level().Turn[1], 0);
    }
}

TEST(MonsterTurning, PictureTurnsBothWaysWrappingAndStopsFacingTheMove) {
    GameRig rig({"WWWWW", "WW.WW", "WWMWW", "WWWWW", "@WWWW"});
    TMonster& m = rig.level().Monsters[1];
    m.Move = 1;
    m.TargetY = 80;
    m.FromCol = 3;
    m.FromRow = 3;
    m.FramePos = 7.9;
    m.Frame = 7;
    rig.level().Turn[1] = 1;  // counter-clockwise past the last pattern to pattern 0
    MoveMonsters(rig.game(), 10);
    EXPECT_NEAR(m.FramePos, 0.05, 1e-9);
    EXPECT_EQ(m.Frame, 0);
    EXPECT_EQ(rig.level().Turn[1], 0);
    EXPECT_LT(m.PosY, 120.0);  // facing, so it advanced in the same tick

    GameRig cw({"WWWWW", "WWWWW", "WWM.W", "WWWWW", "@WWWW"});
    TMonster& c = cw.level().Monsters[1];
    c.Move = 4;
    c.TargetX = 160;
    c.FromCol = 3;
    c.FromRow = 3;
    c.FramePos = 0.1;
    cw.level().Turn[1] = -1;  // clockwise below 0 wraps to the top patterns
    MoveMonsters(cw.game(), 10);
    EXPECT_NEAR(c.FramePos, 7.95, 1e-12);
    EXPECT_EQ(c.Frame, 7);
    EXPECT_EQ(cw.level().Turn[1], -1);
    EXPECT_EQ(c.PosX, 120.0);  // does not advance while turning
    for (int i = 0; i < 6; ++i) MoveMonsters(cw.game(), 10);
    EXPECT_EQ(c.Frame, 7);
    EXPECT_EQ(c.PosX, 120.0);
    MoveMonsters(cw.game(), 10);  // pattern 6 faces right: the turn ends and the move starts
    EXPECT_EQ(c.Frame, 6);
    EXPECT_EQ(cw.level().Turn[1], 0);
    EXPECT_DOUBLE_EQ(c.PosX, 123.0);
}

TEST(MonsterTurning, CrawlerDropsAPendingTurnAndMovesInTheSameTick) {
    GameRig rig({"WWWWW", "WWWWW", "WWN.W", "WWWWW", "@WWWW"});
    TMonster& m = rig.level().Monsters[1];
    m.Move = 4;
    m.TargetX = 160;
    m.FromCol = 3;
    m.FromRow = 3;
    rig.level().Turn[1] = 1;
    MoveMonsters(rig.game(), 10);
    EXPECT_EQ(rig.level().Turn[1], 0);
    EXPECT_DOUBLE_EQ(m.PosX, 123.0);  // 10 ms at 300 / 1000 pixels a ms
    EXPECT_EQ(m.Heading, 4);
}

TEST(MonsterMoving, ArrivalSnapsToTheTargetFreesTheCellLeftAndClaimsTheNewOne) {
    GameRig rig({"WWWWW", "WWWWW", "WWN.W", "WWWWW", "@WWWW"});
    TMonster& m = rig.level().Monsters[1];
    MoveMonsters(rig.game(), 10);  // fixed search: right
    ASSERT_EQ(m.Move, 4);
    MoveMonsters(rig.game(), 130);  // 39 pixels
    EXPECT_DOUBLE_EQ(m.PosX, 159.0);
    EXPECT_EQ(m.Col, 3);  // moving right it stays in its cell until it arrives
    EXPECT_EQ(rig.Tile(3, 4), tcEmpty);
    MoveMonsters(rig.game(), 10);
    EXPECT_EQ(m.PosX, 160.0);
    EXPECT_EQ(m.Move, 0);
    EXPECT_EQ(m.Col, 4);
    EXPECT_EQ(rig.Tile(3, 3), tcEmpty);
    EXPECT_EQ(rig.Tile(3, 4), tcBusy);
    // Exactly on the target is not yet past it.
    MoveMonsters(rig.game(), 10);  // decides: back left
    ASSERT_EQ(m.Move, 2);
    MoveMonsters(rig.game(), 400);  // 120 pixels in one tick: still snaps to the target
    EXPECT_EQ(m.PosX, 120.0);
    EXPECT_EQ(rig.Tile(3, 3), tcBusy);
    EXPECT_EQ(rig.Tile(3, 4), tcEmpty);
}

TEST(MonsterCatching, ATurningMonsterStillCatchesAPlayerInItsCell) {
    GameRig rig({"WWWWW", "WW.WW", "WWMWW", "WWWWW", "WWWWW"});
    rig.PlacePlayer(3, 3);
    TMonster& m = rig.level().Monsters[1];
    m.Move = 1;
    m.TargetY = 80;
    m.FramePos = 4;
    m.Frame = 4;
    rig.level().Turn[1] = 1;
    MoveMonsters(rig.game(), 10);
    EXPECT_EQ(rig.play().Lives, 2);
    EXPECT_EQ(rig.level().MonsterCount, 0);
    ASSERT_EQ(rig.play().ExplosionCount, 1);
    EXPECT_EQ(rig.play().Explosions[1].Col, 3);
    EXPECT_EQ(rig.play().Explosions[1].Row, 3);

    // With the guard up the catch does nothing.
    GameRig guarded({"WWWWW", "WW.WW", "WWMWW", "WWWWW", "WWWWW"});
    guarded.PlacePlayer(3, 3);
    guarded.level().Monsters[1].Move = 1;
    guarded.level().Monsters[1].TargetY = 80;
    guarded.level().Turn[1] = 1;
    guarded.play().BlastGuard = true;
    MoveMonsters(guarded.game(), 10);
    EXPECT_EQ(guarded.play().Lives, 3);
    EXPECT_EQ(guarded.play().ExplosionCount, 0);
}

}  // namespace
