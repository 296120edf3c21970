// The characters of level maps in level sources: one character per tile code.
#pragma once

#include <cstdint>

constexpr char kStartChar = '@';  // the start cell, an empty cell in the level

// The tile code of a map character, or -1 when the character is not in the legend ('@' is not:
// the caller handles the start).
int32_t LegendTile(char ch);
// The character that shows a tile code in a map (' ' for empty), or 0 when none does.
char LegendChar(int32_t tile);
