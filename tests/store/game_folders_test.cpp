// Where the game's files are: a portable folder keeps everything, an installed game reads the
// install and saves in the user's data folder, which a first start makes ready.
#include "store/game_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "media/byte_io.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

void Touch(const std::string& path, const std::string& text = "x") {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string Text(const std::string& path) {
    const Bytes bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(GameFolders, FollowWhereTheProgramRuns) {
    TempDir dir;
    const std::string user = dir.File("home/.local/share/");
    // A folder holding the data files (a build folder, a portable copy) keeps everything.
    Touch(dir.File("portable/tolmara.dxg"));
    const GameFolders portable = FindGameFolders(dir.File("portable"), user);
    EXPECT_EQ(portable.Data, dir.File("portable/"));
    EXPECT_EQ(portable.Save, dir.File("portable/"));
    // The game in PREFIX/games and the developers' tools in PREFIX/lib/tolmara-deepgrid read the
    // install's data folder and save in the user's.
    const std::string data = dir.File("usr/share/games/tolmara-deepgrid/");
    Touch(data + "tolmara.dxg");
    for (const char* program : {"usr/games/", "usr/lib/tolmara-deepgrid/"}) {
        fs::create_directories(dir.File(program));
        const GameFolders installed = FindGameFolders(dir.File(program), user);
        EXPECT_EQ(installed.Data, data) << program;
        EXPECT_EQ(installed.Save, user + "tolmara-deepgrid/") << program;
    }
    // With the data nowhere the program's folder stays, so the start-up check names what is
    // missing there.
    fs::create_directories(dir.File("bare"));
    EXPECT_EQ(FindGameFolders(dir.File("bare/"), user).Save, dir.File("bare/"));
}

TEST(GameFolders, FirstStartCopiesTheDefaultSettingsOnceIntoAPrivateFolder) {
    TempDir dir;
    const GameFolders folders{dir.File("data/"), dir.File("home/.local/share/tolmara-deepgrid/")};
    Touch(folders.Data + "tolmarakx.cfg", "default settings");
    PrepareSaveFolder(folders);
    EXPECT_EQ(Text(folders.Save + "tolmarakx.cfg"), "default settings");
    for (const std::string& made : {dir.File("home/.local"), folders.Save}) {
        struct stat st {};
        ASSERT_EQ(::stat(made.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << made;
    }
    // The player's own settings are never replaced by the default.
    Touch(folders.Save + "tolmarakx.cfg", "the player's settings");
    PrepareSaveFolder(folders);
    EXPECT_EQ(Text(folders.Save + "tolmarakx.cfg"), "the player's settings");
    // A file where the folder should be is named in the error.
    Touch(dir.File("blocked/.local"));
    try {
        PrepareSaveFolder({folders.Data, dir.File("blocked/.local/share/tolmara-deepgrid/")});
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(dir.File("blocked/.local/share")), std::string::npos)
            << e.what();
    }
}

TEST(GameFolders, PlayersOwnLevelSetComesBeforeTheShippedOne) {
    TempDir dir;
    const GameFolders folders{dir.File("data/"), dir.File("save/")};
    Touch(folders.Data + "Tolmara.lev");
    Touch(folders.Data + "Other.lev");
    Touch(folders.Save + "Tolmara.lev");
    EXPECT_EQ(LevelSetPath(folders, "Tolmara.lev"), folders.Save + "Tolmara.lev");
    EXPECT_EQ(LevelSetPath(folders, "Other.lev"), folders.Data + "Other.lev");
}

}  // namespace
