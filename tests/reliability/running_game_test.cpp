// What happens around a running game: its level set replaced on disk, the temporary files that
// killed writes left behind, a picture written on a full disk.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/session.h"
#include "dxgwriter/png_writer.h"
#include "screens/game.h"
#include "screens/level_start.h"
#include "store/atomic_write.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

constexpr rlim_t kFileSizeLimit = 16 * 1024;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> TemporaryFiles(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0) found.push_back(name);
    }
    std::sort(found.begin(), found.end());
    return found;
}

// Runs `write` in a child process whose files may not grow beyond kFileSizeLimit bytes: with
// `dieMidway` the child is killed the moment a write crosses the limit, otherwise the write fails
// as on a full disk. The child exits 0 when `write` threw an error whose message holds
// `expected`. Returns the child's process id and its wait status.
template <typename Write>
std::pair<pid_t, int> RunLimitedWriter(bool dieMidway, const std::string& expected, Write write) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        struct rlimit limit {
            kFileSizeLimit, kFileSizeLimit
        };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        if (dieMidway)
            std::signal(SIGXFSZ, [](int) { ::kill(::getpid(), SIGKILL); });
        else
            std::signal(SIGXFSZ, SIG_IGN);
        try {
            write();
        } catch (const std::exception& e) {
            ::_exit(std::string(e.what()).find(expected) != std::string::npos ? 0 : 3);
        }
        ::_exit(5);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {pid, status};
}

void MakeOld(const std::string& path) {
    struct timeval times[2];
    ::gettimeofday(&times[0], nullptr);
    times[0].tv_sec -= 2 * 60 * 60;
    times[1] = times[0];
    ASSERT_EQ(::lutimes(path.c_str(), times), 0);
}

}  // namespace

// The level set file replaced while the game runs (a new version copied over it): the levels
// still come from the file that was indexed, so every level of it plays.
TEST(LevelSetReplaced, TheRunKeepsPlayingTheSetItIndexed) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    auto game = StartGame(SessionOptions{dir.Path(), true, 7});
    std::vector<TestLevel> other = TestLevels();
    std::reverse(other.begin(), other.end());
    // A longer set name moves every level of the new file.
    WriteFileAtomically(dir.File("Tolmara.lev"), TestLevelSetBytes(other, std::string(200, 'n')));
    const std::vector<TestLevel> indexed = TestLevels();
    for (int n = 1; n <= 3; ++n) {
        game->world.play.CurrentLevel = n;
        SetScreen(*game, Screen::LevelStart);
        ASSERT_NO_THROW(RunTick(*game, 20)) << "level " << n;
        EXPECT_EQ(game->screens.CurrentScreen, Screen::GamePlay);
        EXPECT_EQ(game->world.level.Cols, static_cast<int>(indexed[n - 1].Cells[0].size()));
        EXPECT_EQ(game->world.level.Rows, static_cast<int>(indexed[n - 1].Cells.size()));
    }
}

// A start removes the temporary files that writes killed midway left in the save folder, and
// nothing else: not another name, not a link, not the file of a writer still at work, not a
// recent file of the name's earlier form.
TEST(StaleTemporaryFiles, AGameStartRemovesWhatKilledWritesLeftAndNothingElse) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    const auto [killed, status] = RunLimitedWriter(true, "", [&] {
        WriteFileAtomically(dir.File("playersnames.grf"), Bytes(4 * kFileSizeLimit, 1));
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
    const std::vector<std::string> orphans = TemporaryFiles(dir.Path());
    ASSERT_EQ(orphans.size(), 1u);

    const std::string busy = "tolmarakx.cfg." + std::to_string(::getppid()) + ".Ab12Cd.tmp";
    const std::string link = "tolmarakx.cfg." + std::to_string(killed) + ".Zz99Yy.tmp";
    const std::string recent = "tolmarakx.cfg.Xy34Zw.tmp", old = "playersnames.grf.Qq11Rr.tmp";
    for (const std::string& name : {std::string("notes.tmp"), busy, recent, old})
        WriteTextFile(dir.File(name), "text");
    WriteTextFile(dir.File("victim"), "not the game's");
    ASSERT_EQ(::symlink(dir.File("victim").c_str(), dir.File(link).c_str()), 0);
    MakeOld(dir.File(old));
    MakeOld(dir.File(link));

    auto game = StartGame(SessionOptions{dir.Path(), true, 7});
    std::vector<std::string> kept = {"notes.tmp", busy, recent, link};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(TemporaryFiles(dir.Path()), kept);
    EXPECT_EQ(ReadText(dir.File("victim")), "not the game's");
}

// A picture written on a full disk fails with the system's reason and leaves the old file whole.
TEST(PngOnAFullDisk, FailsWithTheReasonAndKeepsTheOldPicture) {
    TempDir dir;
    const std::string path = dir.File("frame.png");
    WriteTextFile(path, "the old picture");
    std::vector<uint32_t> noise(256 * 256);
    uint32_t seed = 12345;
    for (uint32_t& pixel : noise) {
        seed = seed * 1664525u + 1013904223u;
        pixel = seed >> 8;
    }
    const int status = RunLimitedWriter(false, path + ": cannot write file (File too large)", [&] {
                           WritePng(path, 256, 256, noise);
                       }).second;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(ReadText(path), "the old picture");
    EXPECT_TRUE(TemporaryFiles(dir.Path()).empty());
}
