// Drawing the play field, the objects in motion, monsters, explosions and the status bar.
#pragma once

#include <cstdint>

struct Game;
struct tlevel;

// The view origin (screen position of world point (0, 0)) for a player position.
void ComputeViewOrigin(const tlevel& level, double px, double py, int32_t& viewX, int32_t& viewY);
void DrawPlayField(Game& game, int32_t lag);
