// Where the game's files are: the folder its data files are read from and the folder the
// player's settings, players and own level sets are kept in.
#pragma once

#include <string>

// The name of the game's folders on an installed system: PREFIX/share/games/tolmara-deepgrid holds
// the data files and the default settings, $XDG_DATA_HOME/tolmara-deepgrid one user's saves.
inline constexpr const char* kInstalledName = "tolmara-deepgrid";

struct GameFolders {
    // Pictures, sounds, songs, the shipped level set, the default "tolmarakx.cfg"; trailing '/'.
    std::string Data;
    // "tolmarakx.cfg", "playersnames.grf" and the player's own level sets; trailing '/'.
    std::string Save;
};

// The folders of a program that runs from `programFolder` (with its trailing '/'):
// - a folder that holds the data files and can be written (the build folder, a portable copy)
//   is both, so everything stays there as it always did;
// - otherwise the saves go to `userData` + "tolmara-deepgrid/", and the data files are read from
//   the program's folder when it holds them (a read-only copy), else from the install found
//   beside it: PREFIX/share/games/tolmara-deepgrid for a program in PREFIX/games or in
//   PREFIX/lib/tolmara-deepgrid.
// With the data files nowhere, both are the program's folder: the start-up check then names the
// file that is missing there.
GameFolders FindGameFolders(const std::string& programFolder, const std::string& userData);

// The user's data folder with a trailing '/': $XDG_DATA_HOME when it is an absolute path, else
// $HOME/.local/share, else the home folder of the user's account + ".local/share".
std::string UserDataFolder();

// On a first start with saves apart from the data files: creates the save folder and the folders
// above it that are missing, readable by the user alone, and copies the data folder's
// "tolmarakx.cfg" into it, and its "playersnames.grf" when there is one (a portable copy that can
// no longer be written keeps its players). Does nothing when the save folder already holds
// settings, when the two folders are one, or when there are no default settings to copy (the
// start-up check reports that). Returns true when players were copied: the player's saves have
// moved and the player should be told where. Throws FileError naming the folder or file that
// cannot be made.
bool PrepareSaveFolder(const GameFolders& folders);

// The path of the level set file `name` (relative) named by the settings: the save folder's when
// one stands there, else the data folder's.
std::string LevelSetPath(const GameFolders& folders, const std::string& name);
