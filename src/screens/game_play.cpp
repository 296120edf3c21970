// The game-play screen: the simulation in its fixed order, the frame, and the end checks.
#include <algorithm>
#include <cmath>

#include "app/game.h"
#include "app/screen_dispatch.h"
#include "game/explosions.h"
#include "game/grid_access.h"
#include "game/monsters.h"
#include "game/objects.h"
#include "render/playfield.h"
#include "screens/level_start.h"
#include "screens/screens.h"

namespace {

// The world advances in this order: the player (through the sprite engine), the objects it may
// have pushed, the monsters, then the blasts and fuses, which see everything else's new cells.
void AdvanceSimulation(Game& game, int32_t lag) {
    game.media.DXSpriteEngine.MoveSprites(lag);
    game.media.DXSpriteEngine.RemoveDeadSprites();
    MoveObjects(game, lag);
    MoveMonsters(game, lag);
    UpdateExplosions(game, lag);
    UpdateBombs(game, lag);
    game.play.LevelTime += lag;
}

// Escape gives the level up once: no lives left, a blast on the player's cell (which shows no
// "lost one life" message because LevelAborted is already set) and the aborted outcome.
void GiveUp(Game& game) {
    PlayState& play = game.play;
    play.Lives = 0;
    play.LevelAborted = true;
    HazardBlast(game, play.PlayerX / 40, play.PlayerY / 40);
    game.input.EscapePressed = false;
    play.LevelOutcome = 3;
    game.input.Paused = false;
}

// A timer that runs while its flag is set; true once it has reached `after` milliseconds.
bool TimerDone(bool flag, int32_t& timer, int32_t lag, int32_t after) {
    if (!flag) return false;
    timer += lag;
    return timer >= after;
}

// The end checks and the key requests are independent: several may switch screens in one tick,
// and the last switch wins.
void CheckLevelEnd(Game& game, int32_t lag) {
    PlayState& play = game.play;
    if (game.input.EscapePressed && !play.LevelAborted) GiveUp(game);
    if (play.Lives <= 0) {
        play.LevelLost = true;
        game.input.Paused = false;
    }
    if (TimerDone(play.LevelLost, play.LostTime, lag, 1000)) SetScreen(game, scLevelEnd);
    if (TimerDone(play.LevelAborted, play.AbortTime, lag, 1000)) SetScreen(game, scLevelEnd);
    if (TimerDone(play.ExitReached, play.ExitTime, lag, 500)) SetScreen(game, scLevelEnd);
    if (game.input.ChangeCharacterKey) {
        game.input.Paused = false;
        SetScreen(game, scCharacterSelect);
    }
    if (game.input.HelpKey) {
        game.input.Paused = false;
        SetScreen(game, scInformation);
    }
}

// A move that the screen reset cuts short (the display switch, or the way back from the help or
// character screen in the middle of a step) ends as if it had run out: the player stands at the
// centre of the cell it was heading for, and a cell being eaten in place is gone. Otherwise the
// player would rest between two cells and walk on off the grid's lines, and an infotron, life
// or bomb it was walking into, already counted when the step began, would stay in its cell to
// be counted again.
void FinishCutMove(Game& game) {
    PlayState& play = game.play;
    auto centre = [](double target) { return static_cast<int>(std::trunc(target)) / 40 * 40 + 20; };
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
            if (InGrid(play.SnapRow, play.SnapCol)) {
                TCell& cell = game.level.Cells[play.SnapRow][play.SnapCol];
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

}  // namespace

void GamePlayTick(Game& game, int32_t lag) {
    // A long tick (the window held still, a stalled machine) is simulated as several short ones
    // of the same total: in one jump the player could pass the point at which a push starts and
    // walk over the object. Ticks at 25 frames a second and more are one step, as they are.
    constexpr int32_t kLongestStep = 40;
    if (!game.input.Paused) {
        for (int32_t left = lag; left > 0; left -= kLongestStep)
            AdvanceSimulation(game, std::min(left, kLongestStep));
    }
    DrawPlayField(game, lag);
    CheckLevelEnd(game, lag);
}

void ResetPlayScreens(Game& game) {
    PlayState& play = game.play;
    play.LevelAborted = play.LevelLost = play.ExitReached = false;
    play.AbortTime = play.LostTime = play.ExitTime = 0;
    play.PlayerDying = false;
    FinishCutMove(game);
    play.MoveState = msRest;
    play.IdleAnimating = false;
}

void PrepareLevelStart(Game& game) {
    PlayState& play = game.play;
    play.ExplosionCount = 0;
    play.PlacedBombCount = 0;
    play.BlastGuard = false;
    tlevel& level = game.level;
    const int32_t count = std::clamp(level.MonsterCount, 0, kMonsterSlots);
    for (int32_t i = 1; i <= count; ++i) {
        TMonster& m = level.Monsters[i];
        m.Heading = 0;
        m.TargetX = m.TargetY = 0;
        m.FromCol = m.FromRow = 0;
        if (i <= kMaxMonsters) level.Turn[i] = 0;
    }
}
