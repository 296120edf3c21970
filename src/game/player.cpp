// The player character's per-tick move step (dying pause, steering, drift, exit, traps, walking
// and pushing, idle animation, view) and the operations that collect and hurt.
#include "game/player.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/game.h"
#include "app/messages.h"
#include "audio/audio.h"
#include "game/explosions.h"
#include "game/grid_access.h"
#include "game/player_steps.h"
#include "render/playfield.h"

namespace {

// Returns true while the dying pause holds the player; nothing else of the step runs then.
bool DyingPause(Game& game, TVuzoda& sprite, int32_t lag) {
    PlayState& p = game.play;
    if (!p.PlayerDying) return false;
    if (p.Lives < 1) {
        if (p.DyingTime == 0) {
            UsePicture(game, sprite, PlayerPicture::NoLives);
            sprite.PatternCount = 1;
            sprite.PatternPos = 0;
            sprite.Looping = false;
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

// The joystick wins over the keyboard when it is off centre; of the keys, a later state
// overrides an earlier one (right over left over down over up).
Direction ReadDirection(const DXInput& input) {
    Direction dir = Direction::None;
    if (input.JoyX != 0 || input.JoyY != 0) {
        int m = 0;
        if (input.JoyY < 0) {
            dir = Direction::Up;
            m = std::abs(input.JoyY);
        }
        if (input.JoyY > m) {
            dir = Direction::Down;
            m = std::abs(input.JoyY);
        }
        if (input.JoyX < -m) {
            dir = Direction::Left;
            m = std::abs(input.JoyX);
        }
        if (input.JoyX > m) dir = Direction::Right;
        return dir;
    }
    if (input.Has(isUp)) dir = Direction::Up;
    if (input.Has(isDown)) dir = Direction::Down;
    if (input.Has(isLeft)) dir = Direction::Left;
    if (input.Has(isRight)) dir = Direction::Right;
    return dir;
}

bool AnyTileIn(const tlevel& level, int32_t tile, int row0, int row1, int col0, int col1) {
    for (int r = row0; r <= row1; ++r) {
        for (int c = col0; c <= col1; ++c) {
            if (TileAt(level, r, c) == tile) return true;
        }
    }
    return false;
}

// Drift sources pull the player sideways without any collision check: 67 from up to four
// columns to the left pulls right, 66 from up to three columns to the right pulls left.
void Drift(Game& game, int col, int row, int32_t lag) {
    const tlevel& level = game.level;
    PlayState& p = game.play;
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
    if (drifted) p.PlayerPosX = ClampCentreX(game, p.PlayerPosX);
}

// Tips 105 and 106: the player seems walled in, and later found a way out.
void TrappedTip(Game& game, int col, int row) {
    const tlevel& level = game.level;
    if (!(1 < col && col < level.Cols)) return;
    auto free = [&](int r, int c) {
        const int32_t t = TileAt(level, r, c);
        return t >= tcInfotron && t <= tcBomb;
    };
    const bool wayOut = free(row, col + 1) || free(row, col - 1) || free(row - 1, col) ||
                        free(row + 1, col) || IsEmptyAt(level, row, col + 2) ||
                        IsEmptyAt(level, row, col - 2);
    const auto& shown = game.messages.MessageShown;
    if (wayOut) {
        if (shown[105] && !shown[106]) ShowMessage(game, 106);
    } else if (!shown[105]) {
        ShowMessage(game, 105);
    }
}

// The exit is reached by resting directly below it.
void CheckExit(Game& game, int col, int row) {
    PlayState& p = game.play;
    if (TileAt(game.level, row - 1, col) != tcExit) return;
    if (p.InfotronsGot < p.InfotronsNeeded) {
        TipExitClosed(game);
    } else if (!p.ExitReached) {
        p.LevelOutcome = 1;
        p.ExitReached = true;
        PlaySound(game, "termina");
    }
}

// A trap throws the player two cells back the way it came in (never past the last interior
// cell) and costs a life unless the blast guard is up. Returns true when it threw.
bool CheckTrap(Game& game, int col, int row) {
    PlayState& p = game.play;
    switch (TileAt(game.level, row, col)) {
        case tcTrapUp:
            p.TargetPosY = ClampCentreY(game, p.PlayerPosY + 80);
            p.MoveState = msDown;
            break;
        case tcTrapDown:
            p.TargetPosY = ClampCentreY(game, p.PlayerPosY - 80);
            p.MoveState = msUp;
            break;
        case tcTrapLeft:
            p.TargetPosX = ClampCentreX(game, p.PlayerPosX + 80);
            p.MoveState = msRight;
            break;
        case tcTrapRight:
            p.TargetPosX = ClampCentreX(game, p.PlayerPosX - 80);
            p.MoveState = msLeft;
            break;
        default:
            return false;
    }
    PlayerHit(game, col, row);
    return true;
}

// The pulsing hazard hurts while its phase is between 2 and 6.
void CheckHazard(Game& game, int col, int row) {
    const TCell& cell = game.level.Cells[row][col];
    if (cell.Tile == tcHazard && cell.Phase > 2 && cell.Phase < 6 && !game.play.BlastGuard) {
        HazardBlast(game, col, row);
    }
}

// After more than two idle seconds a short idle animation starts at random (1 in 100 a tick).
void Idle(Game& game, TVuzoda& sprite, int32_t lag) {
    PlayState& p = game.play;
    if (p.MoveState != msRest) {
        p.IdleTime = 0;
    } else {
        p.IdleTime += lag;
        if (p.IdleTime > 2000 && !p.IdleAnimating && game.random.Below(100) == 0) {
            p.IdleAnimating = true;
            p.IdleAnimTime = 0;
            UsePicture(game, sprite, PlayerPicture::Rest);
            sprite.PatternCount = 4;
            sprite.Looping = true;
            sprite.PatternSpeed = 0.01;
        }
    }
    if (p.IdleAnimating) {
        p.IdleAnimTime += lag;
        if (p.IdleAnimTime > 400) {
            sprite.PatternCount = 1;
            sprite.PatternPos = 0;
            sprite.Looping = false;
            p.IdleAnimating = false;
            p.IdleTime = 0;
        }
    }
    if (p.MoveState == msRest && !p.IdleAnimating) {
        UsePicture(game, sprite, PlayerPicture::Rest);
        sprite.Looping = false;
        sprite.PatternCount = 1;
    }
}

// Steps 10 to 13 of the move step: what the player does while at rest.
void AtRest(Game& game, TVuzoda& sprite, Direction dir, int col, int row, int32_t lag) {
    CheckExit(game, col, row);
    if (CheckTrap(game, col, row)) dir = Direction::None;
    CheckHazard(game, col, row);
    if (dir != Direction::None) {
        UseDirectionPicture(game, sprite, dir);
        TryDirection(game, dir, col, row);
    }
    Idle(game, sprite, lag);
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
    coord = static_cast<int>(std::trunc(target)) / 40 * 40 + 20;
}

void HoldPattern(TVuzoda& sprite, double pattern) {
    sprite.PatternPos = pattern;
    sprite.Looping = false;
}

// Eating in place: the eaten cell's phase runs from 0 past 4, then the cell is empty.
void AdvanceSnap(Game& game, TVuzoda& sprite, int32_t lag) {
    PlayState& p = game.play;
    HoldPattern(sprite, 0);
    if (!InGrid(p.SnapRow, p.SnapCol)) {
        p.MoveState = msRest;
        return;
    }
    TCell& cell = game.level.Cells[p.SnapRow][p.SnapCol];
    cell.Phase += static_cast<double>(static_cast<int64_t>(lag) * game.settings.Speed) / 6000;
    if (cell.Phase > 4) {
        cell.Tile = tcEmpty;
        cell.Phase = 0;
        p.MoveState = msRest;
    }
}

// Step 14: walking at Speed / 1000 px per ms, pushing right and up/down at Speed / 1500 and
// pushing left at (Speed - 100) / 1000. The distances are worked out from the whole product
// lag x Speed, so that steps which divide a cell evenly add up to it exactly.
void Movement(Game& game, TVuzoda& sprite, int32_t lag) {
    PlayState& p = game.play;
    const int64_t s = game.settings.Speed;
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
            UsePicture(game, sprite, PlayerPicture::PushRight);
            HoldPattern(sprite, 0);
            Advance(p, p.PlayerPosX, p.TargetPosX, push);
            break;
        case msPushLeft:
            UsePicture(game, sprite, PlayerPicture::PushLeft);
            HoldPattern(sprite, 0);
            Advance(p, p.PlayerPosX, p.TargetPosX, -pushLeft);
            break;
        case msPushUp:
            HoldPattern(sprite, 1);
            Advance(p, p.PlayerPosY, p.TargetPosY, -push);
            break;
        case msPushDown:
            HoldPattern(sprite, 1);
            Advance(p, p.PlayerPosY, p.TargetPosY, push);
            break;
        case msSnap:
            AdvanceSnap(game, sprite, lag);
            break;
        default:
            break;
    }
}

// Whatever the player's centre was in at the start of the tick is taken or cleared, except
// empty and busy cells, traps, ports, the hazard and the eating animations.
void ClearPlayerCell(tlevel& level, int col, int row) {
    const int32_t t = TileAt(level, row, col);
    if (t == tcEmpty || t >= tcEatFirst || t == tcBusy || t == tcHazard) return;
    if (t >= tcTrapLeft && t <= tcTrapRight) return;
    if (t >= tcPortRight && t <= tcPortUp) return;
    SetTile(level, row, col, tcEmpty);
}

}  // namespace

double ClampCentreX(const Game& game, double x) {
    return std::clamp(x, 60.0, 40.0 * std::max(game.level.Cols, 1) + 20);
}

double ClampCentreY(const Game& game, double y) {
    return std::clamp(y, 60.0, 40.0 * std::max(game.level.Rows, 1) + 20);
}

void TVuzoda::MoveStep(int lag) {
    PlayerMove(game_, *this, lag);
}

void PlayerMove(Game& game, TVuzoda& sprite, int32_t lag) {
    PlayState& p = game.play;
    sprite.BaseMoveStep(lag);
    if (DyingPause(game, sprite, lag)) return;

    // The player's cell at the start of the tick serves the whole tick. It is always an
    // interior cell; a start position outside the play area counts as the nearest one.
    const int col = std::clamp(static_cast<int>(std::trunc(p.PlayerPosX)) / 40, 1,
                               std::max(game.level.Cols, 1));
    const int row = std::clamp(static_cast<int>(std::trunc(p.PlayerPosY)) / 40, 1,
                               std::max(game.level.Rows, 1));
    const Direction dir = ReadDirection(game.media.Input);
    p.PushRight = p.PushLeft = p.PushUp = p.PushDown = false;
    Drift(game, col, row, lag);
    TrappedTip(game, col, row);
    if (game.input.BombKey && dir == Direction::None && p.Bombs > 0) PlaceBomb(game, col, row);
    if (p.MoveState == msRest) AtRest(game, sprite, dir, col, row, lag);
    Movement(game, sprite, lag);
    // The sprite's collision check has nothing to meet: the player is the only sprite.
    ClearPlayerCell(game.level, col, row);

    int32_t viewX = 0, viewY = 0;
    ComputeViewOrigin(game.level, p.PlayerPosX, p.PlayerPosY, viewX, viewY);
    game.media.DXSpriteEngine.SpriteRoot.X = viewX;
    game.media.DXSpriteEngine.SpriteRoot.Y = viewY;
    sprite.X = p.PlayerPosX - 20;
    sprite.Y = p.PlayerPosY - 20;
    p.PlayerX = static_cast<int32_t>(std::trunc(p.PlayerPosX));
    p.PlayerY = static_cast<int32_t>(std::trunc(p.PlayerPosY));
}

void CollectInfotron(Game& game) {
    PlayState& p = game.play;
    p.InfotronsGot += 1;
    PlaySound(game, "infotron");
    if (p.InfotronsGot != p.InfotronsNeeded) return;
    if (p.CurrentLevel == 1) {
        ShowMessage(game, 115);
    } else if (p.CurrentLevel == 2) {
        ShowMessage(game, 116);
    } else {
        ShowMessage(game, 117);
    }
}

void CollectLife(Game& game) {
    PlayState& p = game.play;
    if (p.Lives > 5) {
        ShowMessage(game, 110);
        return;
    }
    p.Lives += 1;
    PlaySound(game, "infotron");
    ShowMessage(game, 111);
}

void CollectBomb(Game& game) {
    game.play.Bombs += 1;
    PlaySound(game, "infotron");
    ShowMessage(game, game.messages.MessageShown[112] ? 118 : 112);
}

void TipExitClosed(Game& game) {
    if (!game.messages.MessageShown[103]) ShowMessage(game, 103);
}

void PlayerHit(Game& game, int col, int row) {
    PlayState& p = game.play;
    if (p.BlastGuard) return;
    p.DyingTime = 0;
    ExplosionEffect(game, col, row);
    p.PlayerDying = true;
    p.Lives -= 1;
    ShowMessage(game, 113);
}

// Every red or yellow dynamite within ten cells (a 21 x 21 square cut to the play area) goes
// off, visited row by row; a dynamite already gone in an earlier blast's chain is skipped.
void DetonateNearby(Game& game, int col, int row) {
    const tlevel& level = game.level;
    const int rowLast = std::min(level.Rows, row + 10);
    const int colLast = std::min(level.Cols, col + 10);
    for (int r = std::max(1, row - 10); r <= rowLast; ++r) {
        for (int c = std::max(1, col - 10); c <= colLast; ++c) {
            const int32_t t = TileAt(level, r, c);
            if (t == tcRedDynamite || t == tcYellowDynamite) AreaBlast(game, c, r);
        }
    }
}
