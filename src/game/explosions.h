// Explosions, chain reactions and the bombs the player places.
#pragma once

#include <cstdint>

struct World;
class GameEvents;

void ExplosionEffect(World& world, GameEvents& events, int col, int row);
void AreaBlast(World& world, GameEvents& events, int col, int row);
void BlastCell(World& world, GameEvents& events, int col, int row);
void InfotronBlast(World& world, GameEvents& events, int col, int row);
void HazardBlast(World& world, GameEvents& events, int col, int row);
void PlaceBomb(World& world, int col, int row);
void UpdateExplosions(World& world, int32_t lag);
void UpdateBombs(World& world, GameEvents& events, int32_t lag);
void RemoveMonster(World& world, int index);
void TipInfotronLost(GameEvents& events);
