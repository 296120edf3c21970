// The window's close request, SIGTERM and SIGINT end the game as its exit item does: the player
// names and the configuration are saved and the process ends with status 0. The built game runs
// as a child process in a copy of its folder, on SDL's dummy drivers.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "store/player_table.h"
#include "store/settings.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

// How long the game gets to start before the signal: the sanitizer build starts slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr auto kStartTime = std::chrono::milliseconds(4000);
#else
constexpr auto kStartTime = std::chrono::milliseconds(1500);
#endif
constexpr const char* kMarker = "-- this line is not part of the game's layout --";

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The game and its data files, without the tools and without any player's save.
void CopyGameFolder(const std::string& from, const std::string& to) {
    for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name.rfind("tolmara-", 0) == 0) continue;
        if (name == "playersnames.grf" || name.find(".tmp") != std::string::npos) continue;
        fs::copy_file(entry.path(), to + name);
    }
}

pid_t StartGameProcess(const std::string& dir) {
    pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("SDL_VIDEODRIVER", "dummy", 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        const std::string exe = dir + "tolmara";
        ::execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

// Waits for the child to end; kills it and reports -1 when it is still running after a minute.
int WaitForEnd(pid_t pid) {
    int status = 0;
    for (int i = 0; i < 600; ++i) {
        if (::waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

class ShutdownSignal : public ::testing::TestWithParam<int> {};

TEST_P(ShutdownSignal, SavesAndEndsWithStatusZero) {
    const std::string built = BuiltGameDir();
    if (!fs::exists(built + "tolmara") || !fs::exists(built + "tolmarakx.cfg"))
        GTEST_SKIP() << "the game is not built in " << built;
    TempDir dir;
    CopyGameFolder(built, dir.Path());
    const std::string config = dir.File("tolmarakx.cfg");
    // A line the game's writer does not produce shows whether the file was written again.
    std::ofstream(config, std::ios::binary | std::ios::app) << kMarker << "\r\n";
    ASSERT_FALSE(fs::exists(dir.File("playersnames.grf")));

    const pid_t pid = StartGameProcess(dir.Path());
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(kStartTime);
    ::kill(pid, GetParam());
    const int status = WaitForEnd(pid);

    ASSERT_NE(status, -1) << "the game did not end after the signal";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(fs::exists(dir.File("playersnames.grf"))) << "player names not saved";
    EXPECT_EQ(ReadText(config).find(kMarker), std::string::npos) << "configuration not saved";
    PlayerTable players;
    int32_t speed = 0;
    ReadPlayerNames(players, speed, dir.Path());
    EXPECT_EQ(players.PlayerCount, 0);
    Settings settings;
    ReadConfiguration(settings, dir.Path());
    EXPECT_EQ(settings.LevelsFile, "Tolmara.lev");
    EXPECT_FALSE(fs::exists(config + ".tmp"));
}

INSTANTIATE_TEST_SUITE_P(Signals, ShutdownSignal, ::testing::Values(SIGTERM, SIGINT),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGTERM ? "SIGTERM" : "SIGINT");
                         });

}  // namespace
