// The characters of level maps.
#include "level/level_legend.h"

#include <array>

#include "level/level.h"

namespace {

struct LegendEntry {
    char Char;
    int32_t Tile;
};

// The first entry of a code is the one a map shows it with.
constexpr std::array<LegendEntry, 47> kLegend{{
    {' ', tcEmpty},
    {'_', tcEmpty},
    {'.', tcFloor},
    {':', tcCircuit1},
    {';', tcCircuit2},
    {',', tcCircuit3},
    {'o', tcInfotron},
    {'O', tcBall},
    {'r', tcRedDynamite},
    {'y', tcYellowDynamite},
    {'+', tcLife},
    {'b', tcBomb},
    {'E', tcExit},
    {'T', tcTerminal},
    {'t', tcOneShotTerminal},
    {'u', tcUsedTerminal},
    {'<', tcTrapLeft},
    {'v', tcTrapDown},
    {'^', tcTrapUp},
    {'>', tcTrapRight},
    {'R', tcPortRight},
    {'D', tcPortDown},
    {'L', tcPortLeft},
    {'U', tcPortUp},
    {'h', tcHazard},
    {'[', tcDriftLeft},
    {']', tcDriftRight},
    {'M', tcMonsterTurning},
    {'W', tcMonsterCrawling},
    {'a', tcAnimated},
    {'#', 30},
    {'=', 31},
    {'X', 45},
    {'%', 46},
    // More looks of the same walls, so that places can be told apart: ceramic, then steel.
    {'&', 27},
    {'$', 28},
    {'~', 32},
    {'!', 33},
    {'1', 40},
    {'2', 41},
    {'3', 42},
    {'4', 43},
    {'5', 44},
    {'6', 47},
    {'7', 48},
    {'8', 56},
    {'\0', -1},
}};

}  // namespace

int32_t LegendTile(char ch) {
    if (ch == '\0') return -1;
    for (const LegendEntry& e : kLegend)
        if (e.Char == ch) return e.Tile;
    return -1;
}

char LegendChar(int32_t tile) {
    for (const LegendEntry& e : kLegend)
        if (e.Tile == tile && e.Char != '\0') return e.Char;
    return 0;
}
