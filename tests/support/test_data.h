// Small data files made in the tests: plain-coloured picture libraries with every name the game
// uses, a sound library, and a configuration file in the game's layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/library_format.h"

// A picture of `patterns` patterns of w x h laid side by side, each filled with one colour
// (0x00RRGGBB; pattern p gets colour + p). Magenta 0xFF00FF is the transparent colour.
PictureData SolidPicture(const std::string& name, int w, int h, uint32_t rgb, int patterns = 1);

// The colour of tile code k in the test tile set (pattern 0).
uint32_t TestTileColor(int code);

std::vector<PictureData> TestGamePictures();  // "tolmara.dxg"
std::vector<PictureData> TestMenuPictures();  // "meniu.dxg"
std::vector<PictureData> TestTilePictures();  // "computer.dxg": 0 background, 1..81
std::vector<SoundData> TestSounds();          // "sounds.dxg"

// The configuration file's text (CR LF lines) with the given level set file and counts.
std::string TestConfigText(const std::string& levelsFile = "Tolmara.lev", bool music = false,
                           bool sounds = true, int levelCount = 3);

// A level for a hand-made level set: rows of tile codes of the play area (all rows the same
// length), the start cell (1-based row and column).
struct TestLevel {
    std::string Name;
    int StartRow = 1, StartCol = 1;
    std::vector<std::vector<int>> Cells;
    int Quota = 0;
    std::string TileSet = "computer.dxg";
};
Bytes TestLevelSetBytes(const std::vector<TestLevel>& levels,
                        const std::string& setName = "Test set");
// Three small levels: 1 and 2 walkable with an exit, 3 with a monster.
std::vector<TestLevel> TestLevels();

// Writes tolmara.dxg, meniu.dxg, computer.dxg, sounds.dxg, Tolmara.lev and tolmarakx.cfg into dir
// (with its trailing separator).
void WriteTestDataFiles(const std::string& dir);
void WriteTextFile(const std::string& path, const std::string& text);
