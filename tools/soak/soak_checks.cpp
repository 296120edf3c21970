// The invariants of a level in play that the soak checks after every tick.
#include "soak_checks.h"

#include <cmath>

#include "app/game.h"

namespace {

std::string CellText(int row, int col) {
    return "(row " + std::to_string(row) + ", column " + std::to_string(col) + ")";
}

bool InPlayArea(const tlevel& level, int row, int col) {
    return row >= 1 && row <= level.Rows && col >= 1 && col <= level.Cols;
}

// The border code a cell of the ring must hold, 0 for a cell inside.
int32_t BorderCode(const tlevel& level, int row, int col) {
    const int bottom = level.Rows + 1, right = level.Cols + 1;
    if (row == 0)
        return col == 0 ? tcCornerTopLeft : col == right ? tcCornerTopRight : tcBorderHorizontal;
    if (row == bottom)
        return col == 0       ? tcCornerBottomLeft
               : col == right ? tcCornerBottomRight
                              : tcBorderHorizontal;
    if (col == 0 || col == right) return tcBorderVertical;
    return 0;
}

std::string CheckCells(const Game& game) {
    const tlevel& level = game.level;
    if (level.Rows < 1 || level.Rows > kMaxPlayArea || level.Cols < 1 || level.Cols > kMaxPlayArea)
        return "play area of " + std::to_string(level.Rows) + " x " + std::to_string(level.Cols);
    const int pictures = game.media.patratele.Count();
    for (int r = 0; r <= level.Rows + 1; ++r)
        for (int c = 0; c <= level.Cols + 1; ++c) {
            const int32_t tile = level.Cells[r][c].Tile;
            if (tile < 1 || tile > kMaxTileCode || tile >= pictures)
                return "tile code " + std::to_string(tile) + " at " + CellText(r, c) +
                       " is outside 1 to 1000 or has no picture (" + std::to_string(pictures) +
                       " pictures)";
            const int32_t border = BorderCode(level, r, c);
            if (border != 0 && tile != border)
                return "border broken at " + CellText(r, c) + ": tile code " +
                       std::to_string(tile) + " instead of " + std::to_string(border);
        }
    return "";
}

std::string CheckPlayer(const Game& game) {
    const PlayState& play = game.play;
    const int col = static_cast<int>(std::trunc(play.PlayerPosX)) / 40;
    const int row = static_cast<int>(std::trunc(play.PlayerPosY)) / 40;
    const bool finite = std::isfinite(play.PlayerPosX) && std::isfinite(play.PlayerPosY);
    if (!finite || play.PlayerPosX < 0 || play.PlayerPosY < 0 || !InPlayArea(game.level, row, col))
        return "player's centre (" + std::to_string(play.PlayerPosX) + ", " +
               std::to_string(play.PlayerPosY) + ") outside the play area";
    if (play.Lives > 6) return "Lives " + std::to_string(play.Lives) + ", at most 6";
    return "";
}

std::string CheckCount(const char* name, int32_t count, int32_t capacity) {
    if (count >= 0 && count <= capacity) return "";
    return std::string(name) + " " + std::to_string(count) + ", capacity " +
           std::to_string(capacity);
}

std::string CheckLists(const Game& game) {
    const PlayState& play = game.play;
    const tlevel& level = game.level;
    for (std::string problem :
         {CheckCount("FallCount", play.FallCount, kMaxMovers),
          CheckCount("ExplosionCount", play.ExplosionCount, kMaxExplosions),
          CheckCount("PlacedBombCount", play.PlacedBombCount, kMaxPlacedBombs),
          CheckCount("MonsterCount", level.MonsterCount, kMaxMonsters)})
        if (!problem.empty()) return problem;
    for (int i = 1; i <= play.FallCount; ++i) {
        const TMover& m = play.FallList[i];
        if (!InPlayArea(level, m.DestRow, m.DestCol))
            return "moving object " + std::to_string(i) + " (tile " + std::to_string(m.Tile) +
                   ") heads for " + CellText(m.DestRow, m.DestCol) + " outside the play area";
    }
    for (int i = 1; i <= level.MonsterCount; ++i) {
        const TMonster& m = level.Monsters[i];
        if (!InPlayArea(level, m.Row, m.Col))
            return "monster " + std::to_string(i) + " at " + CellText(m.Row, m.Col) +
                   " outside the play area";
    }
    return "";
}

}  // namespace

std::string FindViolation(const Game& game) {
    for (std::string problem : {CheckCells(game), CheckPlayer(game), CheckLists(game)})
        if (!problem.empty()) return problem;
    return "";
}
