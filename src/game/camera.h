// The camera: which part of the world the screen shows.
#pragma once

#include <cstdint>

struct LevelGrid;
struct World;

// The view origin (screen position of world point (0, 0)) for a player position.
void ComputeViewOrigin(const LevelGrid& level, double px, double py, int32_t& viewX,
                       int32_t& viewY);
// Points the view of the cells, blasts and bombs at the player's whole-pixel centre.
void UpdateView(World& world);
