// Where the game's files are: the data folder and the save folder of a run.
#include "store/game_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "store/atomic_write.h"

namespace {

constexpr const char* kSettingsFile = "tolmarakx.cfg";
constexpr const char* kPlayersFile = "playersnames.grf";
// The first data file the start-up check asks for: a folder holding it holds the game's data.
constexpr const char* kMarkFile = "tolmara.dxg";
// As large as the settings reader takes.
constexpr size_t kLargestSettings = 64 * 1024;
constexpr size_t kLargestPlayers = 64 * 1024;

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

bool HoldsData(const std::string& folder) {
    return PathExists(folder + kMarkFile);
}

// The installed data folder beside a program in PREFIX/games (one level down from PREFIX) or in
// PREFIX/lib/tolmara-deepgrid (two levels down); empty when there is none.
std::string InstalledDataFolder(const std::string& programFolder) {
    const std::string tail = std::string("share/games/") + kInstalledName + "/";
    for (const char* up : {"../", "../../"}) {
        const std::filesystem::path path(programFolder + up + tail);
        const std::string folder = WithSlash(path.lexically_normal().string());
        if (HoldsData(folder)) return folder;
    }
    return {};
}

// Creates `folder` and the missing folders above it with mode 0700.
void MakeFolders(const std::string& folder) {
    std::string path;
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        path = folder.substr(0, slash);
        if (::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST) continue;
        throw FileError(path + ": cannot create folder (" + std::strerror(errno) + ")");
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw FileError(path + ": cannot create folder (a file of that name stands there)");
}

}  // namespace

GameFolders FindGameFolders(const std::string& programFolder, const std::string& userData) {
    const std::string program = WithSlash(programFolder);
    const bool holdsData = HoldsData(program);
    if (holdsData && ::access(program.c_str(), W_OK) == 0) return {program, program};
    const std::string installed = holdsData ? program : InstalledDataFolder(program);
    if (installed.empty()) return {program, program};
    return {installed, WithSlash(userData) + kInstalledName + "/"};
}

std::string UserDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') return WithSlash(data);
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {
        const passwd* account = ::getpwuid(::getuid());
        home = account && account->pw_dir ? account->pw_dir : "/";
    }
    return WithSlash(home) + ".local/share/";
}

bool PrepareSaveFolder(const GameFolders& folders) {
    if (folders.Save == folders.Data || PathExists(folders.Save + kSettingsFile)) return false;
    if (!PathExists(folders.Data + kSettingsFile)) return false;
    MakeFolders(folders.Save);
    // The players first: the settings file's arrival marks the folder as ready, so a run cut
    // short between the two copies makes both again at the next start.
    const bool players = PathExists(folders.Data + kPlayersFile);
    if (players)
        WriteFileAtomically(folders.Save + kPlayersFile,
                            ReadFileBytes(folders.Data + kPlayersFile, kLargestPlayers));
    WriteFileAtomically(folders.Save + kSettingsFile,
                        ReadFileBytes(folders.Data + kSettingsFile, kLargestSettings));
    return players;
}

std::string LevelSetPath(const GameFolders& folders, const std::string& name) {
    if (PathExists(folders.Save + name)) return folders.Save + name;
    return folders.Data + name;
}
