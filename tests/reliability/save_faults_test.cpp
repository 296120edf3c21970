// Saves survive faults: a writer killed midway or stopped by a full disk (the file size limit)
// leaves the old file as it was, and the next save still works.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <string>

#include "media/byte_io.h"
#include "store/player_table.h"
#include "store/settings.h"
#include "support/test_support.h"

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

off_t SizeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
}

constexpr rlim_t kFileSizeLimit = 16 * 1024;

// Runs `write` in a child process whose files may not grow beyond kFileSizeLimit bytes. With
// `dieMidway` the child is killed (SIGKILL) the moment a write crosses the limit, as a crash or
// a power cut would stop it; otherwise the write fails with EFBIG as on a full disk. Returns
// the child's wait status; the child exits 0 only when `write` threw a FileError whose message
// contains `expected`.
template <typename Write>
int RunLimitedWriter(bool dieMidway, const std::string& expected, Write write) {
    pid_t pid = ::fork();
    if (pid == 0) {
        struct rlimit limit {
            kFileSizeLimit, kFileSizeLimit
        };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        if (dieMidway) {
            std::signal(SIGXFSZ, [](int) { ::kill(::getpid(), SIGKILL); });
        } else {
            std::signal(SIGXFSZ, SIG_IGN);
        }
        try {
            write();
        } catch (const FileError& e) {
            ::_exit(std::string(e.what()).find(expected) != std::string::npos ? 0 : 3);
        } catch (...) {
            ::_exit(4);
        }
        ::_exit(5);  // the write succeeded although the file could not fit
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

PlayerTable ManyPlayers() {
    PlayerTable players;
    players.PlayerCount = kMaxPlayers;
    for (int i = 1; i <= kMaxPlayers; ++i) {
        players.PlayerNames[i] = std::string(250, static_cast<char>('A' + i % 26));
        players.PlayerLevels[i] = i;
        players.PlayerCharacter[i] = static_cast<uint8_t>(i % 2);
    }
    return players;  // about 25 KB, 100 of them in a row exceed the limit below
}

class SaveFaults : public ::testing::Test {
  protected:
    TempDir dir;
    std::string names = dir.File("playersnames.grf");
    std::string config = dir.File("tolmarakx.cfg");
};

TEST_F(SaveFaults, WriterKilledMidwayLeavesOldFileAndNextSaveWorks) {
    WriteText(names, "the old save");
    const Bytes big(4 * kFileSizeLimit, 0xAB);
    int status = RunLimitedWriter(true, "", [&] { WriteFileAtomically(names, big); });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;
    EXPECT_EQ(ReadText(names), "the old save");
    // The child did die midway: its temporary file holds what fitted under the limit.
    EXPECT_EQ(SizeOf(names + ".tmp"), static_cast<off_t>(kFileSizeLimit));

    // The leftover temporary file does not stop the next save.
    WriteFileAtomically(names, Bytes{'n', 'e', 'w'});
    EXPECT_EQ(ReadText(names), "new");
    EXPECT_FALSE(Exists(names + ".tmp"));
}

TEST_F(SaveFaults, PlayerNamesKilledMidwayKeepsEveryPlayer) {
    PlayerTable old;
    old.PlayerCount = 2;
    old.PlayerNames[1] = "Ann";
    old.PlayerLevels[1] = 4;
    old.PlayerNames[2] = "Bo";
    WritePlayerNames(old, 350, dir.Path());
    for (int round = 0; round < 3; ++round) {
        int status =
            RunLimitedWriter(true, "", [&] { WritePlayerNames(ManyPlayers(), 300, dir.Path()); });
        ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
    }
    PlayerTable read;
    int32_t speed = 0;
    ReadPlayerNames(read, speed, dir.Path());
    EXPECT_EQ(read.PlayerCount, 2);
    EXPECT_EQ(read.PlayerNames[1], "Ann");
    EXPECT_EQ(read.PlayerLevels[1], 4);
    EXPECT_EQ(read.PlayerNames[2], "Bo");
    EXPECT_EQ(speed, 350);
}

TEST_F(SaveFaults, FullDiskFailsWithTheFileNamedAndKeepsOldFiles) {
    PlayerTable old;
    old.PlayerCount = 1;
    old.PlayerNames[1] = "Ann";
    WritePlayerNames(old, 300, dir.Path());
    Settings settings;
    settings.LevelsFile = "Tolmara.lev";
    settings.SongCount = 1;
    settings.Songs[0] = "song1.mid";
    WriteConfiguration(settings, dir.Path());
    const std::string oldNames = ReadText(names), oldConfig = ReadText(config);

    int status = RunLimitedWriter(false, "playersnames.grf: cannot write file (File too large)",
                                  [&] { WritePlayerNames(ManyPlayers(), 300, dir.Path()); });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(ReadText(names), oldNames);
    EXPECT_FALSE(Exists(names + ".tmp")) << "a failed save leaves no temporary file";

    Settings huge = settings;
    huge.SongCount = kMaxSongs;
    for (std::string& song : huge.Songs) song = std::string(250, 's') + ".mid";
    huge.LevelSongCount = kMaxLevelSongs;
    for (int round = 0; round < 2; ++round) {
        status = RunLimitedWriter(false, "tolmarakx.cfg: cannot write file (File too large)",
                                  [&] { WriteConfiguration(huge, dir.Path()); });
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    EXPECT_EQ(ReadText(config), oldConfig);
    EXPECT_FALSE(Exists(config + ".tmp"));
    Settings read;
    ReadConfiguration(read, dir.Path());
    EXPECT_EQ(read.SongCount, 1);
    EXPECT_EQ(read.Songs[0], "song1.mid");
}

TEST_F(SaveFaults, UnwritableFolderFailsWithTheFileNamed) {
    // A folder that does not exist stands for one the player may not write to.
    try {
        WritePlayerNames(PlayerTable{}, 300, dir.File("missing/"));
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("playersnames.grf: cannot write file"),
                  std::string::npos)
            << e.what();
    }
}

}  // namespace
