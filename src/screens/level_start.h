// What a level start resets beyond the level loader, so that a level plays the same whatever
// was played before it.
#pragma once

struct Game;

// Called by the level start screen right after loadlevel: empties the explosion and placed-bomb
// lists, clears the blast guard, and gives every monster entry the level filled a fresh
// heading, target, origin cell and turning value (the loader keeps the previous level's).
void PrepareLevelStart(Game& game);
