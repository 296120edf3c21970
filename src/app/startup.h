// Start-up, the main window's creation, fatal errors and the shutdown sequence.
#pragma once

#include <exception>
#include <string>

struct Game;
struct GameFolders;

// The folders of the run: data files from folders.Data, settings and players in folders.Save,
// which a first start makes ready (its folder and the default settings). Throws FileError naming
// the folder or file that cannot be made.
void UseGameFolders(Game& game, const GameFolders& folders);

// Makes the save folder this run's own: takes its lock (FileError naming the folder when another
// game runs with it) and removes the temporary files that killed writes left there.
void TakeSaveFolder(Game& game);

// The data files "tolmara.dxg", "meniu.dxg", "computer.dxg", "tolmarakx.cfg" (the last in the
// save folder) in order; shows the message of the first one that cannot be opened and returns
// false: the missing-file message when nothing stands there, else the path and what is wrong.
bool CheckDataFiles(Game& game);
bool FileReadable(const std::string& path);
// The start-up defaults of the player table and settings (before the data check).
void SetStartDefaults(Game& game);
// Reads volumes, player names and configuration, and opens the records (after the data check).
void ReadStoredSettings(Game& game);
// The main window's creation: tables, messages, pictures, player sprite, level set, sound,
// volumes, and the intro logo screen.
void PrepareGame(Game& game);
void OnDisplayReady(Game& game);
void OnDisplayLost(Game& game);
// Reports an error that nothing else caught and ends the run (after storing the player names
// once start-up has completed).
void AppException(Game& game, const std::exception& error);
// Stores the player names and the configuration, stops the music, leaves full screen, ends.
void ShutdownSequence(Game& game);
// An error message box (only with a real video driver) and the same text on standard error.
void ShowErrorBox(const std::string& title, const std::string& text);
