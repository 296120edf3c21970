// Fuzz target: the player names file "playersnames.grf" read into the player table. A bad file
// must end in a FileError and leave the table as it was; an accepted one must fill at most the
// table's slots. Anything else (another exception, a sanitizer report) is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzz_support.h"
#include "media/byte_io.h"
#include "store/player_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& dir = ScratchDir();
    WriteWholeFile(dir + "playersnames.grf", data, size);
    PlayerTable players;
    int32_t speed = 300;
    try {
        ReadPlayerNames(players, speed, dir);
    } catch (const FileError&) {
        if (players.PlayerCount != 0 || speed != 300 || players.PlayerNames[1] != kNoName)
            std::abort();
        return 0;
    }
    if (players.PlayerCount < 0 || players.PlayerCount > kMaxPlayers) std::abort();
    for (int i = 1; i <= kMaxPlayers; ++i) {
        if (players.PlayerNames[i].size() > 255) std::abort();
        if (i > players.PlayerCount && players.PlayerNames[i] != kNoName) std::abort();
    }
    return 0;
}
