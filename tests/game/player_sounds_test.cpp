// The sounds of the player's move step and of its collecting and hurting operations, counted
// play by play.
#include <gtest/gtest.h>

#include "game/game_rig.h"

namespace {

// Sounds counted in one rig; every case skips itself when no sound device opens here.
#define REQUIRE_SOUNDS(rig) \
    if (!(rig).CountSounds()) GTEST_SKIP() << "no sound device"

TEST(PlayerSounds, EveryPushStartsWithImpinge) {
    for (const auto& [rows, held] : {std::pair<std::vector<std::string>, int>{{"@O "}, isRight},
                                     {{" y@"}, isLeft},
                                     {{" ", "r", "@"}, isUp},
                                     {{"@", "r", " ", "X"}, isDown}}) {
        GameRig rig(rows);
        REQUIRE_SOUNDS(rig);
        rig.Hold(held);
        rig.Tick(10);
        rig.Hold(-1);
        rig.TicksUntilRest(10);
        EXPECT_EQ(rig.Plays("impinge"), 1) << held;
        EXPECT_EQ(rig.Plays("manancacircuit"), 0) << held;
    }
}

TEST(PlayerSounds, CircuitsCrunchWhenWalkedIntoButNotWhenEatenInPlace) {
    GameRig walk({"@::"});
    REQUIRE_SOUNDS(walk);
    walk.Hold(isRight);
    walk.Ticks(40, 10);
    EXPECT_EQ(walk.Plays("manancacircuit"), 2);
    EXPECT_EQ(walk.Plays("infotron"), 0);

    GameRig snap({"@:"});
    REQUIRE_SOUNDS(snap);
    snap.game().input.SnapKey = true;
    snap.Hold(isRight);
    snap.Tick(10);
    EXPECT_EQ(snap.Plays("manancacircuit"), 0);
}

TEST(PlayerSounds, CollectingPlaysInfotronAndARefusedLifeIsSilent) {
    GameRig rig({"@o+b"});
    REQUIRE_SOUNDS(rig);
    rig.Hold(isRight);
    rig.Ticks(60, 10);
    EXPECT_EQ(rig.play().InfotronsGot, 1);
    EXPECT_EQ(rig.play().Lives, 4);
    EXPECT_EQ(rig.play().Bombs, 1);
    EXPECT_EQ(rig.Plays("infotron"), 3);

    GameRig six({"@+"});
    REQUIRE_SOUNDS(six);
    six.play().Lives = 6;
    six.Hold(isRight);
    six.Tick(10);
    EXPECT_EQ(six.Plays("infotron"), 0);
    EXPECT_EQ(six.Queued(110), 1);
}

TEST(PlayerSounds, ATrapHitExplodesOnceAndAGuardedThrowIsSilent) {
    GameRig rig({"@", "^", " ", " "});
    REQUIRE_SOUNDS(rig);
    rig.PlacePlayer(2, 1);
    rig.Tick(10);
    EXPECT_EQ(rig.Plays("explozie"), 1);
    EXPECT_EQ(rig.play().ExplosionCount, 1);
    EXPECT_EQ(rig.play().Explosions[1].Col, 1);
    EXPECT_EQ(rig.play().Explosions[1].Row, 2);

    GameRig guarded({"@", "^", " ", " "});
    REQUIRE_SOUNDS(guarded);
    guarded.PlacePlayer(2, 1);
    guarded.play().BlastGuard = true;
    guarded.Tick(10);
    EXPECT_EQ(guarded.Plays("explozie"), 0);
    EXPECT_EQ(guarded.play().ExplosionCount, 0);
}

}  // namespace
