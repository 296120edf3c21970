// Placeholder until this part of the game is written.
#include "game/explosions.h"
#include "app/game.h"

void ExplosionEffect(Game&, int, int) {}
void AreaBlast(Game&, int, int) {}
void BlastCell(Game&, int, int) {}
void InfotronBlast(Game&, int, int) {}
void HazardBlast(Game&, int, int) {}
void PlaceBomb(Game&, int, int) {}
void UpdateExplosions(Game&, int32_t) {}
void UpdateBombs(Game&, int32_t) {}
void RemoveMonster(Game&, int) {}
void TipInfotronLost(Game&) {}
