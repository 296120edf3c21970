// The game's tiles and characters at any size, for the help pages and character selection.
// Each tile icon fills the square (x, y, size, size) with the tile as the level shows it.
#pragma once

#include <cairo.h>

enum class Dir { Right, Down, Left, Up };

void IconFloor(cairo_t* cr, double x, double y, double size);
void IconCircuit(cairo_t* cr, double x, double y, double size);
void IconInfotron(cairo_t* cr, double x, double y, double size);
void IconBall(cairo_t* cr, double x, double y, double size);
void IconRedDynamite(cairo_t* cr, double x, double y, double size);
void IconYellowDynamite(cairo_t* cr, double x, double y, double size);
void IconBomb(cairo_t* cr, double x, double y, double size);
void IconLife(cairo_t* cr, double x, double y, double size);
void IconExit(cairo_t* cr, double x, double y, double size);
void IconPort(cairo_t* cr, double x, double y, double size, Dir dir);
// kind 0: terminal for any direction; 1: one-shot terminal (down arrow); 2: used one-shot.
void IconTerminal(cairo_t* cr, double x, double y, double size, int kind);
void IconTrap(cairo_t* cr, double x, double y, double size, Dir throwDir);
void IconFan(cairo_t* cr, double x, double y, double size, Dir pull);
void IconPlasma(cairo_t* cr, double x, double y, double size, bool deadly);
void IconSawDrone(cairo_t* cr, double x, double y, double size);
void IconSpark(cairo_t* cr, double x, double y, double size);
void IconHardWall(cairo_t* cr, double x, double y, double size);
void IconBrickWall(cairo_t* cr, double x, double y, double size);

// The two characters. The robot (Vivuz) is a sphere of radius r centred at (cx, cy); the engineer
// (Vuzoda) stands in a box of height h whose top centre is (cx, top).
void DrawRobot(cairo_t* cr, double cx, double cy, double r);
void DrawEngineer(cairo_t* cr, double cx, double top, double h);
