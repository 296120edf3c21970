// Falling, rolling and pushed objects: the scans that start moves, the advance of every object
// in motion and the arrivals, with their landings on dynamite, monsters and the player.
#include "game/objects.h"

#include <cmath>

#include "game/events.h"
#include "game/explosions.h"
#include "game/grid_access.h"
#include "game/object_scans.h"
#include "game/world.h"

namespace {

constexpr double kArcRadius = 41;

bool IsBallTile(int32_t tile) {
    return tile == tcBall || tile == tcBallMovingLeft;
}
bool IsDynamite(int32_t tile) {
    return tile == tcRedDynamite || tile == tcYellowDynamite;
}
bool IsFallPath(int32_t path) {
    return path == 0 || path == 1 || path == 2;
}
// Whatever lies below a landing object other than empty space or a reserved cell stops it.
bool StopsLanding(int32_t tile) {
    return tile != tcEmpty && tile != tcBusy;
}

// The proposed position of an entry after `step` pixels (straight paths) or at its new angle
// (arcs), clamped so that every move ends exactly on its target.
void AdvancePosition(Mover& m, double step) {
    double nx = m.X;
    double ny = m.Y;
    switch (m.Path) {
        case 0:
            ny = m.Y + step;
            break;
        case 1:
            nx = m.OriginX + kArcRadius * std::cos(m.Angle);
            ny = m.TargetY - kArcRadius * std::sin(m.Angle);
            break;
        case 2:
            nx = m.OriginX - kArcRadius * std::cos(m.Angle);
            ny = m.TargetY - kArcRadius * std::sin(m.Angle);
            break;
        case 4:
            nx = m.X + step;
            break;
        case 5:
            nx = m.X - step;
            break;
        case 6:
            ny = m.Y - step;
            break;
        default:
            break;
    }
    switch (m.Path) {
        case 1:
            m.X = (nx >= m.TargetX || m.Angle < 0) ? m.TargetX : nx;
            break;
        case 2:
            m.X = (nx > m.TargetX && m.Angle >= 0) ? nx : m.TargetX;
            break;
        case 4:
            m.X = nx >= m.TargetX ? m.TargetX : nx;
            break;
        case 5:
            m.X = nx > m.TargetX ? nx : m.TargetX;
            break;
        case 6:
            m.Y = ny > m.TargetY ? ny : m.TargetY;
            break;
        default:
            break;
    }
    if (IsFallPath(m.Path)) m.Y = ny >= m.TargetY ? m.TargetY : ny;
}

// An object (not dynamite) ending its move just above the player, in the player's column,
// blows the player up unless the invincibility cheat is on.
void CheckPlayerHit(World& world, GameEvents& events, const Mover& m) {
    const PlayState& p = world.play;
    const bool above = p.PlayerY - 65 < m.Y && m.Y <= p.PlayerY;
    const bool aligned = p.PlayerX - 21 <= m.X && m.X <= p.PlayerX - 19;
    const bool sameColumn =
        static_cast<int>(std::trunc(m.TargetX)) / kCellSize == p.PlayerX / kCellSize;
    if (above && aligned && !IsDynamite(m.Tile) && p.Mortal && sameColumn) {
        HazardBlast(world, events, m.DestCol, m.DestRow + 1);
    }
}

// A ball about to land on something solid plays its sound a little before it arrives.
void LandingSoundOnApproach(World& world, GameEvents& events, Mover& m) {
    if (!IsBallTile(m.Tile) || m.LandSound != 0) return;
    if (!StopsLanding(TileAt(world.level, m.DestCol, m.DestRow + 1))) return;
    if (m.TargetY - 5 < m.Y && m.Y < m.TargetY) {
        events.PlaySound("picabomba");
        m.LandSound = 1;
    }
}

// A monster in the target column up to 65 pixels below the object's top is crushed: kind 38
// by a destroying blast, kind 39 by a blast that leaves infotrons. The blast removes the
// monster, so the entry that moves into its slot is looked at next.
void CheckMonsterHits(World& world, GameEvents& events, const Mover& m) {
    LevelGrid& level = world.level;
    int i = 1;
    while (i <= level.MonsterCount) {
        const Monster& mon = level.Monsters[i];
        const int countBefore = level.MonsterCount;
        // The column first: it rules out nearly every monster with one integer comparison.
        if (mon.Col == m.DestCol && mon.PosY - 65 < m.Y && m.Y <= mon.PosY) {
            if (mon.Kind == tcMonsterTurning)
                AreaBlast(world, events, mon.Col, mon.Row);
            else if (mon.Kind == tcMonsterCrawling)
                InfotronBlast(world, events, mon.Col, mon.Row);
        }
        if (level.MonsterCount == countBefore) ++i;
    }
}

void AdvanceEntry(World& world, GameEvents& events, Mover& m, int32_t lag) {
    const double speed = world.Speed;
    m.Angle -= 0.006 * lag;
    AdvancePosition(m, lag * speed / 1500);
    const bool rolls = m.Tile == tcBall || m.Tile == tcRedDynamite;
    m.Frame += lag * speed / (rolls ? 14000 : 20000);
    CheckPlayerHit(world, events, m);
    LandingSoundOnApproach(world, events, m);
    CheckMonsterHits(world, events, m);
}

int32_t ArrivedTile(int32_t tile) {
    if (tile == tcInfotronRollingLeft) return tcInfotron;
    if (tile == tcBallMovingLeft) return tcBall;
    return tile;
}

// The object takes its target cell and frees the one it left. Landing on dynamite sets it
// off; yellow dynamite falling onto anything solid explodes itself.
void FinishMove(World& world, GameEvents& events, const Mover& m) {
    LevelGrid& level = world.level;
    SetTile(level, m.SrcCol, m.SrcRow, tcEmpty);
    SetTile(level, m.DestCol, m.DestRow, ArrivedTile(m.Tile));
    if (InGrid(m.DestCol, m.DestRow)) level.Cells[m.DestRow][m.DestCol].FrameBase = 0;
    if (IsDynamite(TileAt(level, m.DestCol, m.DestRow + 1)) && IsFallPath(m.Path)) {
        AreaBlast(world, events, m.DestCol, m.DestRow + 1);
    }
    if (TileAt(level, m.DestCol, m.DestRow) == tcYellowDynamite &&
        StopsLanding(TileAt(level, m.DestCol, m.DestRow + 1)) && m.Path == 0) {
        AreaBlast(world, events, m.DestCol, m.DestRow);
    }
    if (IsBallTile(m.Tile) && StopsLanding(TileAt(level, m.DestCol, m.DestRow + 1)) &&
        m.LandSound == 0 && IsFallPath(m.Path)) {
        events.PlaySound("picabomba");
    }
}

// Arrived entries finish in list order and leave the list; the others keep their order. The
// list is closed up in one pass rather than by moving the rest down once per arrival. Moving
// down once per arrival left a copy of the last entry in every slot freed at the end, and the
// slots past the count are reused by the next moves (fields a move does not set, such as the
// landing sound flag, come from there): the one pass leaves the same copies.
void FinishArrivedMoves(World& world, GameEvents& events) {
    PlayState& p = world.play;
    const int count = p.FallCount;
    int kept = 0;
    for (int k = 1; k <= count; ++k) {
        const Mover& m = p.FallList[k];
        if (m.X != m.TargetX || m.Y != m.TargetY) {
            if (++kept != k) p.FallList[kept] = m;
            continue;
        }
        FinishMove(world, events, m);
    }
    if (kept == count) return;
    const Mover last = p.FallList[count];
    for (int i = kept + 1; i <= count; ++i) p.FallList[i] = last;
    p.FallCount = kept;
}

}  // namespace

void MoveObjects(World& world, GameEvents& events, int32_t lag) {
    PlayState& p = world.play;
    // The entry the next move will take starts with its landing sound flag clear.
    p.FallList[p.FallCount + 1].LandSound = 0;
    StartMoves(world);
    for (int k = 1; k <= p.FallCount; ++k) AdvanceEntry(world, events, p.FallList[k], lag);
    FinishArrivedMoves(world, events);
}
