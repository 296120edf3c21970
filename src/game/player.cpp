// The player character's per-tick move step (dying pause, steering, drift, exit, traps, walking
// and pushing, idle animation, view) and the operations that collect and hurt.
#include "game/player.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game/camera.h"
#include "game/events.h"
#include "game/explosions.h"
#include "game/grid_access.h"
#include "game/player_steps.h"
#include "game/world.h"

namespace {

// Returns true while the dying pause holds the player; nothing else of the step runs then.
bool DyingPause(World& world, PlayerLook& look, int32_t lag) {
    PlayState& p = world.play;
    if (!p.PlayerDying) return false;
    if (p.Lives < 1) {
        if (p.DyingTime == 0) {
            look.Picture = PlayerPicture::NoLives;
            look.PatternCount = 1;
            look.PatternPos = 0;
            look.Looping = false;
            p.LevelLost = true;
        }
        return true;  // frozen for good
    }
    p.DyingTime += lag;
    if (p.DyingTime > 100) {
        p.PlayerDying = false;
        p.BlastGuard = false;
    }
    return true;
}

bool AnyTileIn(const LevelGrid& level, int32_t tile, int row0, int row1, int col0, int col1) {
    for (int r = row0; r <= row1; ++r) {
        for (int c = col0; c <= col1; ++c) {
            if (TileAt(level, c, r) == tile) return true;
        }
    }
    return false;
}

// Drift sources pull the player sideways without any collision check: 67 from up to four
// columns to the left pulls right, 66 from up to three columns to the right pulls left.
void Drift(World& world, int col, int row, int32_t lag) {
    const LevelGrid& level = world.level;
    PlayState& p = world.play;
    bool drifted = false;
    if (col > 3 && row > 3 && AnyTileIn(level, tcDriftRight, row - 2, row, col - 4, col - 1)) {
        p.PlayerPosX += 0.1 * lag;
        drifted = true;
    }
    if (col < level.Cols - 3 && row > 3 &&
        AnyTileIn(level, tcDriftLeft, row - 2, row, col + 1, col + 3)) {
        p.PlayerPosX -= 0.1 * lag;
        drifted = true;
    }
    if (drifted) p.PlayerPosX = ClampCentreX(world, p.PlayerPosX);
}

// Tips 105 and 106: the player seems walled in, and later found a way out.
void TrappedTip(World& world, GameEvents& events, int col, int row) {
    const LevelGrid& level = world.level;
    if (!(1 < col && col < level.Cols)) return;
    auto free = [&](int r, int c) {
        const int32_t t = TileAt(level, c, r);
        return t >= tcInfotron && t <= tcBomb;
    };
    const bool wayOut = free(row, col + 1) || free(row, col - 1) || free(row - 1, col) ||
                        free(row + 1, col) || IsEmptyAt(level, col + 2, row) ||
                        IsEmptyAt(level, col - 2, row);
    const bool blocked = events.MessageShown(MessageId::TipBlockedYourself);
    if (wayOut) {
        if (blocked && !events.MessageShown(MessageId::TipFoundWayOut))
            events.ShowMessage(MessageId::TipFoundWayOut);
    } else if (!blocked) {
        events.ShowMessage(MessageId::TipBlockedYourself);
    }
}

// The exit is reached by resting directly below it.
void CheckExit(World& world, GameEvents& events, int col, int row) {
    PlayState& p = world.play;
    if (TileAt(world.level, col, row - 1) != tcExit) return;
    if (p.InfotronsGot < p.InfotronsNeeded) {
        TipExitClosed(events);
    } else if (!p.ExitReached) {
        p.LevelOutcome = kOutcomeMade;
        p.ExitReached = true;
        events.PlaySound("termina");
    }
}

// A trap throws the player two cells back the way it came in (never past the last interior
// cell) and costs a life unless the blast guard is up. Returns true when it threw.
bool CheckTrap(World& world, GameEvents& events, int col, int row) {
    PlayState& p = world.play;
    switch (TileAt(world.level, col, row)) {
        case tcTrapUp:
            p.TargetPosY = ClampCentreY(world, p.PlayerPosY + 80);
            p.MoveState = msDown;
            break;
        case tcTrapDown:
            p.TargetPosY = ClampCentreY(world, p.PlayerPosY - 80);
            p.MoveState = msUp;
            break;
        case tcTrapLeft:
            p.TargetPosX = ClampCentreX(world, p.PlayerPosX + 80);
            p.MoveState = msRight;
            break;
        case tcTrapRight:
            p.TargetPosX = ClampCentreX(world, p.PlayerPosX - 80);
            p.MoveState = msLeft;
            break;
        default:
            return false;
    }
    PlayerHit(world, events, col, row);
    return true;
}

// The pulsing hazard hurts while its phase is between 2 and 6.
void CheckHazard(World& world, GameEvents& events, int col, int row) {
    const Cell& cell = world.level.Cells[row][col];
    if (cell.Tile == tcHazard && cell.Phase > 2 && cell.Phase < 6 && !world.play.BlastGuard) {
        HazardBlast(world, events, col, row);
    }
}

// After more than two idle seconds a short idle animation starts at random (1 in 100 a tick).
void Idle(World& world, PlayerLook& look, int32_t lag) {
    PlayState& p = world.play;
    if (p.MoveState != msRest) {
        p.IdleTime = 0;
    } else {
        p.IdleTime += lag;
        if (p.IdleTime > 2000 && !p.IdleAnimating && world.random.Below(100) == 0) {
            p.IdleAnimating = true;
            p.IdleAnimTime = 0;
            look.Picture = PlayerPicture::Rest;
            look.PatternCount = 4;
            look.Looping = true;
            look.PatternSpeed = 0.01;
        }
    }
    if (p.IdleAnimating) {
        p.IdleAnimTime += lag;
        if (p.IdleAnimTime > 400) {
            look.PatternCount = 1;
            look.PatternPos = 0;
            look.Looping = false;
            p.IdleAnimating = false;
            p.IdleTime = 0;
        }
    }
    if (p.MoveState == msRest && !p.IdleAnimating) {
        look.Picture = PlayerPicture::Rest;
        look.Looping = false;
        look.PatternCount = 1;
    }
}

// What the player does while at rest: the exit, traps and the hazard, then a new direction.
void AtRest(World& world, GameEvents& events, PlayerLook& look, Direction dir, int col, int row,
            int32_t lag) {
    CheckExit(world, events, col, row);
    if (CheckTrap(world, events, col, row)) dir = Direction::None;
    CheckHazard(world, events, col, row);
    if (dir != Direction::None) {
        UseDirectionPicture(look, dir);
        TryDirection(world, events, dir, col, row);
    }
    Idle(world, look, lag);
}

// Moves one coordinate towards its target by `pixels` (signed); on arrival the coordinate
// becomes the centre of the target's cell and the player is at rest.
void Advance(PlayState& p, double& coord, double target, double pixels) {
    const double next = coord + pixels;
    const bool arrived = pixels < 0 ? next <= target : next >= target;
    if (!arrived) {
        coord = next;
        return;
    }
    p.MoveState = msRest;
    coord = static_cast<int>(std::trunc(target)) / kCellSize * kCellSize + 20;
}

void HoldPattern(PlayerLook& look, double pattern) {
    look.PatternPos = pattern;
    look.Looping = false;
}

// Eating in place: the eaten cell's phase runs from 0 past 4, then the cell is empty.
void AdvanceSnap(World& world, PlayerLook& look, int32_t lag) {
    PlayState& p = world.play;
    HoldPattern(look, 0);
    if (!InGrid(p.SnapCol, p.SnapRow)) {
        p.MoveState = msRest;
        return;
    }
    Cell& cell = world.level.Cells[p.SnapRow][p.SnapCol];
    cell.Phase += static_cast<double>(static_cast<int64_t>(lag) * world.Speed) / 6000;
    if (cell.Phase > 4) {
        cell.Tile = tcEmpty;
        cell.Phase = 0;
        p.MoveState = msRest;
    }
}

// The move itself: walking at Speed / 1000 px per ms, pushing right and up/down at Speed / 1500 and
// pushing left at (Speed - 100) / 1000. The distances are worked out from the whole product
// lag x Speed, so that steps which divide a cell evenly add up to it exactly.
void Movement(World& world, PlayerLook& look, int32_t lag) {
    PlayState& p = world.play;
    const int64_t s = world.Speed;
    const double walk = static_cast<double>(lag * s) / 1000;
    const double push = static_cast<double>(lag * s) / 1500;
    const double pushLeft = static_cast<double>(lag * (s - 100)) / 1000;
    switch (p.MoveState) {
        case msUp:
            Advance(p, p.PlayerPosY, p.TargetPosY, -walk);
            break;
        case msDown:
            Advance(p, p.PlayerPosY, p.TargetPosY, walk);
            break;
        case msLeft:
            Advance(p, p.PlayerPosX, p.TargetPosX, -walk);
            break;
        case msRight:
            Advance(p, p.PlayerPosX, p.TargetPosX, walk);
            break;
        case msPushRight:
            look.Picture = PlayerPicture::PushRight;
            HoldPattern(look, 0);
            Advance(p, p.PlayerPosX, p.TargetPosX, push);
            break;
        case msPushLeft:
            look.Picture = PlayerPicture::PushLeft;
            HoldPattern(look, 0);
            Advance(p, p.PlayerPosX, p.TargetPosX, -pushLeft);
            break;
        case msPushUp:
            HoldPattern(look, 1);
            Advance(p, p.PlayerPosY, p.TargetPosY, -push);
            break;
        case msPushDown:
            HoldPattern(look, 1);
            Advance(p, p.PlayerPosY, p.TargetPosY, push);
            break;
        case msSnap:
            AdvanceSnap(world, look, lag);
            break;
        default:
            break;
    }
}

// Whatever the player's centre was in at the start of the tick is taken or cleared, except
// empty and busy cells, traps, ports, the hazard and the eating animations.
void ClearPlayerCell(LevelGrid& level, int col, int row) {
    const int32_t t = TileAt(level, col, row);
    if (t == tcEmpty || t >= tcEatFirst || t == tcBusy || t == tcHazard) return;
    if (t >= tcTrapLeft && t <= tcTrapRight) return;
    if (t >= tcPortRight && t <= tcPortUp) return;
    SetTile(level, col, row, tcEmpty);
}

}  // namespace

