// The table of named players, kept in the player names file "playersnames.grf".
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int kMaxPlayers = 100;
inline const char* const kNoName = "----------Noname----------";

struct PlayerTable {
    int32_t PlayerCount = 0;
    int32_t CurrentPlayer = 1;                               // 1-based; may point past PlayerCount
    std::array<std::string, kMaxPlayers + 1> PlayerNames{};  // slots 1..100
    std::array<int32_t, kMaxPlayers + 1> PlayerLevels{};     // slots 1..100
    std::array<uint8_t, kMaxPlayers + 1> PlayerCharacter{};  // slots 1..100
    int32_t NamesFileSpare = 0;

    PlayerTable() { Clear(); }
    // Every slot the placeholder name at level 1, character 0; no players.
    void Clear() {
        PlayerCount = 0;
        CurrentPlayer = 1;
        for (int i = 0; i <= kMaxPlayers; ++i) {
            PlayerNames[i] = kNoName;
            PlayerLevels[i] = 1;
            PlayerCharacter[i] = 0;
        }
    }
};

// Reads ProgramDir + "playersnames.grf"; a missing file leaves the table as it is. The speed
// stored in the file goes to `speed`. Throws FileError naming the file on a bad file.
void ReadPlayerNames(PlayerTable& players, int32_t& speed, const std::string& programDir);
// Writes the file (through a temporary file and a rename).
void WritePlayerNames(const PlayerTable& players, int32_t speed, const std::string& programDir);
