// The player names file "playersnames.grf": names, highest levels and characters of the players.
#include <algorithm>

#include "media/byte_io.h"
#include "store/atomic_write.h"
#include "store/player_table.h"

namespace {
constexpr const char* kFileName = "playersnames.grf";
// The largest file 100 players can fill: the three numbers, then per player the longest name
// with its length byte, the level and the character.
constexpr size_t kLargestFile = 12 + kMaxPlayers * (1 + 255 + 4 + 1);
}  // namespace

void ReadPlayerNames(PlayerTable& players, int32_t& speed, const std::string& programDir) {
    std::string path = programDir + kFileName;
    // No file: no players, no error. A file that is there but cannot be read is an error, so
    // that the save at the end of the run cannot replace players it never saw.
    if (!PathExists(path)) return;
    Bytes bytes = ReadFileBytes(path, kLargestFile);
    ByteReader in(bytes, kFileName);
    PlayerTable read = players;  // the table changes only when the whole file has been read
    read.PlayerCount = in.I32("PlayerCount");
    // More players than the table holds are refused; a negative count reads no record and
    // leaves the game with no players.
    if (read.PlayerCount > kMaxPlayers)
        in.Fail("PlayerCount", std::to_string(read.PlayerCount) + " players, must be 0 to " +
                                   std::to_string(kMaxPlayers));
    read.PlayerCount = std::max(read.PlayerCount, 0);
    read.NamesFileSpare = in.I32("spare value");
    int32_t readSpeed = in.I32("Speed");
    for (int i = 1; i <= read.PlayerCount; ++i) {
        std::string what = "player " + std::to_string(i);
        read.PlayerNames[i] = in.ShortString(what.c_str());
        // Kept inside their ranges here, so that no screen computes with a level of -2^31.
        read.PlayerLevels[i] = std::clamp(in.I32(what.c_str()), 1, kHighestPlayerLevel);
        read.PlayerCharacter[i] = std::min<uint8_t>(in.U8(what.c_str()), 1);
    }
    players = read;
    speed = readSpeed;
}

void WritePlayerNames(const PlayerTable& players, int32_t speed, const std::string& programDir) {
    int32_t count = std::clamp(players.PlayerCount, 0, kMaxPlayers);
    ByteWriter out;
    out.I32(count);
    out.I32(players.NamesFileSpare);
    out.I32(speed);
    for (int i = 1; i <= count; ++i) {
        // A name keeps at most the 255 bytes its length byte can count.
        const std::string& name = players.PlayerNames[i];
        out.ShortString(name.substr(0, std::min<size_t>(name.size(), 255)));
        out.I32(players.PlayerLevels[i]);
        out.U8(players.PlayerCharacter[i]);
    }
    WriteFileAtomically(programDir + kFileName, out.Out());
}
