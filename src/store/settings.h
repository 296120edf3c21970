// The player's settings, kept in the configuration file "tolmarakx.cfg".
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int kMaxSongs = 100;
constexpr int kMaxLevelSongs = 100;

struct Settings {
    uint8_t Character = 1;  // 1 Vivuz, 0 Vuzoda
    uint8_t ShowTips = 1;
    uint8_t MusicEnabled = 0;
    uint8_t SoundsEnabled = 0;
    int32_t MusicVolume = 0;  // 0..255 as the game wants it (low 8 bits reach the mixer)
    int32_t SoundsVolume = 0;
    int32_t Speed = 300;     // 200..400
    std::string LevelsFile;  // level set file: in the save folder, else the data folder
    int32_t SongCount = 0;
    std::array<std::string, kMaxSongs> Songs{};  // song k is Songs[k - 1]
    int32_t LevelSongCount = 0;
    std::array<int32_t, kMaxLevelSongs + 1>
        LevelSongs{};              // 0: the menus; j: level j; 0 value = random
    int32_t SavedMusicVolume = 0;  // the mixer's levels found at start, put back at the end
    int32_t SavedSoundsVolume = 0;
};

// Reads ProgramDir + "tolmarakx.cfg" into settings. Throws FileError naming the file and line
// ("tolmarakx.cfg, line 10: 'x' is not a valid integer value").
void ReadConfiguration(Settings& settings, const std::string& programDir);
// Writes the whole file from the settings (through a temporary file and a rename).
void WriteConfiguration(const Settings& settings, const std::string& programDir);

// Why `value` cannot be kept as a value of the configuration file, or "" when it can: a value
// ends at the first ";" and at the line's end, and at most 255 characters are read back.
std::string ConfigValueProblem(const std::string& value);
