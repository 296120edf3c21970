// Placeholder until this part of the game is written.
#include "level/level_loader.h"
#include "app/game.h"

void ReadLevelSet(Game&) {}
void ReadLevel(Game&, int) {}
void loadlevel(Game&, int) {}
bool IsSafeRelativePath(const std::string&) { return true; }
