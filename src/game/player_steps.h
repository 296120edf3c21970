// Pieces of the player's move step shared by its files: pictures, the checks of a direction at
// rest and the limits of the player's position.
#pragma once

#include <cstdint>

#include "game/play_state.h"

struct World;
class GameEvents;

// Advances the player's pattern by its speed: a looping picture wraps, another one stops at its
// last (or first) pattern.
void AdvancePlayerPattern(PlayerLook& look, int32_t lag);
// The picture of a direction: 2 patterns, looping, ten patterns a second.
void UseDirectionPicture(PlayerLook& look, Direction dir);

// The checks of a direction read at rest: walking, eating, collecting, ports, terminals,
// pushes. (col, row) is the player's cell of this tick.
void TryDirection(World& world, GameEvents& events, Direction dir, int col, int row);

// The player's centre stays between the centres of the first and last interior cells.
double ClampCentreX(const World& world, double x);
double ClampCentreY(const World& world, double y);
