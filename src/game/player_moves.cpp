// The player's choices at rest for one direction: walking, eating in place, collecting, jumping
// through ports, using dynamite terminals, entering traps and pushing.
#include "game/events.h"
#include "game/grid_access.h"
#include "game/player.h"
#include "game/player_steps.h"
#include "game/world.h"

namespace {

// Sets the target `distance` pixels away in the direction and the walking state.
void StartMove(World& world, Direction dir, double distance) {
    PlayState& p = world.play;
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

void Walk(World& world, Direction dir) {
    StartMove(world, dir, kCellSize);
}
void Jump(World& world, Direction dir) {
    StartMove(world, dir, 80);
}

// A push walks into the object's cell at the push speed; the flag tells the world update of
// the same tick to move the object.
void StartPush(World& world, GameEvents& events, Direction dir) {
    PlayState& p = world.play;
    Walk(world, dir);
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
    events.PlaySound("impinge");
}

bool IsWalkable(int32_t tile) {
    return tile >= tcInfotron && tile <= tcBomb;
}
bool IsLooseObject(int32_t tile) {
    return tile >= tcBall && tile <= tcYellowDynamite;
}

// What lies beyond a port is taken when the jump starts; the tile itself goes when the
// player's centre enters its cell.
void CollectBeyond(World& world, GameEvents& events, int32_t tile) {
    if (tile == tcInfotron) CollectInfotron(world, events);
    if (tile == tcLife) CollectLife(world, events);
    if (tile == tcBomb) CollectBomb(world, events);
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
void EatInPlace(World& world, GameEvents& events, int row, int col) {
    Cell& n = world.level.Cells[row][col];
    bool eaten = false;
    if (n.Tile >= tcCircuit1 && n.Tile <= tcCircuit3) {
        n.Tile = tcCircuitEatenInPlace;
        eaten = true;
    }
    if (n.Tile == tcInfotron) {
        n.Tile = tcInfotronEatenInPlace;
        CollectInfotron(world, events);
        eaten = true;
    }
    if (n.Tile == tcBomb) {
        CollectBomb(world, events);
        eaten = true;
    }
    if (!eaten) return;
    n.Phase = 0;
    world.play.MoveState = msSnap;
    world.play.SnapCol = col;
    world.play.SnapRow = row;
}

// The neighbour holds a tile from 12 to 19.
void EnterWalkable(World& world, GameEvents& events, Direction dir, int row, int col) {
    if (world.controls.Snap) {
        EatInPlace(world, events, row, col);
        return;
    }
    Cell& n = world.level.Cells[row][col];
    Walk(world, dir);
    if (n.Tile == tcInfotron) CollectInfotron(world, events);
    if (n.Tile == tcLife) CollectLife(world, events);
    if (n.Tile == tcBomb) CollectBomb(world, events);
    if (n.Tile >= tcCircuit1 && n.Tile <= tcCircuit3) {
        events.PlaySound("manancacircuit");
        n.Tile = EatingTile(n.Tile, dir);
    }
}

// Each direction tests its neighbour's tile in its own order; every test is for a different
// tile, so at most one applies. Reads two cells away are guarded so they stay in the play area.
void TryUp(World& world, GameEvents& events, int col, int row) {
    const LevelGrid& level = world.level;
    const int32_t n = TileAt(level, col, row - 1);
    if (IsWalkable(n)) {
        EnterWalkable(world, events, Direction::Up, row - 1, col);
    } else if (n == tcPortUp && row > 2 && !IsLooseObject(TileAt(level, col, row - 2))) {
        Jump(world, Direction::Up);
        CollectBeyond(world, events, TileAt(level, col, row - 2));
    } else if (n == tcTerminal) {
        DetonateNearby(world, events, col, row);
    } else if (n == tcTrapUp) {
        Walk(world, Direction::Up);
    } else if (row > 2 && n == tcRedDynamite && IsEmptyAt(level, col, row - 2)) {
        StartPush(world, events, Direction::Up);
    }
}

void TryDown(World& world, GameEvents& events, int col, int row) {
    LevelGrid& level = world.level;
    const int32_t n = TileAt(level, col, row + 1);
    const bool roomBeyond = row < level.Rows - 1;
    if (IsWalkable(n)) {
        EnterWalkable(world, events, Direction::Down, row + 1, col);
    } else if (n == tcPortDown && roomBeyond && !IsLooseObject(TileAt(level, col, row + 2))) {
        Jump(world, Direction::Down);
        CollectBeyond(world, events, TileAt(level, col, row + 2));
    } else if (n == tcTerminal) {
        DetonateNearby(world, events, col, row);
    } else if (n == tcOneShotTerminal) {
        DetonateNearby(world, events, col, row);
        SetTile(level, col, row + 1, tcUsedTerminal);
    } else if (n == tcTrapDown) {
        Walk(world, Direction::Down);
    } else if (roomBeyond && n == tcRedDynamite && IsEmptyAt(level, col, row + 2)) {
        StartPush(world, events, Direction::Down);
    }
}

void TryLeft(World& world, GameEvents& events, int col, int row) {
    const LevelGrid& level = world.level;
    const int32_t n = TileAt(level, col - 1, row);
    if (IsWalkable(n)) {
        EnterWalkable(world, events, Direction::Left, row, col - 1);
    } else if (n == tcTerminal) {
        DetonateNearby(world, events, col, row);
    } else if (col > 2 && IsLooseObject(n) && IsEmptyAt(level, col - 2, row)) {
        StartPush(world, events, Direction::Left);
    } else if (n == tcPortLeft && col > 2 && !IsLooseObject(TileAt(level, col - 2, row))) {
        Jump(world, Direction::Left);
        CollectBeyond(world, events, TileAt(level, col - 2, row));
    } else if (n == tcHazard && level.Cells[row][col - 1].Phase > 6) {
        Walk(world, Direction::Left);
    } else if (n == tcTrapLeft) {
        Walk(world, Direction::Left);
    }
}

void TryRight(World& world, GameEvents& events, int col, int row) {
    const LevelGrid& level = world.level;
    const int32_t n = TileAt(level, col + 1, row);
    const bool roomBeyond = col < level.Cols - 1;
    if (IsWalkable(n)) {
        EnterWalkable(world, events, Direction::Right, row, col + 1);
    } else if (n == tcPortRight && roomBeyond && !IsLooseObject(TileAt(level, col + 2, row))) {
        Jump(world, Direction::Right);
        CollectBeyond(world, events, TileAt(level, col + 2, row));
    } else if (n == tcTerminal) {
        DetonateNearby(world, events, col, row);
    } else if (n == tcHazard && level.Cells[row][col + 1].Phase > 6) {
        Walk(world, Direction::Right);
    } else if (roomBeyond && IsLooseObject(n) && IsEmptyAt(level, col + 2, row)) {
        StartPush(world, events, Direction::Right);
    } else if (n == tcTrapRight) {
        Walk(world, Direction::Right);
    }
}

}  // namespace

void TryDirection(World& world, GameEvents& events, Direction dir, int col, int row) {
    switch (dir) {
        case Direction::Up:
            TryUp(world, events, col, row);
            break;
        case Direction::Down:
            TryDown(world, events, col, row);
            break;
        case Direction::Left:
            TryLeft(world, events, col, row);
            break;
        case Direction::Right:
            TryRight(world, events, col, row);
            break;
        case Direction::None:
            break;
    }
}
