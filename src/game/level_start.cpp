// Starting a level: the record placed into the world and the counters a level starts with.
#include "game/level_start.h"

#include <algorithm>

#include "game/world.h"
#include "level/level_loader.h"

namespace {

// The infotrons needed (the quota, or every infotron of the level without one) and a random
// starting phase for every animated cell of the play area.
void PreparePlayArea(World& world) {
    LevelGrid& level = world.level;
    for (int r = 1; r <= level.Rows; ++r)
        for (int c = 1; c <= level.Cols; ++c) {
            const int32_t t = level.Cells[r][c].Tile;
            if (level.InfotronQuota != 0)
                world.play.InfotronsNeeded = level.InfotronQuota;
            else if (t == tcInfotron)
                ++world.play.InfotronsNeeded;
            const int32_t rate = world.tiles.FrameRate[t];
            if (rate > 0) level.Cells[r][c].Phase = world.random.Below(rate);
        }
}

}  // namespace

void PlaceLevel(World& world, const LevelRecord& record) {
    LevelGrid& level = world.level;
    StoreLevelRecord(level, record);
    world.play.PlayerX = level.StartX;
    world.play.PlayerY = level.StartY;
    world.play.PlayerPosX = level.StartX;
    world.play.PlayerPosY = level.StartY;
    world.play.FallCount = 0;
}

void StartLevel(World& world, const LevelRecord& record) {
    PlaceLevel(world, record);
    PlayState& play = world.play;
    play.InfotronsNeeded = 0;
    play.LevelOutcome = kOutcomeKilled;
    PreparePlayArea(world);
    play.Lives = 3;
    play.LevelTime = 0;
    play.InfotronsGot = 0;
    play.Bombs = 0;
}

void PrepareLevelStart(World& world) {
    PlayState& play = world.play;
    play.ExplosionCount = 0;
    play.PlacedBombCount = 0;
    play.BlastGuard = false;
    // The idle animation draws random numbers, by which the monsters choose their turns: a
    // player left idle at the end of the last level must not change how this one plays.
    play.IdleTime = 0;
    play.IdleAnimating = false;
    play.IdleAnimTime = 0;
    // Nor may the last level's moves: the player starts at rest, as in a fresh game.
    play.MoveState = msRest;
    play.TargetPosX = play.TargetPosY = 0;
    play.SnapCol = play.SnapRow = 0;
    play.PushRight = play.PushLeft = play.PushUp = play.PushDown = false;
    LevelGrid& level = world.level;
    const int32_t count = std::clamp(level.MonsterCount, 0, kMonsterSlots);
    for (int32_t i = 1; i <= count; ++i) {
        Monster& m = level.Monsters[i];
        m.Heading = 0;
        m.TargetX = m.TargetY = 0;
        m.FromCol = m.FromRow = 0;
        if (i <= kMaxMonsters) level.Turn[i] = 0;
    }
}
