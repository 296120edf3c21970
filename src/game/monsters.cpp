// The crawling monsters: deciding where to go (wall following, spinning or fixed search),
// turning the kind-38 picture, moving cell by cell and catching the player.
#include "game/monsters.h"

#include <cmath>

#include "game/events.h"
#include "game/explosions.h"
#include "game/grid_access.h"
#include "game/world.h"

namespace {

enum MonsterMove : int32_t { mvNone = 0, mvUp = 1, mvLeft = 2, mvDown = 3, mvRight = 4 };

// The picture pattern of kind 38 facing each direction (index: the direction).
constexpr int32_t kFacingFrame[5] = {-1, 0, 2, 4, 6};

// Turn values belong to the first 100 table slots; an entry beyond them never turns.
int32_t& TurnSlot(LevelGrid& level, int m, int32_t& spare) {
    if (m <= kMaxMonsters) return level.Turn[m];
    spare = 0;
    return spare;
}

// What the deciding rules look at: the monster, its turn slot and its cell's surroundings.
struct Decision {
    const LevelGrid& level;
    Monster& mon;
    int32_t& turn;
    GameRandom& random;
    double turnStep;  // picture patterns turned this tick

    bool Empty(int dr, int dc) const { return IsEmptyAt(level, mon.Col + dc, mon.Row + dr); }

