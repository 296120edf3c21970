// Painters of the tile pictures of "computer.dxg": each paints one 40 x 40 pattern at the origin.
#pragma once

#include <cairo.h>

#include "media/library_format.h"

constexpr int kTile = 40;

// Picture 0: the 640 x 480 play-field background, a dim circuit board.
PictureData TileBackground();

// Border frame pieces, codes 1 to 6.
void PaintBorder(cairo_t* cr, int code);
// Solid walls: breakable ceramic blocks (codes below 39) and riveted steel (39 and up); the code
// picks the variant.
void PaintBreakableWall(cairo_t* cr, int code);
void PaintHardWall(cairo_t* cr, int code);
// Code 14: the floor plate.
void PaintFloor(cairo_t* cr);

// Circuits: look 0, 1, 2 are codes 16, 17, 18.
void PaintCircuit(cairo_t* cr, int look);
// A circuit crumbling into sparks while the player eats into it moving in direction `dir`
// (0 right, 1 left, 2 up, 3 down), pattern 0..19 of the animation.
void PaintCircuitEating(cairo_t* cr, int look, int dir, int pattern);
// Code 7: a circuit eaten in place, patterns 0..4.
void PaintCircuitSnapped(cairo_t* cr, int pattern);

// Infotron and ball; `turn` is the rolling angle in radians (positive turns clockwise).
void PaintInfotron(cairo_t* cr, double turn);
void PaintBall(cairo_t* cr, double turn);
// Code 8: an infotron eaten in place, patterns 0..4.
void PaintInfotronSnapped(cairo_t* cr, int pattern);
// Code 19: the bomb (pattern 0) and its pick-up frames 1..4 shrinking into a spark.
void PaintBomb(cairo_t* cr, int pattern);
void PaintExtraLife(cairo_t* cr);
void PaintRedDynamite(cairo_t* cr);
void PaintYellowDynamite(cairo_t* cr);

// Traps: a spring plate with an arrow along `throwAngle` (radians, 0 right, pi/2 down).
void PaintTrap(cairo_t* cr, double throwAngle);
// Ports: a pipe along `angle` with a bright arrow pulsing along it, patterns 0..3.
void PaintPort(cairo_t* cr, double angle, int pattern);
// Terminals: 0 dynamite terminal, 1 one-shot terminal, 2 used one-shot terminal.
void PaintTerminal(cairo_t* cr, int kind);
void PaintExit(cairo_t* cr);
// Code 68: a data panel with blinking lights and a sweeping scope, patterns 0..9.
void PaintDataPanel(cairo_t* cr, int pattern);

// Code 65: the plasma core, patterns 0..7 (2 to 5 deadly red, 6 and 7 calm blue).
void PaintHazard(cairo_t* cr, int pattern);
// Codes 66 (air lines to the left) and 67 (to the right): a spinning fan, patterns 0..10.
void PaintDriftFan(cairo_t* cr, bool pullsRight, int pattern);
// Code 38: the saw drone, patterns 0..7 facing up, up-left, left, ... turning counter-clockwise.
void PaintSawDrone(cairo_t* cr, int pattern);
// Code 39: the crawling spark creature.
void PaintSparkCreature(cairo_t* cr);
