// The player character: its per-tick move step and what it collects.
#pragma once

#include <cstdint>

struct World;
class GameEvents;

// The player's move step for one tick: dying pause, steering, drift, exit, traps, walking and
// pushing, idle animation, and the view that follows it.
void PlayerMove(World& world, GameEvents& events, int32_t lag);
void CollectInfotron(World& world, GameEvents& events);
void CollectLife(World& world, GameEvents& events);
void CollectBomb(World& world, GameEvents& events);
void TipExitClosed(GameEvents& events);
void PlayerHit(World& world, GameEvents& events, int col, int row);
void DetonateNearby(World& world, GameEvents& events, int col, int row);
