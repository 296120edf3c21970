// The live checks of the edited levels.
#include "model/level_findings.h"

#include "level/level_set_reader.h"
#include "model/edit_set.h"
#include "model/tile_palette.h"

namespace {

// Tiles the player walks into: infotron, life, floor, empty, circuits, bomb.
bool Walkable(int32_t tile) {
    return tile >= tcInfotron && tile <= tcBomb;
}

std::string Label(int number) {
    return "level " + std::to_string(number) + ": ";
}

// Tiles the game leaves in the player's cell; every other tile there is cleared to empty as soon
// as the player stands in it, the start's cell included, without anything being collected.
bool KeptUnderPlayer(int32_t tile) {
    return tile == tcBusy || tile == tcEmpty || (tile >= tcTrapLeft && tile <= tcTrapRight) ||
           (tile >= tcPortRight && tile <= tcPortUp) || tile == tcHazard || tile >= tcEatFirst;
}

// "an exit", "a port right".
std::string WithArticle(const std::string& name) {
    bool vowel = !name.empty() && std::string("aeiou").find(name[0]) != std::string::npos &&
                 name.rfind("one", 0) != 0;
    return (vowel ? "an " : "a ") + name;
}

// What the tile under the start does to the level when it begins.
void CheckStartCell(const LevelRecord& level, int col, int row, int exits,
                    std::vector<LevelFinding>& out, int number) {
    const int32_t tile = level.CellAt(col, row).Tile;
    const std::string name = TileName(tile), aName = WithArticle(name);
    auto warn = [&](const std::string& text) { out.push_back({true, Label(number) + text}); };
    if (tile == tcExit && exits == 1)
        out.push_back({false, Label(number) +
                                  "the start is on the only exit, which the game clears when the "
                                  "level begins: the level cannot be made"});
    else if (tile == tcMonsterTurning || tile == tcMonsterCrawling)
        warn("the start is on " + aName + ": the player meets it at once");
    else if (tile >= tcTrapLeft && tile <= tcTrapRight)
        warn("the start is on a trap: the player is thrown and loses a life at once");
    else if (tile == tcInfotron || tile == tcLife || tile == tcBomb)
        warn("the " + name + " under the start is cleared when the level begins, not collected");
    else if (tile != tcFloor && (tile < tcCircuit1 || tile > tcCircuit3) && !KeptUnderPlayer(tile))
        warn("the start is on " + aName + ", which the game clears to empty when the level begins");
    else if (tile != tcEmpty && tile != tcFloor && (tile < tcCircuit1 || tile > tcCircuit3))
        warn("the start is on " + aName);
}

}  // namespace

int InfotronsAvailable(const LevelRecord& level) {
    int available = 0;
    for (const LevelRecordCell& cell : level.Cells) {
        if (cell.Tile == tcInfotron) available += 1;
        if (cell.Tile == tcMonsterCrawling) available += 9;
    }
    int col = 0, row = 0;
    if (StartCell(level, col, row) && level.CellAt(col, row).Tile == tcInfotron) available -= 1;
    return available;
}

bool ExitReachable(const LevelRecord& level) {
    int col = 0, row = 0;
    if (!StartCell(level, col, row)) return false;
    auto inside = [&](int c, int r) {
        return c >= 1 && c <= level.Cols && r >= 1 && r <= level.Rows;
    };
    auto tile = [&](int c, int r) { return inside(c, r) ? level.CellAt(c, r).Tile : 0; };
    std::vector<char> seen(level.Cells.size(), 0);
    auto at = [&](int c, int r) -> char& {
        return seen[static_cast<size_t>((r - 1) * level.Cols + c - 1)];
    };
    std::vector<std::pair<int, int>> todo{{col, row}};
    at(col, row) = 1;
    // Right, down, left, up, and the port that carries the player each way.
    const int steps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    const int32_t ports[4] = {tcPortRight, tcPortDown, tcPortLeft, tcPortUp};
    while (!todo.empty()) {
        auto [c, r] = todo.back();
        todo.pop_back();
        if (tile(c, r - 1) == tcExit) return true;
        for (int way = 0; way < 4; ++way) {
            int nc = c + steps[way][0], nr = r + steps[way][1];
            int32_t next = tile(nc, nr);
            if (next == ports[way]) {
                nc += steps[way][0];
                nr += steps[way][1];
                next = tile(nc, nr);
            }
            if (!inside(nc, nr) || !Walkable(next) || at(nc, nr)) continue;
            at(nc, nr) = 1;
            todo.push_back({nc, nr});
        }
    }
    return false;
}

std::vector<LevelFinding> CheckEditedLevel(const LevelRecord& level, int number) {
    std::vector<LevelFinding> out;
    auto error = [&](const std::string& text) { out.push_back({false, Label(number) + text}); };
    if (level.Cols < 1 || level.Cols > kMaxPlayArea || level.Rows < 1 ||
        level.Rows > kMaxPlayArea) {
        error("the size " + std::to_string(level.Cols) + " x " + std::to_string(level.Rows) +
              " is outside 1 to " + std::to_string(kMaxPlayArea));
        return out;
    }
    if (level.LevelName.size() > 255) error("the name is longer than 255 bytes");
    if (level.TileSetFile.size() > 255) error("the tile set name is longer than 255 bytes");
    int col = 0, row = 0;
    if (!StartCell(level, col, row)) error("no start");
    int exits = 0;
    for (const LevelRecordCell& cell : level.Cells) {
        if (cell.Tile == tcExit) ++exits;
        if (cell.Tile < 1 || cell.Tile > kMaxTileCode)
            error("tile code " + std::to_string(cell.Tile) + " outside 1 to " +
                  std::to_string(kMaxTileCode));
    }
    if (exits == 0) error("no exit");
    int available = InfotronsAvailable(level);
    if (level.InfotronQuota > available)
        error("the quota " + std::to_string(level.InfotronQuota) + " is above the " +
              std::to_string(available) + " infotrons there are");
    if (level.InfotronQuota < 0) error("the quota is below 0");
    int monsters = CountMonsterTiles(level);
    if (monsters > kMaxMonsters)
        error(std::to_string(monsters) + " monsters, at most " + std::to_string(kMaxMonsters));
    if (StartCell(level, col, row)) CheckStartCell(level, col, row, exits, out, number);
    if (exits > 0 && StartCell(level, col, row) && !ExitReachable(level))
        out.push_back({true, Label(number) +
                                 "the player cannot walk and eat from the start to the cell below "
                                 "an exit; a level is made by standing right below its exit (a "
                                 "blast may open the way)"});
    return out;
}

std::vector<LevelFinding> CheckEditedSet(const LevelSetData& set) {
    std::vector<LevelFinding> out;
    if (set.Levels.empty() || set.Levels.size() > static_cast<size_t>(kMaxLevels))
        out.push_back({false, "the set holds " + std::to_string(set.Levels.size()) +
                                  " levels; it must hold 1 to " + std::to_string(kMaxLevels)});
    if (set.SetName.size() > 255) out.push_back({false, "the set name is longer than 255 bytes"});
    for (size_t i = 0; i < set.Levels.size(); ++i)
        for (LevelFinding& f : CheckEditedLevel(set.Levels[i], static_cast<int>(i) + 1))
            out.push_back(std::move(f));
    return out;
}

bool AnyErrors(const std::vector<LevelFinding>& findings) {
    for (const LevelFinding& f : findings)
        if (!f.Warning) return true;
    return false;
}