double ClampCentreX(const World& world, double x) {
    return std::clamp(x, 60.0, kCellSize * std::max(world.level.Cols, 1) + 20.0);
}

double ClampCentreY(const World& world, double y) {
    return std::clamp(y, 60.0, kCellSize * std::max(world.level.Rows, 1) + 20.0);
}

void PlayerMove(World& world, GameEvents& events, int32_t lag) {
    PlayState& p = world.play;
    PlayerLook& look = world.look;
    AdvancePlayerPattern(look, lag);
    if (DyingPause(world, look, lag)) return;

    // The player's cell at the start of the tick serves the whole tick. It is always an
    // interior cell; a start position outside the play area counts as the nearest one.
    const int col = std::clamp(static_cast<int>(std::trunc(p.PlayerPosX)) / kCellSize, 1,
                               std::max(world.level.Cols, 1));
    const int row = std::clamp(static_cast<int>(std::trunc(p.PlayerPosY)) / kCellSize, 1,
                               std::max(world.level.Rows, 1));
    const Direction dir = world.controls.Steer;
    p.PushRight = p.PushLeft = p.PushUp = p.PushDown = false;
    Drift(world, col, row, lag);
    TrappedTip(world, events, col, row);
    if (world.controls.Bomb && dir == Direction::None && p.Bombs > 0) PlaceBomb(world, col, row);
    if (p.MoveState == msRest) AtRest(world, events, look, dir, col, row, lag);
    Movement(world, look, lag);
    ClearPlayerCell(world.level, col, row);

    // The view follows the player's exact centre; its picture sits on that centre.
    int32_t viewX = 0, viewY = 0;
    ComputeViewOrigin(world.level, p.PlayerPosX, p.PlayerPosY, viewX, viewY);
    p.PlayerViewX = viewX;
    p.PlayerViewY = viewY;
    look.X = p.PlayerPosX - 20;
    look.Y = p.PlayerPosY - 20;
    p.PlayerX = static_cast<int32_t>(std::trunc(p.PlayerPosX));
    p.PlayerY = static_cast<int32_t>(std::trunc(p.PlayerPosY));
}

