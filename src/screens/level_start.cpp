// The level start screen: loads the level to play and goes on to the play screen.
#include "screens/level_start.h"

#include "game/level_start.h"
#include "level/level_loader.h"
#include "render/level_pictures.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"
#include "store/game_folders.h"

void EmptyTick(Game&, int32_t) {}

void ReadLevelSet(Game& game) {
    const std::string& name = game.settings.LevelsFile;
    if (!IsSafeRelativePath(name))
        throw FileError(name + ": the level set file must be a file inside the game's folder");
    // A player's own level set in the save folder comes before the shipped one of that name. A
    // file that cannot be opened says where its name came from: an edited configuration file can
    // name a level set file that never existed.
    const std::string path = LevelSetPath(GameFolders{game.ProgramDir, game.SaveFolder()}, name);
    if (!PathExists(path)) {
        const std::string also =
            game.SaveDir.empty() ? "" : ", looked for in " + game.SaveDir + " first";
        throw FileError(path + ": cannot open file (the level set file named by tolmarakx.cfg" +
                        also + ")");
    }
    ReadLevelSetFrom(game, path);
}

void ReadLevelSetFrom(Game& game, const std::string& path) {
    ReadLevelSetFile(game.levels, path, game.ProgramDir);
}

void ReadLevel(Game& game, int n) {
    PlaceLevel(game.world, ReadCheckedLevel(game.levels, game.ProgramDir, n));
}

void LoadLevel(Game& game, int n) {
    game.SeedRandomFromClock();
    game.ScreenTick = EmptyTick;
    const LevelRecord record = ReadCheckedLevel(game.levels, game.ProgramDir, n);
    LoadLevelPictures(game.media.TilePictures, game.levels, game.ProgramDir, record, n);
    StartLevel(game.world, record);
    SetCellOffsets(game.world.level, game.media.TilePictures);
}

void LevelStartTick(Game& game, int32_t lag) {
    LoadLevel(game, game.world.play.CurrentLevel);
    PrepareLevelStart(game.world);
    game.input.Paused = false;
    BeginRun(game, lag);
    SetScreen(game, Screen::GamePlay);
}
