// Explosions: the destroying area blast with its chain reactions, the infotron blast, the
// explosion animations, the player's bombs and the removal of blown-up monsters.
#include "game/explosions.h"

#include "app/game.h"
#include "app/messages.h"
#include "audio/audio.h"
#include "game/grid_access.h"

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
void SetCentre(Game& game, int col, int row, int32_t tile) {
    if (InInterior(game.level, row, col)) SetTile(game.level, row, col, tile);
}

// Every monster standing in the cell is removed, scanning the table from the first entry.
void RemoveMonstersAt(Game& game, int row, int col) {
    tlevel& level = game.level;
    int i = 1;
    while (i <= level.MonsterCount) {
        if (level.Monsters[i].Col == col && level.Monsters[i].Row == row) {
            RemoveMonster(game, i);
        } else {
            ++i;
        }
    }
}

void GuardPlayerIfAlive(Game& game) {
    if (game.play.Lives > 0) game.play.BlastGuard = true;
}

bool PlayerInCell(const Game& game, int row, int col) {
    return col == game.play.PlayerX / 40 && row == game.play.PlayerY / 40;
}

}  // namespace

void ExplosionEffect(Game& game, int col, int row) {
    PlaySound(game, "explozie");
    PlayState& play = game.play;
    // A full list drops the animation only; the caller's cell work still happens.
    if (play.ExplosionCount >= kMaxExplosions) return;
    TExplosion& e = play.Explosions[++play.ExplosionCount];
    e.PixelX = 40 * col - 40;
    e.PixelY = 40 * row - 40;
    e.Col = col;
    e.Row = row;
    e.Phase = 0;
}

void AreaBlast(Game& game, int col, int row) {
    ExplosionEffect(game, col, row);
    // The centre is emptied before its neighbours are touched, so a chain reaction that comes
    // back to this cell does not set it off a second time.
    SetCentre(game, col, row, tcEmpty);
    for (const auto& d : kAreaOffsets) {
        const int r = row + d[0];
        const int c = col + d[1];
        if (InGrid(r, c)) BlastCell(game, r, c);
    }
    GuardPlayerIfAlive(game);
}

void BlastCell(Game& game, int row, int col) {
    tlevel& level = game.level;
    PlayState& play = game.play;
    // Depth first: a bomb or dynamite goes off completely before this blast goes on.
    if (SetsOffChain(TileAt(level, row, col))) AreaBlast(game, col, row);
    if (PlayerInCell(game, row, col) && !play.BlastGuard) {
        play.DyingTime = 0;
        play.PlayerDying = true;
        play.Lives -= 1;
        if (!play.LevelAborted) ShowMessage(game, 113);
    }
    const int32_t tile = TileAt(level, row, col);
    if (Destructible(tile)) {
        if (tile == tcInfotron) TipInfotronLost(game);
        SetTile(level, row, col, tcEmpty);
    }
    RemoveMonstersAt(game, row, col);
}

void InfotronBlast(Game& game, int col, int row) {
    ExplosionEffect(game, col, row);
    SetCentre(game, col, row, tcInfotron);
    for (const auto& d : kAreaOffsets) {
        const int r = row + d[0];
        const int c = col + d[1];
        if (!InGrid(r, c)) continue;
        if (Destructible(TileAt(game.level, r, c))) SetTile(game.level, r, c, tcInfotron);
        RemoveMonstersAt(game, r, c);
    }
    GuardPlayerIfAlive(game);
}

void HazardBlast(Game& game, int col, int row) {
    if (game.play.BlastGuard) return;
    game.play.DyingTime = 0;
    AreaBlast(game, col, row);
}

void PlaceBomb(Game& game, int col, int row) {
    PlayState& play = game.play;
    for (int i = 1; i <= play.PlacedBombCount; ++i) {
        if (play.PlacedBombs[i].Col == col && play.PlacedBombs[i].Row == row) return;
    }
    // With the list full the bomb is not placed: the player keeps it and the cell stays.
    if (play.PlacedBombCount >= kMaxPlacedBombs) return;
    play.PlacedBombs[++play.PlacedBombCount] = TPlacedBomb{col, row, 0.0};
    play.Bombs -= 1;
    SetTile(game.level, row, col, tcBusy);
}

void UpdateExplosions(Game& game, int32_t lag) {
    PlayState& play = game.play;
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

void UpdateBombs(Game& game, int32_t lag) {
    PlayState& play = game.play;
    int i = 1;
    while (i <= play.PlacedBombCount) {
        play.PlacedBombs[i].Fuse += 0.02 * lag;
        if (play.PlacedBombs[i].Fuse > 20) {
            AreaBlast(game, play.PlacedBombs[i].Col, play.PlacedBombs[i].Row);
            for (int k = i; k < play.PlacedBombCount; ++k)
                play.PlacedBombs[k] = play.PlacedBombs[k + 1];
            play.PlacedBombCount -= 1;
        } else {
            ++i;
        }
    }
}

void RemoveMonster(Game& game, int index) {
    tlevel& level = game.level;
    if (index < 1 || index > level.MonsterCount) return;
    // Whole entries move down; the turning values stay with their table slots.
    for (int k = index; k < level.MonsterCount; ++k) level.Monsters[k] = level.Monsters[k + 1];
    level.MonsterCount -= 1;
}

void TipInfotronLost(Game& game) {
    const auto& shown = game.messages.MessageShown;
    if (!shown[102]) {
        ShowMessage(game, 102);
    } else if (!shown[104]) {
        ShowMessage(game, 104);
    } else if (!shown[107]) {
        ShowMessage(game, 107);
    }
}
