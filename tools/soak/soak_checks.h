// The invariants of a level in play that the soak checks after every tick.
#pragma once

#include <string>

struct Game;

// The first broken invariant of the level in play, or an empty string: every cell of the play
// area and its border holds a tile code from 1 to 1000 with a picture in the tile set; the border
// ring is intact; the player's centre lies in the play area; Lives is at most 6; the lists of
// objects in motion, explosions, placed bombs and monsters hold no more than their capacities;
// every moving object's target cell and every monster's own cell lie in the play area.
std::string FindViolation(const Game& game);
