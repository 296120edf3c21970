// The folder of the running program and the game's folders found from it.
#include "app/program_folder.h"

#include <SDL.h>

std::string ProgramFolder() {
    char* base = SDL_GetBasePath();
    std::string dir = base ? base : "./";
    SDL_free(base);
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

GameFolders FoldersOfProgram() {
    return FindGameFolders(ProgramFolder(), UserDataFolder());
}
