// `tolmara --levels NAME.lev`: a level set of the game's folder played for one run, while the
// configuration file keeps naming the set it names.
#pragma once

#include <string>

#include "store/settings.h"

struct Game;

// Plays `name` (a file in the game's folder) in this run. Throws FileError naming the file when
// it is not a plain file name of the game's folder or is not there.
void UseLevelsForRun(Game& game, const std::string& name);
// The settings as the configuration file is to hold them: the level set of the run is written
// only when the options were saved with it (the file names it then); otherwise the file's own
// "Levels File" line is kept.
Settings SettingsToStore(const Game& game);
