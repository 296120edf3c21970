// The level set of one run.
#include "app/run_levels.h"

#include "level/level_loader.h"
#include "media/byte_io.h"
#include "screens/game.h"
#include "store/game_folders.h"
#include "store/settings.h"

namespace {

std::string runLevels;  // the set given on the command line; empty when none was

}  // namespace

void UseLevelsForRun(Game& game, const std::string& name) {
    if (!IsSafeRelativePath(name) || name.find_first_of("/\\") != std::string::npos)
        throw FileError(name +
                        ": --levels takes the name of a level set file in the game's "
                        "folder or the save folder");
    const std::string problem = ConfigValueProblem(name);
    if (!problem.empty())
        throw FileError("'" + name + "': --levels cannot take this name: " + problem);
    // A player's own set in the save folder comes first, as for the set the settings name.
    const std::string path = LevelSetPath(GameFolders{game.ProgramDir, game.SaveFolder()}, name);
    if (!PathExists(path))
        throw FileError(path + ": cannot open file (the level set given by --levels)");
    runLevels = name;
    game.settings.LevelsFile = name;
}

Settings SettingsToStore(const Game& game) {
    Settings stored = game.settings;
    if (runLevels.empty() || stored.LevelsFile != runLevels) return stored;
    Settings onDisk = game.settings;
    try {
        ReadConfiguration(onDisk, game.SaveFolder());
        stored.LevelsFile = onDisk.LevelsFile;
    } catch (const std::exception&) {
        // No readable file to keep a line of: the file is written whole, as it would be anyway.
    }
    return stored;
}
