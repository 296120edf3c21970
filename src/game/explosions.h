// Explosions, chain reactions and the bombs the player places.
#pragma once

#include <cstdint>

struct Game;

void ExplosionEffect(Game& game, int col, int row);
void AreaBlast(Game& game, int col, int row);
void BlastCell(Game& game, int row, int col);
void InfotronBlast(Game& game, int col, int row);
void HazardBlast(Game& game, int col, int row);
void PlaceBomb(Game& game, int col, int row);
void UpdateExplosions(Game& game, int32_t lag);
void UpdateBombs(Game& game, int32_t lag);
void RemoveMonster(Game& game, int index);
void TipInfotronLost(Game& game);
