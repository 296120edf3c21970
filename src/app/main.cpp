// Tolmara Deepgrid: the program entry.
//   tolmara [--levels NAME.lev]   NAME.lev: a level set of the save folder or the game's folder,
//                                 for this run only
//   tolmara --import-run FILE PLAYER
//                                 a run from a replay file, checked and offered to PLAYER's
//                                 records
#include <cstdio>
#include <string>

#include "app/import_run.h"
#include "app/main_loop.h"
#include "app/program_folder.h"

int main(int argc, char** argv) {
    std::string levels;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--levels" && i + 1 < argc) {
            levels = argv[++i];
        } else if (arg == "--import-run" && argc == 4 && i == 1) {
            return ImportRun(FoldersOfProgram(), argv[2], argv[3]);
        } else {
            std::fprintf(stderr,
                         "usage: tolmara [--levels NAME.lev]\n"
                         "       tolmara --import-run FILE.replay PLAYER\n");
            return 2;
        }
    }
    return RunGame(levels);
}
