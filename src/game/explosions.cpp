// Explosions: the destroying area blast with its chain reactions, the infotron blast, the
// explosion animations, the player's bombs and the removal of blown-up monsters.
#include "game/explosions.h"

#include "game/events.h"
#include "game/grid_access.h"
#include "game/world.h"

namespace {

// The nine cells of a blast, in the order they are visited: row by row, left to right.
constexpr int kAreaOffsets[9][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 0},
                                    {0, 1},   {1, -1}, {1, 0},  {1, 1}};

// Codes below 39 give way to a blast, except the border and the black ball.
bool Destructible(int32_t tile) {
    return tile < 39 && !IsBorderCode(tile) && tile != tcBall;
}

bool SetsOffChain(int32_t tile) {
    return tile == tcBomb || tile == tcRedDynamite || tile == tcYellowDynamite;
}

// The blast's centre takes its new code only inside the play area: a blast reaching the border
// ring (an object landing just above the player in the last row) leaves the border as it is.
void SetCentre(World& world, int col, int row, int32_t tile) {
    if (InInterior(world.level, col, row)) SetTile(world.level, col, row, tile);
}

// Every monster standing in the cell is removed, scanning the table from the first entry.
void RemoveMonstersAt(World& world, int row, int col) {
    LevelGrid& level = world.level;
    int i = 1;
    while (i <= level.MonsterCount) {
        if (level.Monsters[i].Col == col && level.Monsters[i].Row == row) {
            RemoveMonster(world, i);
        } else {
            ++i;
        }
    }
}

void GuardPlayerIfAlive(World& world) {
    if (world.play.Lives > 0) world.play.BlastGuard = true;
}

bool PlayerInCell(const World& world, int row, int col) {
    return col == world.play.PlayerX / kCellSize && row == world.play.PlayerY / kCellSize;
}

}  // namespace

void ExplosionEffect(World& world, GameEvents& events, int col, int row) {
    events.PlaySound("explozie");
    PlayState& play = world.play;
    // A full list drops the animation only; the caller's cell work still happens.
    if (play.ExplosionCount >= kMaxExplosions) return;
    Explosion& e = play.Explosions[++play.ExplosionCount];
    e.PixelX = kCellSize * col - kCellSize;
    e.PixelY = kCellSize * row - kCellSize;
    e.Col = col;
    e.Row = row;
    e.Phase = 0;
}

void AreaBlast(World& world, GameEvents& events, int col, int row) {
    ExplosionEffect(world, events, col, row);
    // The centre is emptied before its neighbours are touched, so a chain reaction that comes
    // back to this cell does not set it off a second time.
    SetCentre(world, col, row, tcEmpty);
    for (const auto& d : kAreaOffsets) {
        const int r = row + d[0];
        const int c = col + d[1];
        if (InGrid(c, r)) BlastCell(world, events, c, r);
    }
    GuardPlayerIfAlive(world);
}

void BlastCell(World& world, GameEvents& events, int col, int row) {
    LevelGrid& level = world.level;
    PlayState& play = world.play;
    // Depth first: a bomb or dynamite goes off completely before this blast goes on.
    if (SetsOffChain(TileAt(level, col, row))) AreaBlast(world, events, col, row);
    if (PlayerInCell(world, row, col) && !play.BlastGuard) {
        play.DyingTime = 0;
        play.PlayerDying = true;
        play.Lives -= 1;
        if (!play.LevelAborted) events.ShowMessage(MessageId::LifeLost);
    }
    const int32_t tile = TileAt(level, col, row);
    if (Destructible(tile)) {
        if (tile == tcInfotron) TipInfotronLost(events);
        SetTile(level, col, row, tcEmpty);
    }
    RemoveMonstersAt(world, row, col);
}

void InfotronBlast(World& world, GameEvents& events, int col, int row) {
    ExplosionEffect(world, events, col, row);
    SetCentre(world, col, row, tcInfotron);
    for (const auto& d : kAreaOffsets) {
        const int r = row + d[0];
        const int c = col + d[1];
        if (!InGrid(c, r)) continue;
        if (Destructible(TileAt(world.level, c, r))) SetTile(world.level, c, r, tcInfotron);
        RemoveMonstersAt(world, r, c);
    }
    GuardPlayerIfAlive(world);
}

void HazardBlast(World& world, GameEvents& events, int col, int row) {
    if (world.play.BlastGuard) return;
    world.play.DyingTime = 0;
    AreaBlast(world, events, col, row);
}

void PlaceBomb(World& world, int col, int row) {
    PlayState& play = world.play;
    for (int i = 1; i <= play.PlacedBombCount; ++i) {
        if (play.PlacedBombs[i].Col == col && play.PlacedBombs[i].Row == row) return;
    }
    // With the list full the bomb is not placed: the player keeps it and the cell stays.
    if (play.PlacedBombCount >= kMaxPlacedBombs) return;
    play.PlacedBombs[++play.PlacedBombCount] = PlacedBomb{col, row, 0.0};
    play.Bombs -= 1;
    SetTile(world.level, col, row, tcBusy);
}

void UpdateExplosions(World& world, int32_t lag) {
    PlayState& play = world.play;
    int i = 1;
    while (i <= play.ExplosionCount) {
        play.Explosions[i].Phase += 0.02 * lag;
        if (play.Explosions[i].Phase > 10) {
            for (int k = i; k < play.ExplosionCount; ++k)
                play.Explosions[k] = play.Explosions[k + 1];
            play.ExplosionCount -= 1;
            play.BlastGuard = false;
        } else {
            ++i;
        }
    }
}

void UpdateBombs(World& world, GameEvents& events, int32_t lag) {
    PlayState& play = world.play;
    int i = 1;
    while (i <= play.PlacedBombCount) {
        play.PlacedBombs[i].Fuse += 0.02 * lag;
        if (play.PlacedBombs[i].Fuse > 20) {
            AreaBlast(world, events, play.PlacedBombs[i].Col, play.PlacedBombs[i].Row);
            for (int k = i; k < play.PlacedBombCount; ++k)
                play.PlacedBombs[k] = play.PlacedBombs[k + 1];
            play.PlacedBombCount -= 1;
        } else {
            ++i;
        }
    }
}

void RemoveMonster(World& world, int index) {
    LevelGrid& level = world.level;
    if (index < 1 || index > level.MonsterCount) return;
    // Whole entries move down; the turning values stay with their table slots.
    for (int k = index; k < level.MonsterCount; ++k) level.Monsters[k] = level.Monsters[k + 1];
    level.MonsterCount -= 1;
}

void TipInfotronLost(GameEvents& events) {
    if (!events.MessageShown(MessageId::TipBlastDestroyedInfotron)) {
        events.ShowMessage(MessageId::TipBlastDestroyedInfotron);
    } else if (!events.MessageShown(MessageId::TipSecondInfotronLost)) {
        events.ShowMessage(MessageId::TipSecondInfotronLost);
    } else if (!events.MessageShown(MessageId::TipMoreInfotronsLost)) {
        events.ShowMessage(MessageId::TipMoreInfotronsLost);
    }
}
