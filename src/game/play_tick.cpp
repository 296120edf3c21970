// One tick of play in the world's fixed order, giving up, the level's end and cut moves.
#include "game/play_tick.h"

#include <algorithm>
#include <cmath>

#include "game/explosions.h"
#include "game/grid_access.h"
#include "game/monsters.h"
#include "game/objects.h"
#include "game/player.h"
#include "game/world.h"

namespace {

constexpr int32_t kLongestStep = 40;  // ms: ticks at 25 frames a second and more are one step

void AdvanceOneStep(World& world, GameEvents& events, int32_t lag) {
    PlayerMove(world, events, lag);
    MoveObjects(world, events, lag);
    MoveMonsters(world, events, lag);
    UpdateExplosions(world, lag);
    UpdateBombs(world, events, lag);
    world.play.LevelTime += lag;
}

// A timer that runs while its flag is set; true once it has reached `after` milliseconds.
bool TimerDone(bool flag, int32_t& timer, int32_t lag, int32_t after) {
    if (!flag) return false;
    timer += lag;
    return timer >= after;
}

}  // namespace

void AdvanceWorld(World& world, GameEvents& events, int32_t lag) {
    for (int32_t left = lag; left > 0; left -= kLongestStep)
        AdvanceOneStep(world, events, std::min(left, kLongestStep));
}

void GiveUp(World& world, GameEvents& events) {
    PlayState& play = world.play;
    play.Lives = 0;
    play.LevelAborted = true;
    HazardBlast(world, events, play.PlayerX / kCellSize, play.PlayerY / kCellSize);
    play.LevelOutcome = kOutcomeAborted;
}

LevelEndCheck CheckLevelEnd(World& world, int32_t lag) {
    PlayState& play = world.play;
    LevelEndCheck check;
    if (play.Lives <= 0) {
        play.LevelLost = true;
        check.NoLivesLeft = true;
    }
    // Each timer runs on its own: all three may run out in the same tick.
    const bool lost = TimerDone(play.LevelLost, play.LostTime, lag, 1000);
    const bool aborted = TimerDone(play.LevelAborted, play.AbortTime, lag, 1000);
    const bool exited = TimerDone(play.ExitReached, play.ExitTime, lag, 500);
    check.EndScreenDue = lost || aborted || exited;
    return check;
}

void FinishCutMove(World& world) {
    PlayState& play = world.play;
    auto centre = [](double target) {
        return static_cast<int>(std::trunc(target)) / kCellSize * kCellSize + 20;
    };
    switch (play.MoveState) {
        case msUp:
        case msDown:
        case msPushUp:
        case msPushDown:
            play.PlayerPosY = centre(play.TargetPosY);
            break;
        case msLeft:
        case msRight:
        case msPushLeft:
        case msPushRight:
            play.PlayerPosX = centre(play.TargetPosX);
            break;
        case msSnap:
            if (InGrid(play.SnapCol, play.SnapRow)) {
                Cell& cell = world.level.Cells[play.SnapRow][play.SnapCol];
                cell.Tile = tcEmpty;
                cell.Phase = 0;
            }
            break;
        default:
            return;
    }
    play.PlayerX = static_cast<int32_t>(std::trunc(play.PlayerPosX));
    play.PlayerY = static_cast<int32_t>(std::trunc(play.PlayerPosY));
}

void ResetPlayState(World& world) {
    PlayState& play = world.play;
    play.LevelAborted = play.LevelLost = play.ExitReached = false;
    play.AbortTime = play.LostTime = play.ExitTime = 0;
    play.PlayerDying = false;
    FinishCutMove(world);
    play.MoveState = msRest;
    play.IdleAnimating = false;
}
