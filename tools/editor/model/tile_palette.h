// The palette of the editor: every tile a level can hold, in groups, with its name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PaletteGroup {
    std::string Name;
    std::vector<int32_t> Tiles;
};

// The groups in the palette's order; `pictures` is the tile set's picture count, so that solid
// tiles the set draws beyond the named ones are offered too.
std::vector<PaletteGroup> PaletteGroups(int pictures);
// The name of a tile code ("port right", "terracotta ceramic wall").
std::string TileName(int32_t tile);
