// The eleven scans of the world update that start moves: falls, pushes off ledges, pushes in the
// four directions and rolls off the top of piles.
#include "game/object_scans.h"

#include <algorithm>
#include <array>
#include <numbers>

#include "game/events.h"
#include "game/grid_access.h"
#include "game/world.h"

namespace {

// What a scan sees: the grid and the player's cell taken once for the tick.
struct ScanView {
    const LevelGrid& level;
    const PlayState& play;
    int playerCol;
    int playerRow;

    int32_t Tile(int r, int c) const { return TileAt(level, c, r); }
    bool Empty(int r, int c) const { return IsEmptyAt(level, c, r); }
    bool PlayerAt(int r, int c) const { return playerRow == r && playerCol == c; }
};

// A move a scan wants to start.
struct MoveStart {
    int32_t path = 0;
    int32_t tile = 0;
    int32_t frames = 1;
    int targetRow = 0;
    int targetCol = 0;
};

using ScanRule = bool (*)(const ScanView& v, int r, int c, MoveStart& out);

bool Set(MoveStart& out, int32_t path, int32_t tile, int32_t frames, int tr, int tc) {
    out = MoveStart{path, tile, frames, tr, tc};
    return true;
}

bool IsPileTop(int32_t tile) {
    return tile == tcBall || tile == tcInfotron;
}

bool Fall(const ScanView& v, int r, int c, MoveStart& out) {
    const int32_t t = v.Tile(r, c);
    if (t != tcBall && t != tcInfotron && t != tcYellowDynamite) return false;
    if (!v.Empty(r + 1, c) || v.PlayerAt(r + 1, c) || v.PlayerAt(r, c)) return false;
    return Set(out, 0, t, 1, r + 1, c);
}

bool PushOffLedgeRight(const ScanView& v, int r, int c, MoveStart& out) {
    if (v.Tile(r, c) != tcBall || !v.Empty(r, c + 1) || !v.Empty(r + 1, c + 1)) return false;
    if (!v.PlayerAt(r, c - 1) || !v.play.PushRight) return false;
    return Set(out, 1, tcBall, 9, r + 1, c + 1);
}

bool PushOffLedgeLeft(const ScanView& v, int r, int c, MoveStart& out) {
    if (v.Tile(r, c) != tcBall || !v.Empty(r, c - 1) || !v.Empty(r + 1, c - 1)) return false;
    if (!v.PlayerAt(r, c + 1) || !v.play.PushLeft) return false;
    return Set(out, 2, tcBallMovingLeft, 9, r + 1, c - 1);
}

bool PushDynamiteRight(const ScanView& v, int r, int c, MoveStart& out) {
    const int32_t t = v.Tile(r, c);
    if ((t != tcRedDynamite && t != tcYellowDynamite) || !v.Empty(r, c + 1)) return false;
    if (!v.PlayerAt(r, c - 1) || !v.play.PushRight) return false;
    return Set(out, 4, t, 1, r, c + 1);
}

bool PushDynamiteLeft(const ScanView& v, int r, int c, MoveStart& out) {
    const int32_t t = v.Tile(r, c);
    if ((t != tcRedDynamite && t != tcYellowDynamite) || !v.Empty(r, c - 1)) return false;
    if (!v.PlayerAt(r, c + 1) || !v.play.PushLeft) return false;
    return Set(out, 5, t, 1, r, c - 1);
}

bool PushRedUp(const ScanView& v, int r, int c, MoveStart& out) {
    if (v.Tile(r, c) != tcRedDynamite || !v.Empty(r - 1, c)) return false;
    if (!v.PlayerAt(r + 1, c) || !v.play.PushUp) return false;
    return Set(out, 6, tcRedDynamite, 1, r - 1, c);
}

// Pushed down, red dynamite moves like a fall (path 0).
bool PushRedDown(const ScanView& v, int r, int c, MoveStart& out) {
    if (v.Tile(r, c) != tcRedDynamite || !v.Empty(r + 1, c)) return false;
    if (!v.PlayerAt(r - 1, c) || !v.play.PushDown) return false;
    return Set(out, 0, tcRedDynamite, 1, r + 1, c);
}

bool PushBallRight(const ScanView& v, int r, int c, MoveStart& out) {
    if (v.Tile(r, c) != tcBall || !v.Empty(r, c + 1)) return false;
    if (!v.PlayerAt(r, c - 1) || !v.play.PushRight) return false;
    return Set(out, 4, tcBall, 9, r, c + 1);
}

bool PushBallLeft(const ScanView& v, int r, int c, MoveStart& out) {
    if (v.Tile(r, c) != tcBall || !v.Empty(r, c - 1)) return false;
    if (!v.PlayerAt(r, c + 1) || !v.play.PushLeft) return false;
    return Set(out, 5, tcBallMovingLeft, 9, r, c - 1);
}

// Balls and infotrons roll off the top of another ball or infotron, never off other tiles.
bool RollOffRight(const ScanView& v, int r, int c, MoveStart& out) {
    const int32_t t = v.Tile(r, c);
    if (!IsPileTop(t) || !IsPileTop(v.Tile(r + 1, c))) return false;
    if (!v.Empty(r, c + 1) || !v.Empty(r + 1, c + 1)) return false;
    if (v.PlayerAt(r + 1, c + 1) || v.PlayerAt(r, c + 1) || v.PlayerAt(r, c) ||
        v.PlayerAt(r + 1, c)) {
        return false;
    }
    return Set(out, 1, t, 9, r + 1, c + 1);
}

bool RollOffLeft(const ScanView& v, int r, int c, MoveStart& out) {
    const int32_t t = v.Tile(r, c);
    if (!IsPileTop(t) || !IsPileTop(v.Tile(r + 1, c))) return false;
    if (!v.Empty(r, c - 1) || !v.Empty(r + 1, c - 1)) return false;
    if (v.PlayerAt(r + 1, c - 1) || v.PlayerAt(r, c - 1) || v.PlayerAt(r, c) ||
        v.PlayerAt(r + 1, c)) {
        return false;
    }
    return Set(out, 2, t == tcBall ? tcBallMovingLeft : tcInfotronRollingLeft, 9, r + 1, c - 1);
}

// Every scan looks at the whole play area in reading order, each seeing the moves the earlier
// scans started. A push needs the player in one particular cell beside the object, so a push
// scan can only start a move at the one cell on the other side of the player: it looks at that
// cell alone, which starts the same moves as looking everywhere. The other scans look at the
// cells that can hold a movable object (MovableCells below).
struct Scan {
    ScanRule rule;
    bool allButLastRow;  // scans that move an object down stop above the last row
    bool besidePlayer;   // the rule needs the player at (row + PlayerRow, col + PlayerCol)
    int playerRow, playerCol;
};

// The order matters: a push off a ledge comes before the plain push, so a ball pushed over an
// edge rolls down; rolling right comes before rolling left, so a pile top with room on both
// sides rolls right.
constexpr Scan kScans[] = {
    {Fall, true, false, 0, 0},
    {PushOffLedgeRight, true, true, 0, -1},
    {PushOffLedgeLeft, true, true, 0, 1},
    {PushDynamiteRight, false, true, 0, -1},
    {PushDynamiteLeft, false, true, 0, 1},
    {PushRedUp, false, true, 1, 0},
    {PushRedDown, false, true, -1, 0},
    {PushBallRight, false, true, 0, -1},
    {PushBallLeft, false, true, 0, 1},
    {RollOffRight, true, false, 0, 0},
    {RollOffLeft, true, false, 0, 0},
};

// Records the move and reserves the cell left and the target cell (an arc reserves only
// these two, not the cell beside it that it passes).
bool RecordMove(World& world, int r, int c, const MoveStart& s) {
    PlayState& p = world.play;
    if (p.FallCount >= kMaxMovers) return false;
    Mover& m = p.FallList[++p.FallCount];
    m.X = kCellSize * c;
    m.Y = kCellSize * r;
    m.TargetX = kCellSize * s.targetCol;
    m.TargetY = kCellSize * s.targetRow;
    m.Path = s.path;
    m.Tile = s.tile;
    m.Frames = s.frames;
    m.Frame = 0;
    m.SrcCol = c;
    m.SrcRow = r;
    m.DestCol = s.targetCol;
    m.DestRow = s.targetRow;
    if (s.path == 1 || s.path == 2) {
        m.OriginX = kCellSize * c;
        m.OriginY = kCellSize * r;
        m.Angle = std::numbers::pi / 2;
    }
    SetTile(world.level, c, r, tcBusy);
    SetTile(world.level, s.targetCol, s.targetRow, tcBusy);
    return true;
}

// The cells a whole-grid scan can start a move at: those holding a ball, an infotron or yellow
// dynamite when the scans begin, in reading order. A started move only ever turns cells into
// busy ones, so no cell gains such a tile during the scans, and visiting these cells in order
// starts the same moves as visiting every cell.
struct MovableCells {
    std::array<uint16_t, kGridSize * kGridSize> Index;  // row * kGridSize + column
    int Count = 0;
};

void FindMovableCells(const LevelGrid& level, MovableCells& out) {
    const int lastRow = std::min(level.Rows, kGridSize - 1);
    const int lastCol = std::min(level.Cols, kGridSize - 1);
    out.Count = 0;
    for (int r = 1; r <= lastRow; ++r) {
        const auto& row = level.Cells[r];
        for (int c = 1; c <= lastCol; ++c) {
            const int32_t t = row[c].Tile;
            if (t != tcBall && t != tcInfotron && t != tcYellowDynamite) continue;
            out.Index[static_cast<size_t>(out.Count++)] = static_cast<uint16_t>(r * kGridSize + c);
        }
    }
}

void ScanMovableCells(World& world, const ScanView& view, const Scan& scan, int lastRow,
                      const MovableCells& cells) {
    for (int i = 0; i < cells.Count; ++i) {
        const int r = cells.Index[static_cast<size_t>(i)] / kGridSize;
        const int c = cells.Index[static_cast<size_t>(i)] % kGridSize;
        if (r > lastRow) break;
        MoveStart start;
        if (scan.rule(view, r, c, start)) RecordMove(world, r, c, start);
    }
}

void ScanBesidePlayer(World& world, const ScanView& view, const Scan& scan, int lastRow) {
    const int r = view.playerRow - scan.playerRow;
    const int c = view.playerCol - scan.playerCol;
    if (r < 1 || r > lastRow || c < 1 || c > view.level.Cols) return;
    MoveStart start;
    if (scan.rule(view, r, c, start)) RecordMove(world, r, c, start);
}

}  // namespace

void StartMoves(World& world) {
    const LevelGrid& level = world.level;
    const ScanView view{level, world.play, world.play.PlayerX / kCellSize,
                        world.play.PlayerY / kCellSize};
    thread_local MovableCells movable;  // 20 KB, made once: no allocation per tick
    FindMovableCells(level, movable);
    for (const Scan& scan : kScans) {
        const int lastRow = scan.allButLastRow ? level.Rows - 1 : level.Rows;
        if (scan.besidePlayer)
            ScanBesidePlayer(world, view, scan, lastRow);
        else
            ScanMovableCells(world, view, scan, lastRow, movable);
    }
}
