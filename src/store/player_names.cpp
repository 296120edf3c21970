// Placeholder until this part of the game is written.
#include "store/player_table.h"

void ReadPlayerNames(PlayerTable&, int32_t&, const std::string&) {}
void WritePlayerNames(const PlayerTable&, int32_t, const std::string&) {}
