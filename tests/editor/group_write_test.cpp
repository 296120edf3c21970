// A save killed at any moment: the set, its sources and its proofs are afterwards either the old
// group or the new one, whole, once the next open has finished what the kill interrupted.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <random>

#include "level/level_source.h"
#include "model/set_files.h"
#include "store/atomic_write.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

using Folder = std::map<std::string, Bytes>;

Folder Read(const std::string& folder) {
    Folder files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] =
            entry.is_regular_file() ? ReadFileBytes(entry.path().string()) : Bytes{};
    return files;
}

struct Group {
    LevelSetData Set;
    std::vector<std::string> Proofs;  // the text of each level's proof
};

// Saves the group in `folder` as the editor does: set, sources and proofs in one go.
void Save(const Group& group, const std::string& folder) {
    std::vector<GroupFile> proofs;
    for (size_t i = 0; i < group.Proofs.size(); ++i)
        proofs.push_back({folder + "s-0" + std::to_string(i + 1) + ".replay",
                          Bytes(group.Proofs[i].begin(), group.Proofs[i].end())});
    // Every source and proof either group writes is this set's own.
    SaveSet(group.Set, folder + "s.lev",
            {"01-x.lvl", "02-y.lvl", "01-y.lvl", "02-x.lvl", "03-z.lvl", "04-w.lvl"}, "", "",
            proofs, {folder + "s-04.replay"});
}

TEST(GroupWrite, AKilledSaveLeavesTheOldGroupOrTheNewWhole) {
    const std::string x = "level \"X\"\nmap\n@.E\nend\n", y = "level \"Y\"\nmap\n@E.\nend\n",
                      z = "level \"Z\"\nmap\nE.@\nend\n", w = "level \"W\"\nmap\nE@\nend\n";
    // The second group moves a level up, adds one, and has other proofs.
    Group a{ParseLevelSources({{"x", x}, {"y", y}, {"z", z}}), {"# x\n", "# y\n", "# z\n"}};
    Group b{ParseLevelSources({{"y", y}, {"x", x}, {"z", z}, {"w", w}}),
            {"# y\n", "# x\n", "# z again\n", "# w\n"}};
    TempDir oldGroup, newGroup, dir;
    Save(a, oldGroup.Path());
    Save(a, newGroup.Path());
    Save(b, newGroup.Path());
    const Folder old = Read(oldGroup.Path()), fresh = Read(newGroup.Path());
    ASSERT_NE(old, fresh);
    Save(a, dir.Path());

    std::mt19937 random(20261208);
    int olds = 0, news = 0;
    for (int round = 0; round < 40; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                try {
                    Save(b, dir.Path());
                    Save(a, dir.Path());
                } catch (...) {
                    _exit(3);
                }
            }
        }
        usleep(std::uniform_int_distribution<useconds_t>(0, 20000)(random));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself";
        // What the next open does first.
        FinishGroupWrite(SaveJournalOf(dir.File("s.lev"), ""));
        Folder now = Read(dir.Path());
        std::string names;
        for (const auto& [name, bytes] : now)
            names += " " + name + (old.count(name) && old.at(name) == bytes ? "(old)" : "") +
                     (fresh.count(name) && fresh.at(name) == bytes ? "(new)" : "");
        ASSERT_TRUE(now == old || now == fresh)
            << "a mixed group after kill " << round << ":" << names;
        ++(now == old ? olds : news);
    }
    EXPECT_GT(olds + news, 0);
}

}  // namespace
