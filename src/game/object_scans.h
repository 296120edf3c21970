// The scans that start falls, rolls and pushes of loose objects (part of the world update).
#pragma once

struct World;
class GameEvents;

// Runs the eleven scans over the play area in their fixed order, each seeing the cells left by
// the ones before; every move started reserves its two cells (11) and takes a FallList entry.
// With the list full, a further move is not started in this tick and its cells stay as they are.
void StartMoves(World& world);