    // Chooses a move in a direction and the turn the picture must make first.
    void Choose(int32_t dir, int32_t turnValue) {
        mon.Move = dir;
        if (dir == mvLeft) mon.TargetX = mon.PosX - kCellSize;
        if (dir == mvRight) mon.TargetX = mon.PosX + kCellSize;
        if (dir == mvUp) mon.TargetY = mon.PosY - kCellSize;
        if (dir == mvDown) mon.TargetY = mon.PosY + kCellSize;
        turn = turnValue;
    }
    // A turn to a side: taken when the side is open, unless both the cell diagonally behind on
    // that side and the cell ahead are open too.
    void TurnUnless(int32_t dir, int32_t turnValue, bool open, bool behindOpen, bool aheadOpen) {
        if (mon.Move == mvNone && open && !(behindOpen && aheadOpen)) Choose(dir, turnValue);
    }
    void Straight(int32_t dir, bool open) {
        if (mon.Move == mvNone && open) Choose(dir, 0);
    }
};

// Runs the two turn rules in random order, each with probability 1/2 of going first.
template <class Ccw, class Cw>
void TurnsInRandomOrder(Decision& d, Ccw ccw, Cw cw) {
    if (d.random.Below(2) == 0) {
        ccw();
        cw();
    } else {
        cw();
        ccw();
    }
}

// Wall following by the heading of the last move; the turns are tried before straight on.
void FollowWall(Decision& d) {
    switch (d.mon.Heading) {
        case mvUp:
            TurnsInRandomOrder(
                d,
                [&] { d.TurnUnless(mvLeft, +1, d.Empty(0, -1), d.Empty(1, -1), d.Empty(-1, 0)); },
                [&] { d.TurnUnless(mvRight, -1, d.Empty(0, 1), d.Empty(1, 1), d.Empty(-1, 0)); });
            d.Straight(mvUp, d.Empty(-1, 0));
            break;
        case mvLeft:
            TurnsInRandomOrder(
                d, [&] { d.TurnUnless(mvDown, +1, d.Empty(1, 0), d.Empty(1, 1), d.Empty(0, -1)); },
                [&] { d.TurnUnless(mvUp, -1, d.Empty(-1, 0), d.Empty(-1, 1), d.Empty(0, -1)); });
            d.Straight(mvLeft, d.Empty(0, -1));
            break;
        case mvDown:
            TurnsInRandomOrder(
                d, [&] { d.TurnUnless(mvRight, +1, d.Empty(0, 1), d.Empty(-1, 1), d.Empty(1, 0)); },
                [&] { d.TurnUnless(mvLeft, -1, d.Empty(0, -1), d.Empty(-1, -1), d.Empty(1, 0)); });
            d.Straight(mvDown, d.Empty(1, 0));
            break;
        case mvRight:
            // Counter-clockwise first; the clockwise turn has a condition of its own.
            d.TurnUnless(mvUp, +1, d.Empty(-1, 0), d.Empty(-1, -1), d.Empty(0, 1));
            if (d.mon.Move == mvNone && d.Empty(1, 0) && !d.Empty(1, -1)) d.Choose(mvDown, -1);
            d.Straight(mvRight, d.Empty(0, 1));
            break;
        default:
            break;  // no heading yet: the searches below decide
    }
}

// Kind 38 turns on the spot and leaves as soon as its picture faces an open neighbour.
void SpinningSearch(Decision& d) {
    Monster& mon = d.mon;
    d.turn = 0;
    mon.FramePos += d.turnStep;
    if (mon.FramePos > mon.Frames) mon.FramePos -= mon.Frames;
    mon.Frame = static_cast<int32_t>(std::trunc(mon.FramePos));
    if (mon.Frame == 0 && d.Empty(-1, 0))
        d.Choose(mvUp, 0);
    else if (mon.Frame == 2 && d.Empty(0, -1))
        d.Choose(mvLeft, 0);
    else if (mon.Frame == 4 && d.Empty(1, 0))
        d.Choose(mvDown, 0);
    else if (mon.Frame == 6 && d.Empty(0, 1))
        d.Choose(mvRight, 0);
}

// Kind 39 takes the first open one of up, left, down, right.
void FixedSearch(Decision& d) {
    d.Straight(mvUp, d.Empty(-1, 0));
    d.Straight(mvLeft, d.Empty(0, -1));
    d.Straight(mvDown, d.Empty(1, 0));
    d.Straight(mvRight, d.Empty(0, 1));
}

// A monster at rest decides; the move, if any, starts with its cell claimed and it does not
// move or catch anyone in this tick.
void Decide(World& world, Decision& d) {
    Monster& mon = d.mon;
    if (d.turn == 0) {
        FollowWall(d);
    } else if (mon.Heading == mvRight) {
        d.Straight(mvRight, d.Empty(0, 1));
    }
    if (mon.Move == mvNone && mon.Spin == 1) SpinningSearch(d);
    if (mon.Move == mvNone && mon.Spin == 2) FixedSearch(d);
    if (mon.Move == mvNone) return;
    mon.FromCol = mon.Col;
    mon.FromRow = mon.Row;
    SetTile(world.level, mon.Col, mon.Row, tcBusy);
}

// Turns the kind-38 picture towards the move in progress; the turn is over once it faces it.
void TurnPicture(Monster& mon, int32_t& turn, double turnStep) {
    if (turn == 0 || mon.Spin != 1) return;
    mon.FramePos += turn == 1 ? turnStep : -turnStep;
    if (mon.FramePos > mon.Frames) mon.FramePos -= mon.Frames;
    if (mon.FramePos < 0) mon.FramePos += mon.Frames;
    mon.Frame = static_cast<int32_t>(std::trunc(mon.FramePos));
    if (mon.Move >= mvUp && mon.Move <= mvRight && mon.Frame == kFacingFrame[mon.Move]) turn = 0;
}

// Advances the move in progress; on arrival the cell left is freed and the new one claimed.
void Advance(World& world, Monster& mon, int32_t lag) {
    mon.Heading = mon.Move;
    const double step = static_cast<double>(lag) * world.Speed / 1000;
    bool arrived = false;
    switch (mon.Move) {
        case mvUp:
            mon.PosY -= step;
            arrived = mon.PosY < mon.TargetY;
            break;
        case mvLeft:
            mon.PosX -= step;
            arrived = mon.PosX < mon.TargetX;
            break;
        case mvDown:
            mon.PosY += step;
            arrived = mon.PosY > mon.TargetY;
            break;
        case mvRight:
            mon.PosX += step;
            arrived = mon.PosX > mon.TargetX;
            break;
        default:
            break;
    }
    if (!arrived) return;
    const bool vertical = mon.Move == mvUp || mon.Move == mvDown;
    if (vertical)
        mon.PosY = mon.TargetY;
    else
        mon.PosX = mon.TargetX;
    mon.Move = mvNone;
    SetTile(world.level, mon.FromCol, mon.FromRow, tcEmpty);
    if (vertical) {
        SetTile(world.level, mon.Col, static_cast<int>(std::trunc(mon.TargetY)) / kCellSize,
                tcBusy);
    } else {
        SetTile(world.level, static_cast<int>(std::trunc(mon.TargetX)) / kCellSize, mon.Row,
                tcBusy);
    }
}

// Moving up or left the monster counts as in the next cell from its first step; moving down
// or right only once it arrives.
void MoveAndCatch(World& world, GameEvents& events, Monster& mon, int32_t turn, int32_t lag) {
    if (turn == 0) Advance(world, mon, lag);
    mon.Col = static_cast<int32_t>(std::trunc(mon.PosX)) / kCellSize;
    mon.Row = static_cast<int32_t>(std::trunc(mon.PosY)) / kCellSize;
    const PlayState& p = world.play;
    if (mon.Col == p.PlayerX / kCellSize && mon.Row == p.PlayerY / kCellSize && p.Mortal) {
        HazardBlast(world, events, mon.Col, mon.Row);
    }
}

}  // namespace

void MoveMonsters(World& world, GameEvents& events, int32_t lag) {
    LevelGrid& level = world.level;
    const double turnStep = static_cast<double>(lag) * world.Speed / 20000;
    // A monster blown up while catching the player leaves the table; the entries after it move
    // down and the loop goes on from the next slot.
    for (int m = 1; m <= level.MonsterCount; ++m) {
        Monster& mon = level.Monsters[m];
        int32_t spare = 0;
        int32_t& turn = TurnSlot(level, m, spare);
        TurnPicture(mon, turn, turnStep);
        if (turn != 0 && mon.Spin == 2) turn = 0;  // kind 39 never waits to turn
        if (mon.Move == mvNone) {
            Decision d{level, mon, turn, world.random, turnStep};
            Decide(world, d);
        } else {
            MoveAndCatch(world, events, mon, turn, lag);
        }
    }
}
