// Tolmara Deepgrid: the program entry.
//   tolmara [--levels NAME.lev]   NAME.lev: a level set of the save folder or the game's folder,
//                                 for this run only
#include <cstdio>
#include <string>

#include "app/main_loop.h"

int main(int argc, char** argv) {
    std::string levels;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--levels" && i + 1 < argc) {
            levels = argv[++i];
        } else {
            std::fprintf(stderr, "usage: tolmara [--levels NAME.lev]\n");
            return 2;
        }
    }
    return RunGame(levels);
}
