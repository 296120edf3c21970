// Placeholder until this part of the game is written.
#include "render/playfield.h"
#include "app/game.h"

void ComputeViewOrigin(const tlevel&, double, double, int32_t& viewX, int32_t& viewY) { viewX = viewY = 0; }
void DrawPlayField(Game&, int32_t) {}