void CollectInfotron(World& world, GameEvents& events) {
    PlayState& p = world.play;
    p.InfotronsGot += 1;
    events.PlaySound("infotron");
    if (p.InfotronsGot != p.InfotronsNeeded) return;
    if (p.CurrentLevel == 1) {
        events.ShowMessage(MessageId::TipInfotronsCompleteFirstLevel);
    } else if (p.CurrentLevel == 2) {
        events.ShowMessage(MessageId::TipInfotronsCompleteSecondLevel);
    } else {
        events.ShowMessage(MessageId::TipInfotronsComplete);
    }
}

void CollectLife(World& world, GameEvents& events) {
    PlayState& p = world.play;
    if (p.Lives > 5) {
        events.ShowMessage(MessageId::TipTooManyLives);
        return;
    }
    p.Lives += 1;
    events.PlaySound("infotron");
    events.ShowMessage(MessageId::TipLifePickedUp);
}

void CollectBomb(World& world, GameEvents& events) {
    world.play.Bombs += 1;
    events.PlaySound("infotron");
    events.ShowMessage(events.MessageShown(MessageId::TipFirstBombPickedUp)
                           ? MessageId::TipBombPickedUp
                           : MessageId::TipFirstBombPickedUp);
}

void TipExitClosed(GameEvents& events) {
    if (!events.MessageShown(MessageId::TipExitClosed))
        events.ShowMessage(MessageId::TipExitClosed);
}

void PlayerHit(World& world, GameEvents& events, int col, int row) {
    PlayState& p = world.play;
    if (p.BlastGuard) return;
    p.DyingTime = 0;
    ExplosionEffect(world, events, col, row);
    p.PlayerDying = true;
    p.Lives -= 1;
    events.ShowMessage(MessageId::LifeLost);
}

// Every red or yellow dynamite within ten cells (a 21 x 21 square cut to the play area) goes
// off, visited row by row; a dynamite already gone in an earlier blast's chain is skipped.
void DetonateNearby(World& world, GameEvents& events, int col, int row) {
    const LevelGrid& level = world.level;
    const int rowLast = std::min(level.Rows, row + 10);
    const int colLast = std::min(level.Cols, col + 10);
    for (int r = std::max(1, row - 10); r <= rowLast; ++r) {
        for (int c = std::max(1, col - 10); c <= colLast; ++c) {
            const int32_t t = TileAt(level, c, r);
            if (t == tcRedDynamite || t == tcYellowDynamite) AreaBlast(world, events, c, r);
        }
    }
}
