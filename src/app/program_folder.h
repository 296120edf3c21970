// The folder of the running program and the game's folders found from it.
#pragma once

#include <string>

#include "store/game_folders.h"

// The running program's folder with a trailing '/', or "./" when the system cannot say.
std::string ProgramFolder();
// The folders of the running program: its own folder when it holds the data files and can be
// written, else the install's data folder and the user's save folder.
GameFolders FoldersOfProgram();
