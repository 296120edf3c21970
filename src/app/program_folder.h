// The folder of the running program, where the game keeps its data files.
#pragma once

#include <string>

// The running program's folder with a trailing '/', or "./" when the system cannot say.
std::string ProgramFolder();
