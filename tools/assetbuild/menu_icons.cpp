// The game's tiles at any size for the help pages, drawn by the tile painters themselves.
#include "assetbuild/menu_icons.h"

#include <cmath>
#include <functional>

#include "assetbuild/tiles.h"

namespace {

// Paints one 40 x 40 tile scaled into the square (x, y, size), clipped to it.
void Tile(cairo_t* cr, double x, double y, double size,
          const std::function<void(cairo_t*)>& paint) {
    cairo_save(cr);
    cairo_new_path(cr);  // the current point of text drawn before must not join the tile's path
    cairo_translate(cr, x, y);
    cairo_scale(cr, size / kTile, size / kTile);
    cairo_rectangle(cr, 0, 0, kTile, kTile);
    cairo_clip(cr);
    cairo_new_path(cr);
    paint(cr);
    cairo_restore(cr);
}

double Angle(Dir d) {
    return static_cast<int>(d) * M_PI / 2;
}  // 0 right, pi/2 down, ...

}  // namespace

// Each icon is the tile painter of "computer.dxg" scaled into the box, so the help pages show
// exactly the tiles met in play.
void IconFloor(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, [](cairo_t* c) { PaintFloor(c); });
}
void IconCircuit(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, [](cairo_t* c) { PaintCircuit(c, 0); });
}
void IconInfotron(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, [](cairo_t* c) { PaintInfotron(c, 0); });
}
void IconBall(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, [](cairo_t* c) { PaintBall(c, 0); });
}
void IconRedDynamite(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, PaintRedDynamite);
}
void IconYellowDynamite(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, PaintYellowDynamite);
}
void IconBomb(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, [](cairo_t* c) { PaintBomb(c, 0); });
}
void IconLife(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, PaintExtraLife);
}
void IconExit(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, PaintExit);
}

void IconPort(cairo_t* cr, double x, double y, double size, Dir dir) {
    Tile(cr, x, y, size, [dir](cairo_t* c) { PaintPort(c, Angle(dir), 0); });
}
void IconTerminal(cairo_t* cr, double x, double y, double size, int kind) {
    Tile(cr, x, y, size, [kind](cairo_t* c) { PaintTerminal(c, kind); });
}
void IconTrap(cairo_t* cr, double x, double y, double size, Dir throwDir) {
    Tile(cr, x, y, size, [throwDir](cairo_t* c) { PaintTrap(c, Angle(throwDir)); });
}
void IconFan(cairo_t* cr, double x, double y, double size, Dir pull) {
    Tile(cr, x, y, size, [pull](cairo_t* c) { PaintDriftFan(c, pull == Dir::Right, 0); });
}
// Patterns 2 to 5 of the plasma core are the deadly red ones, 6 and 7 the calm blue ones.
void IconPlasma(cairo_t* cr, double x, double y, double size, bool deadly) {
    Tile(cr, x, y, size, [deadly](cairo_t* c) { PaintHazard(c, deadly ? 4 : 7); });
}
void IconSawDrone(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, [](cairo_t* c) { PaintSawDrone(c, 0); });
}
void IconSpark(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, PaintSparkCreature);
}
void IconHardWall(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, [](cairo_t* c) { PaintHardWall(c, 40); });
}
void IconBrickWall(cairo_t* cr, double x, double y, double size) {
    Tile(cr, x, y, size, [](cairo_t* c) { PaintBreakableWall(c, 27); });
}
