// `tolmara --levels NAME.lev`: a level set of the save folder or the game's folder played for one
// run, while the configuration file keeps naming the set it names.
#pragma once

#include <string>

#include "store/settings.h"

struct Game;

// Plays `name` in this run: the save folder's file of that name, else the data folder's. Throws
// FileError naming the file when it is not a plain file name, is not there, or is a name the
// configuration file could not keep (the options save the set they play).
void UseLevelsForRun(Game& game, const std::string& name);
// The settings as the configuration file is to hold them: the level set of the run is written
// only when the options were saved with it (the file names it then); otherwise the file's own
// "Levels File" line is kept.
Settings SettingsToStore(const Game& game);
