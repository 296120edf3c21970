// The standard tile set "computer.dxg": picture k is the picture of tile code k, 0 the background.
#include <cmath>
#include <string>

#include "assetbuild/art_kit.h"
#include "assetbuild/assets.h"
#include "assetbuild/tiles.h"

namespace {

constexpr int kLastCode = 81;

// Patterns run side by side, 40 x 40 each; the play field picks them by the cell's phase.
PictureData Tile(const std::string& name, int patterns, const PatternPainter& paint) {
    return StripPicture(name, patterns, kTile, kTile, paint);
}

PictureData Single(const std::string& name, const std::function<void(cairo_t*)>& paint) {
    return Tile(name, 1, [&](cairo_t* cr, int) { paint(cr); });
}

// Rolling things turn a full circle over their 9 patterns; `sense` +1 clockwise (rolling right
// or at rest), -1 counter-clockwise (rolling left).
PatternPainter Rolling(void (*paint)(cairo_t*, double), int sense) {
    return [paint, sense](cairo_t* cr, int p) { paint(cr, sense * p * 2 * M_PI / 9); };
}

// The eating animation of tile code 70..81: the circuit look and the direction of travel.
PictureData EatingTile(int code) {
    int look = (code - 70) / 4;
    // Codes run right, left, up, down within each look; PaintCircuitEating takes the same order.
    int dir = (code - 70) % 4;
    const char* dirNames[] = {"right", "left", "up", "down"};
    std::string name = "eat" + std::to_string(16 + look) + dirNames[dir];
    return Tile(name, 20,
                [look, dir](cairo_t* cr, int p) { PaintCircuitEating(cr, look, dir, p); });
}

// Every code without a rule is a solid wall: breakable ceramic below 39, steel from 39 up.
PictureData WallTile(int code) {
    if (code < 39)
        return Single("wall" + std::to_string(code),
                      [code](cairo_t* cr) { PaintBreakableWall(cr, code); });
    return Single("steel" + std::to_string(code), [code](cairo_t* cr) { PaintHardWall(cr, code); });
}

// The picture of a tile code that has its own look, or an empty picture when it has none.
PictureData RuleTile(int code) {
    const double right = 0, down = M_PI / 2, left = M_PI, up = -M_PI / 2;
    auto border = [code](cairo_t* cr) { PaintBorder(cr, code); };
    switch (code) {
        case 1:
            return Single("bordertl", border);
        case 2:
            return Single("bordertr", border);
        case 3:
            return Single("borderh", border);
        case 4:
            return Single("borderv", border);
        case 5:
            return Single("borderbl", border);
        case 6:
            return Single("borderbr", border);
        case 7:
            return Tile("circuitsnap", 5, PaintCircuitSnapped);
        case 8:
            return Tile("infotronsnap", 5, PaintInfotronSnapped);
        case 9:
            return Tile("infotronleft", 9, Rolling(PaintInfotron, -1));
        case 10:
            return Tile("ballleft", 9, Rolling(PaintBall, -1));
        case 11:
            return Single("busy", [](cairo_t*) {});
        case 12:
            return Tile("infotron", 9, Rolling(PaintInfotron, 1));
        case 13:
            return Single("life", PaintExtraLife);
        case 14:
            return Single("floor", PaintFloor);
        case 15:
            return Single("empty", [](cairo_t*) {});
        case 16:
            return Single("circuit16", [](cairo_t* cr) { PaintCircuit(cr, 0); });
        case 17:
            return Single("circuit17", [](cairo_t* cr) { PaintCircuit(cr, 1); });
        case 18:
            return Single("circuit18", [](cairo_t* cr) { PaintCircuit(cr, 2); });
        case 19:
            return Tile("bomb", 5, PaintBomb);
        case 20:
            return Tile("ball", 9, Rolling(PaintBall, 1));
        case 21:
            return Single("reddynamite", PaintRedDynamite);
        case 22:
            return Single("yellowdynamite", PaintYellowDynamite);
        // A trap throws the player back the way it came in.
        case 23:
            return Single("trapright", [=](cairo_t* cr) { PaintTrap(cr, right); });
        case 24:
            return Single("trapup", [=](cairo_t* cr) { PaintTrap(cr, up); });
        case 25:
            return Single("trapdown", [=](cairo_t* cr) { PaintTrap(cr, down); });
        case 26:
            return Single("trapleft", [=](cairo_t* cr) { PaintTrap(cr, left); });
        case 38:
            return Tile("sawdrone", 8, PaintSawDrone);
        case 39:
            return Single("spark", PaintSparkCreature);
        case 49:
            return Tile("portright", 4, [=](cairo_t* cr, int p) { PaintPort(cr, right, p); });
        case 50:
            return Tile("portdown", 4, [=](cairo_t* cr, int p) { PaintPort(cr, down, p); });
        case 51:
            return Tile("portleft", 4, [=](cairo_t* cr, int p) { PaintPort(cr, left, p); });
        case 52:
            return Tile("portup", 4, [=](cairo_t* cr, int p) { PaintPort(cr, up, p); });
        case 53:
            return Single("terminal", [](cairo_t* cr) { PaintTerminal(cr, 0); });
        case 54:
            return Single("terminalonce", [](cairo_t* cr) { PaintTerminal(cr, 1); });
        case 55:
            return Single("terminalused", [](cairo_t* cr) { PaintTerminal(cr, 2); });
        case 63:
            return Single("exit", PaintExit);
        case 65:
            return Tile("plasma", 8, PaintHazard);
        case 66:
            return Tile("fanleft", 11, [](cairo_t* cr, int p) { PaintDriftFan(cr, false, p); });
        case 67:
            return Tile("fanright", 11, [](cairo_t* cr, int p) { PaintDriftFan(cr, true, p); });
        case 68:
            return Tile("datapanel", 10, PaintDataPanel);
        default:
            break;
    }
    if (code >= 70 && code <= kLastCode) return EatingTile(code);
    return {};
}

}  // namespace

std::vector<PictureData> BuildTilePictures() {
    std::vector<PictureData> pictures;
    pictures.reserve(kLastCode + 1);
    pictures.push_back(TileBackground());
    for (int code = 1; code <= kLastCode; ++code) {
        PictureData picture = RuleTile(code);
        pictures.push_back(picture.Width > 0 ? std::move(picture) : WallTile(code));
    }
    return pictures;
}
