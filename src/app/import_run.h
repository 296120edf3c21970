// tolmara --import-run FILE PLAYER: a run from a replay file (one the records board exported,
// or one made elsewhere) played headless and, when it makes its level, offered to PLAYER's
// records like a run made in the game.
#pragma once

#include <string>

#include "store/game_folders.h"

// Prints what became of the run; 0 when it was checked (kept or not), 1 when the file cannot
// be read or its run does not make its level (the message names the file and the reason).
int ImportRun(const GameFolders& folders, const std::string& file, const std::string& player);
