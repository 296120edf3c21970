// The editor's palette groups and tile names.
#include "tile_palette.h"

#include <set>

#include "level/level.h"

std::vector<PaletteGroup> PaletteGroups(int pictures) {
    std::vector<PaletteGroup> groups{
        {"Walls and floors",
         {tcFloor, tcEmpty, 30, 31, 45, 46, 27, 28, 32, 33, 40, 41, 42, 43, 44, 47, 48, 56}},
        {"Circuits", {tcCircuit1, tcCircuit2, tcCircuit3}},
        {"Objects", {tcBall, tcRedDynamite, tcYellowDynamite}},
        {"Pick-ups", {tcInfotron, tcLife, tcBomb}},
        {"Hazards",
         {tcTrapLeft, tcTrapDown, tcTrapUp, tcTrapRight, tcHazard, tcDriftLeft, tcDriftRight,
          tcAnimated}},
        {"Ports", {tcPortRight, tcPortDown, tcPortLeft, tcPortUp}},
        {"Terminals", {tcTerminal, tcOneShotTerminal, tcUsedTerminal}},
        {"Monsters", {tcMonsterTurning, tcMonsterCrawling}},
        {"Exit", {tcExit}},
    };
    std::set<int32_t> named;
    for (const PaletteGroup& g : groups) named.insert(g.Tiles.begin(), g.Tiles.end());
    PaletteGroup other{"Other solid tiles", {}};
    for (int32_t code = 27; code < pictures && code < tcEatFirst; ++code)
        if (!named.count(code)) other.Tiles.push_back(code);
    if (!other.Tiles.empty()) groups.push_back(other);
    return groups;
}

namespace {

// Walls below 39 are ceramic blocks that blasts break, named by their glaze; from 39 up they are
// steel that nothing breaks, named by the face's detail and the steel's tint.
std::string WallName(int32_t tile) {
    if (tile < 39) {
        if (tile == 30) return "terracotta ceramic wall";
        if (tile == 31) return "porcelain ceramic wall";
        static const char* const glazes[] = {"sand", "sage",  "rose",  "ochre", "lavender",
                                             "teal", "cream", "brick", "olive"};
        return std::string(glazes[(tile - 27) % 9]) + " ceramic wall";
    }
    if (tile == 45) return "plain steel wall";
    if (tile == 46) return "gunmetal tread steel wall";
    static const char* const details[] = {"brushed", "braced", "vented",
                                          "plated",  "tread",  "bolted"};
    static const char* const tints[] = {"light", "slate", "grey", "bronze", "blue", "pewter"};
    const int i = tile - 39;
    return std::string(tints[(i / 6 + i) % 6]) + " " + details[i % 6] + " steel wall";
}

}  // namespace

std::string TileName(int32_t tile) {
    switch (tile) {
        case tcInfotron:
            return "infotron";
        case tcLife:
            return "extra life";
        case tcFloor:
            return "floor";
        case tcEmpty:
            return "empty";
        case tcCircuit1:
            return "circuit 1";
        case tcCircuit2:
            return "circuit 2";
        case tcCircuit3:
            return "circuit 3";
        case tcBomb:
            return "bomb";
        case tcBall:
            return "black ball";
        case tcRedDynamite:
            return "red dynamite";
        case tcYellowDynamite:
            return "yellow dynamite";
        case tcTrapLeft:
            return "trap (entered moving left)";
        case tcTrapDown:
            return "trap (entered moving down)";
        case tcTrapUp:
            return "trap (entered moving up)";
        case tcTrapRight:
            return "trap (entered moving right)";
        case tcMonsterTurning:
            return "turning monster";
        case tcMonsterCrawling:
            return "crawling monster";
        case tcPortRight:
            return "port right";
        case tcPortDown:
            return "port down";
        case tcPortLeft:
            return "port left";
        case tcPortUp:
            return "port up";
        case tcTerminal:
            return "dynamite terminal";
        case tcOneShotTerminal:
            return "one-shot terminal";
        case tcUsedTerminal:
            return "used terminal";
        case tcExit:
            return "exit";
        case tcHazard:
            return "hazard";
        case tcDriftLeft:
            return "drift left";
        case tcDriftRight:
            return "drift right";
        case tcAnimated:
            return "animated tile";
        default:
            if (tile >= 27 && tile < tcEatFirst) return WallName(tile);
            return "tile " + std::to_string(tile);
    }
}
