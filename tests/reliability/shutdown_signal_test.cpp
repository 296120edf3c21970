// The window's close request, SIGTERM and SIGINT end the game as its exit item does: the player
// names and the configuration are saved and the process ends with status 0, or 1 when a save
// failed. The built game and tools run as child processes on SDL's dummy drivers.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

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

// Starts a program of the game's folder with these arguments on SDL's dummy drivers. Its
// standard error goes to `errors` when given (a pipe's end, or a file); with `noRoom` no file it
// writes may hold a byte, as on a full disk.
pid_t StartProcess(const std::vector<std::string>& args, int errors = -1, bool noRoom = false) {
    pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("SDL_VIDEODRIVER", "dummy", 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (errors >= 0) ::dup2(errors, 2);
        if (noRoom) {
            struct rlimit none {
                0, 0
            };
            ::setrlimit(RLIMIT_FSIZE, &none);
            std::signal(SIGXFSZ, SIG_IGN);
        }
        std::vector<char*> argv;
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

// Waits for the child to end; kills it and reports -1 when it is still running after `tenths`
// tenths of a second (a minute unless told).
int WaitForEnd(pid_t pid, int tenths = 600) {
    int status = 0;
    for (int i = 0; i < tenths; ++i) {
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

    const pid_t pid = StartProcess({dir.File("tolmara")});
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
}

INSTANTIATE_TEST_SUITE_P(Signals, ShutdownSignal, ::testing::Values(SIGTERM, SIGINT),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGTERM ? "SIGTERM" : "SIGINT");
                         });

// Saves that fail at the end end the process with a failure status; each file is tried and
// each failure reported once.
TEST(ShutdownSignalSaveFailure, EachFailedSaveIsReportedOnceAndTheStatusIsOne) {
    const std::string built = BuiltGameDir();
    if (!fs::exists(built + "tolmara") || !fs::exists(built + "tolmarakx.cfg"))
        GTEST_SKIP() << "the game is not built in " << built;
    TempDir dir;
    CopyGameFolder(built, dir.Path());
    int errors[2];
    ASSERT_EQ(::pipe(errors), 0);
    const pid_t pid = StartProcess({dir.File("tolmara")}, errors[1], true);
    ::close(errors[1]);
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(kStartTime);
    ::kill(pid, SIGTERM);
    const int status = WaitForEnd(pid);
    ASSERT_TRUE(status != -1 && WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(errors[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    ::close(errors[0]);
    for (const char* file :
         {"playersnames.grf: cannot write file", "tolmarakx.cfg: cannot write file"}) {
        const size_t first = text.find(file);
        EXPECT_NE(first, std::string::npos) << file << " not reported in:\n" << text;
        EXPECT_EQ(text.find(file, first + 1), std::string::npos) << file << " reported twice";
    }
}

// Waits until process `pid` holds a whole-file lock (the save folder's), up to half a minute:
// by then the game has started far enough to own its folder.
bool WaitForFolderLock(pid_t pid) {
    const std::string holder = " " + std::to_string(pid) + " ";
    for (int i = 0; i < 300; ++i) {
        std::ifstream locks("/proc/locks");
        for (std::string line; std::getline(locks, line);)
            if (line.find("FLOCK") != std::string::npos && line.find(holder) != std::string::npos)
                return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// The standard error of a child that has ended, read from the pipe's end.
std::string ReadAll(int fd) {
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    ::close(fd);
    return text;
}

// Two games on one save folder would each write their whole players and settings files over
// the other's: a second window, or a headless run, on a folder in use is refused with the
// folder named, and the first game keeps running and saving. Once it ends the folder is free.
TEST(TwoGames, ASecondGameOnOneSaveFolderIsRefusedUntilTheFirstEnds) {
    const std::string built = BuiltGameDir();
    if (!fs::exists(built + "tolmara") || !fs::exists(built + "tolmara-keys"))
        GTEST_SKIP() << "the game is not built in " << built;
    TempDir dir;
    CopyGameFolder(built, dir.Path());
    const std::vector<std::string> keys = {
        built + "tolmara-keys", "--data", dir.Path(), "--save", dir.Path(), "wait:1"};
    const pid_t first = StartProcess({dir.File("tolmara")});
    ASSERT_GT(first, 0);
    if (!WaitForFolderLock(first)) {
        ::kill(first, SIGKILL);
        WaitForEnd(first);
        FAIL() << "the first game did not take its folder";
    }
    for (const std::vector<std::string>& second :
         {std::vector<std::string>{dir.File("tolmara")}, keys}) {
        int errors[2];
        ASSERT_EQ(::pipe(errors), 0);
        const pid_t pid = StartProcess(second, errors[1]);
        ::close(errors[1]);
        const int status = WaitForEnd(pid, 100);
        const std::string text = ReadAll(errors[0]);
        EXPECT_TRUE(status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 1)
            << second[0] << " status " << status << "\n"
            << text;
        EXPECT_NE(text.find(dir.Path() + ": Tolmara Deepgrid is already running with this save "
                                         "folder"),
                  std::string::npos)
            << text;
    }
    EXPECT_FALSE(fs::exists(dir.File("playersnames.grf"))) << "the refused runs wrote nothing";
    ::kill(first, SIGTERM);
    const int status = WaitForEnd(first);
    EXPECT_TRUE(status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const pid_t after = StartProcess(keys);
    EXPECT_EQ(WaitForEnd(after), 0) << "the folder was not free after the first game ended";
}

// The replay and soak tools stop at once on Ctrl+C and SIGTERM, in the middle of a long run.
class ToolSignal : public ::testing::TestWithParam<int> {};

TEST_P(ToolSignal, EndsTheReplayAndTheSoakAtOnce) {
    const std::string built = BuiltGameDir();
    if (!fs::exists(built + "tolmara-replay") || !fs::exists(built + "tolmara-soak"))
        GTEST_SKIP() << "the tools are not built in " << built;
    TempDir dir;
    // 22 hours of game time with nothing pressed, by an immortal player.
    std::ofstream(dir.File("long.rpl")) << "levels Tolmara.lev\nlevel 1\nmortal 0\n4000000 20\n";
    const std::vector<std::vector<std::string>> runs = {
        {built + "tolmara-replay", "--data", built, dir.File("long.rpl")},
        {built + "tolmara-soak", "--game", built, "--level", "1", "--game-seconds", "86400",
         "--wall-seconds", "600"},
    };
    for (const std::vector<std::string>& run : runs) {
        const pid_t pid = StartProcess(run);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(kStartTime);
        ::kill(pid, GetParam());
        const int status = WaitForEnd(pid, 50);
        EXPECT_NE(status, -1) << run[0] << " still ran 5 s after the signal";
        EXPECT_TRUE(status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == GetParam())
            << run[0] << " status " << status;
    }
}

// tolmara-keys on SIGINT or SIGTERM stops its keys, closes the window as a player would (the
// players and settings are saved) and ends by the signal.
TEST_P(ToolSignal, TheKeysToolSavesAndEnds) {
    const std::string built = BuiltGameDir();
    if (!fs::exists(built + "tolmara-keys") || !fs::exists(built + "tolmarakx.cfg"))
        GTEST_SKIP() << "the tools are not built in " << built;
    TempDir dir;
    CopyGameFolder(built, dir.Path());
    const pid_t pid = StartProcess(
        {built + "tolmara-keys", "--data", dir.Path(), "--save", dir.Path(), "wait:1000000"});
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(WaitForFolderLock(pid)) << "tolmara-keys did not start";
    ::kill(pid, GetParam());
    const int status = WaitForEnd(pid, 50);
    EXPECT_NE(status, -1) << "tolmara-keys still ran 5 s after the signal";
    EXPECT_TRUE(status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == GetParam())
        << "status " << status;
    EXPECT_TRUE(fs::exists(dir.File("playersnames.grf"))) << "player names not saved";
}

INSTANTIATE_TEST_SUITE_P(Signals, ToolSignal, ::testing::Values(SIGTERM, SIGINT),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGTERM ? "SIGTERM" : "SIGINT");
                         });

}  // namespace
