// The player's choices at rest for one direction: walking, eating in place, collecting, jumping
// through ports, using dynamite terminals, entering traps and pushing.
#include "app/game.h"
#include "audio/audio.h"
#include "game/grid_access.h"
#include "game/player.h"
#include "game/player_steps.h"

namespace {

// Sets the target `distance` pixels away in the direction and the walking state.
void StartMove(Game& game, Direction dir, double distance) {
    PlayState& p = game.play;
    switch (dir) {
        case Direction::Up:
            p.TargetPosY = p.PlayerPosY - distance;
            p.MoveState = msUp;
            break;
        case Direction::Down:
            p.TargetPosY = p.PlayerPosY + distance;
            p.MoveState = msDown;
            break;
        case Direction::Left:
            p.TargetPosX = p.PlayerPosX - distance;
            p.MoveState = msLeft;
            break;
        case Direction::Right:
            p.TargetPosX = p.PlayerPosX + distance;
            p.MoveState = msRight;
            break;
        case Direction::None:
            break;
    }
}

void Walk(Game& game, Direction dir) {
    StartMove(game, dir, 40);
}
void Jump(Game& game, Direction dir) {
    StartMove(game, dir, 80);
}

// A push walks into the object's cell at the push speed; the flag tells the world update of
// the same tick to move the object.
void StartPush(Game& game, Direction dir) {
    PlayState& p = game.play;
    Walk(game, dir);
    switch (dir) {
        case Direction::Up:
            p.MoveState = msPushUp;
            p.PushUp = true;
            break;
        case Direction::Down:
            p.MoveState = msPushDown;
            p.PushDown = true;
            break;
        case Direction::Left:
            p.MoveState = msPushLeft;
            p.PushLeft = true;
            break;
        case Direction::Right:
            p.MoveState = msPushRight;
            p.PushRight = true;
            break;
        case Direction::None:
            break;
    }
    PlaySound(game, "impinge");
}

bool IsWalkable(int32_t tile) {
    return tile >= tcInfotron && tile <= tcBomb;
}
bool IsLooseObject(int32_t tile) {
    return tile >= tcBall && tile <= tcYellowDynamite;
}

// What lies beyond a port is taken when the jump starts; the tile itself goes when the
// player's centre enters its cell.
void CollectBeyond(Game& game, int32_t tile) {
    if (tile == tcInfotron) CollectInfotron(game);
    if (tile == tcLife) CollectLife(game);
    if (tile == tcBomb) CollectBomb(game);
}

// The eating animation of circuit 16, 17 or 18 for the direction of the move.
int32_t EatingTile(int32_t circuit, Direction dir) {
    int32_t offset = 0;
    if (dir == Direction::Left) offset = 1;
    if (dir == Direction::Up) offset = 2;
    if (dir == Direction::Down) offset = 3;
    return tcEatFirst + 4 * (circuit - tcCircuit1) + offset;
}

// Space held: circuits, infotrons and bombs are eaten where they lie; the player stays.
void EatInPlace(Game& game, int row, int col) {
    TCell& n = game.level.Cells[row][col];
    bool eaten = false;
    if (n.Tile >= tcCircuit1 && n.Tile <= tcCircuit3) {
        n.Tile = tcCircuitEatenInPlace;
        eaten = true;
    }
    if (n.Tile == tcInfotron) {
        n.Tile = tcInfotronEatenInPlace;
        CollectInfotron(game);
        eaten = true;
    }
    if (n.Tile == tcBomb) {
        CollectBomb(game);
        eaten = true;
    }
    if (!eaten) return;
    n.Phase = 0;
    game.play.MoveState = msSnap;
    game.play.SnapCol = col;
    game.play.SnapRow = row;
}

// The neighbour holds a tile from 12 to 19.
void EnterWalkable(Game& game, Direction dir, int row, int col) {
    if (game.input.SnapKey) {
        EatInPlace(game, row, col);
        return;
    }
    TCell& n = game.level.Cells[row][col];
    Walk(game, dir);
    if (n.Tile == tcInfotron) CollectInfotron(game);
    if (n.Tile == tcLife) CollectLife(game);
    if (n.Tile == tcBomb) CollectBomb(game);
    if (n.Tile >= tcCircuit1 && n.Tile <= tcCircuit3) {
        PlaySound(game, "manancacircuit");
        n.Tile = EatingTile(n.Tile, dir);
    }
}

// Each direction tests its neighbour's tile in its own order; every test is for a different
// tile, so at most one applies. Reads two cells away are guarded so they stay in the play area.
void TryUp(Game& game, int col, int row) {
    const tlevel& level = game.level;
    const int32_t n = TileAt(level, row - 1, col);
    if (IsWalkable(n)) {
        EnterWalkable(game, Direction::Up, row - 1, col);
    } else if (n == tcPortUp && row > 2 && !IsLooseObject(TileAt(level, row - 2, col))) {
        Jump(game, Direction::Up);
        CollectBeyond(game, TileAt(level, row - 2, col));
    } else if (n == tcTerminal) {
        DetonateNearby(game, col, row);
    } else if (n == tcTrapUp) {
        Walk(game, Direction::Up);
    } else if (row > 2 && n == tcRedDynamite && IsEmptyAt(level, row - 2, col)) {
        StartPush(game, Direction::Up);
    }
}

void TryDown(Game& game, int col, int row) {
    tlevel& level = game.level;
    const int32_t n = TileAt(level, row + 1, col);
    const bool roomBeyond = row < level.Rows - 1;
    if (IsWalkable(n)) {
        EnterWalkable(game, Direction::Down, row + 1, col);
    } else if (n == tcPortDown && roomBeyond && !IsLooseObject(TileAt(level, row + 2, col))) {
        Jump(game, Direction::Down);
        CollectBeyond(game, TileAt(level, row + 2, col));
    } else if (n == tcTerminal) {
        DetonateNearby(game, col, row);
    } else if (n == tcOneShotTerminal) {
        DetonateNearby(game, col, row);
        SetTile(level, row + 1, col, tcUsedTerminal);
    } else if (n == tcTrapDown) {
        Walk(game, Direction::Down);
    } else if (roomBeyond && n == tcRedDynamite && IsEmptyAt(level, row + 2, col)) {
        StartPush(game, Direction::Down);
    }
}

void TryLeft(Game& game, int col, int row) {
    const tlevel& level = game.level;
    const int32_t n = TileAt(level, row, col - 1);
    if (IsWalkable(n)) {
        EnterWalkable(game, Direction::Left, row, col - 1);
    } else if (n == tcTerminal) {
        DetonateNearby(game, col, row);
    } else if (col > 2 && IsLooseObject(n) && IsEmptyAt(level, row, col - 2)) {
        StartPush(game, Direction::Left);
    } else if (n == tcPortLeft && col > 2 && !IsLooseObject(TileAt(level, row, col - 2))) {
        Jump(game, Direction::Left);
        CollectBeyond(game, TileAt(level, row, col - 2));
    } else if (n == tcHazard && level.Cells[row][col - 1].Phase > 6) {
        Walk(game, Direction::Left);
    } else if (n == tcTrapLeft) {
        Walk(game, Direction::Left);
    }
}

void TryRight(Game& game, int col, int row) {
    const tlevel& level = game.level;
    const int32_t n = TileAt(level, row, col + 1);
    const bool roomBeyond = col < level.Cols - 1;
    if (IsWalkable(n)) {
        EnterWalkable(game, Direction::Right, row, col + 1);
    } else if (n == tcPortRight && roomBeyond && !IsLooseObject(TileAt(level, row, col + 2))) {
        Jump(game, Direction::Right);
        CollectBeyond(game, TileAt(level, row, col + 2));
    } else if (n == tcTerminal) {
        DetonateNearby(game, col, row);
    } else if (n == tcHazard && level.Cells[row][col + 1].Phase > 6) {
        Walk(game, Direction::Right);
    } else if (roomBeyond && IsLooseObject(n) && IsEmptyAt(level, row, col + 2)) {
        StartPush(game, Direction::Right);
    } else if (n == tcTrapRight) {
        Walk(game, Direction::Right);
    }
}

}  // namespace

void TryDirection(Game& game, Direction dir, int col, int row) {
    switch (dir) {
        case Direction::Up:
            TryUp(game, col, row);
            break;
        case Direction::Down:
            TryDown(game, col, row);
            break;
        case Direction::Left:
            TryLeft(game, col, row);
            break;
        case Direction::Right:
            TryRight(game, col, row);
            break;
        case Direction::None:
            break;
    }
}
