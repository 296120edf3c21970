// The folder of the running program, where the game keeps its data files.
#include "app/program_folder.h"

#include <SDL.h>

std::string ProgramFolder() {
    char* base = SDL_GetBasePath();
    std::string dir = base ? base : "./";
    SDL_free(base);
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}
