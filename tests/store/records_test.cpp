// The records database: which runs are kept and how they rank, the statistics, and what happens
// to a damaged file, a newer file, a kill in the middle of a write and two games writing at once.
#include "store/records.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "media/byte_io.h"
#include "store/atomic_write.h"
#include "support/test_support.h"

namespace {

RunRecord MadeRun(const std::string& player, int64_t timeMs, int32_t level = 1,
                  int32_t speed = 300) {
    RunRecord run;
    run.LevelSet = "Tolmara.lev";
    run.Level = level;
    run.Player = player;
    run.TimeMs = timeMs;
    run.Date = "2026-12-08 07:00";
    run.Speed = speed;
    run.Replay = "levels Tolmara.lev\nlevel " + std::to_string(level) + "\n1 17\n";
    return run;
}

std::unique_ptr<RecordStore> OpenQuietly(const std::string& path) {
    std::string notice;
    std::unique_ptr<RecordStore> store = RecordStore::Open(path, notice);
    EXPECT_EQ(notice, "");
    return store;
}

class Records : public ::testing::Test {
  protected:
    std::string Path() const { return dir.File("records.sqlite"); }
    TempDir dir;
};

TEST_F(Records, KeepEachPlayersBestAndRankThem) {
    auto store = OpenQuietly(Path());
    EXPECT_TRUE(store->OfferRun(MadeRun("Ann", 9000)));
    EXPECT_FALSE(store->OfferRun(MadeRun("Ann", 9500))) << "slower than her best";
    EXPECT_FALSE(store->OfferRun(MadeRun("Ann", 9000))) << "a tie keeps the earlier run";
    EXPECT_TRUE(store->OfferRun(MadeRun("Bo", 9000)));
    EXPECT_TRUE(store->OfferRun(MadeRun("Cy", 7000)));
    EXPECT_TRUE(store->OfferRun(MadeRun("Ann", 8000)));
    EXPECT_TRUE(store->OfferRun(MadeRun("Ann", 5000, 1, 400))) << "another speed, another board";
    EXPECT_TRUE(store->OfferRun(MadeRun("Ann", 1000, 2)));

    // Reopened, the same: everything was committed.
    store.reset();
    store = OpenQuietly(Path());
    std::vector<std::string> order;
    for (const RunRecord& run : store->Board("Tolmara.lev", 1, 300))
        order.push_back(run.Player + " " + std::to_string(run.TimeMs));
    EXPECT_EQ(order, (std::vector<std::string>{"Cy 7000", "Ann 8000", "Bo 9000"}));
    const auto best = store->BestOf("Tolmara.lev", 1, "Ann", 300);
    ASSERT_TRUE(best);
    EXPECT_EQ(best->Replay, MadeRun("Ann", 0).Replay);
    EXPECT_EQ(best->Date, "2026-12-08 07:00");
    EXPECT_TRUE(best->Verified);
    store->SetVerified(*best, false);
    EXPECT_FALSE(store->BestOf("Tolmara.lev", 1, "Ann", 300)->Verified);
    EXPECT_EQ(store->Board("Tolmara.lev", 1, 400).size(), 1u);
    EXPECT_EQ(store->Board("Tolmara.lev", 1, 300, 2).size(), 2u);
    EXPECT_FALSE(store->BestOf("Other.lev", 1, "Ann", 300));

    // Equal times of two players: the one stored first ranks first.
    EXPECT_TRUE(store->OfferRun(MadeRun("Di", 7000)));
    EXPECT_EQ(store->Board("Tolmara.lev", 1, 300)[1].Player, "Di");
    EXPECT_EQ(store->Board("Tolmara.lev", 1, 300)[0].Player, "Cy");
}

TEST_F(Records, StatisticsAddUp) {
    auto store = OpenQuietly(Path());
    store->AddStats("Tolmara.lev", 3, "Ann", {1, 0, 0, 0});
    store->AddStats("Tolmara.lev", 3, "Ann", {0, 2, 0, 4500});
    store->AddStats("Tolmara.lev", 3, "Ann", {1, 1, 1, 12000});
    store->AddStats("Tolmara.lev", 3, "Bo", {1, 0, 0, 100});
    const LevelStats ann = store->StatsOf("Tolmara.lev", 3, "Ann");
    EXPECT_EQ(ann.Attempts, 2);
    EXPECT_EQ(ann.LivesLost, 3);
    EXPECT_EQ(ann.TimesMade, 1);
    EXPECT_EQ(ann.TimePlayedMs, 16500);
    EXPECT_EQ(store->StatsOf("Tolmara.lev", 4, "Ann").Attempts, 0);
}

// A file that is not a database, and one cut short, are moved aside with a message naming both
// files; the game goes on with new records.
TEST_F(Records, DamagedFilesAreMovedAside) {
    WriteFileAtomically(Path(), Bytes{'n', 'o', 't', ' ', 'a', ' ', 'd', 'b'});
    std::string notice;
    auto store = RecordStore::Open(Path(), notice);
    ASSERT_TRUE(store);
    EXPECT_EQ(notice, Path() + ": the records were damaged; they were moved to " + Path() +
                          ".damaged and new records begin");
    EXPECT_EQ(ReadFileBytes(Path() + ".damaged"), (Bytes{'n', 'o', 't', ' ', 'a', ' ', 'd', 'b'}));
    for (int i = 0; i < 200; ++i) store->OfferRun(MadeRun("P" + std::to_string(i), 1000 + i));
    store.reset();

    // Cut in half: SQLite's own check fails.
    Bytes bytes = ReadFileBytes(Path());
    bytes.resize(bytes.size() / 2);
    WriteFileAtomically(Path(), bytes);
    store = RecordStore::Open(Path(), notice);
    ASSERT_TRUE(store);
    EXPECT_NE(notice.find(Path() + ".damaged-2"), std::string::npos) << notice;
    EXPECT_TRUE(store->OfferRun(MadeRun("Ann", 1)));
}

TEST_F(Records, ANewerGamesFileIsLeftAlone) {
    OpenQuietly(Path()).reset();
    {
        // What a newer game would leave: a higher version of the tables.
        std::string notice;
        auto store = RecordStore::Open(Path(), notice);
        store->OfferRun(MadeRun("Ann", 1000));
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version = 99", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    const Bytes before = ReadFileBytes(Path());
    std::string notice;
    EXPECT_FALSE(RecordStore::Open(Path(), notice));
    EXPECT_EQ(notice, Path() +
                          ": the records were written by a newer version of the game; they "
                          "are left as they are and this game keeps no records");
    EXPECT_EQ(ReadFileBytes(Path()), before);
}

// A child process stores runs as fast as it can and is killed at a random moment; the database
// it leaves opens without a word, and every run it holds is a whole one.
TEST_F(Records, AKillWhileStoringLeavesTheLastCommittedState) {
    std::mt19937 random(26);
    for (int round = 0; round < 6; ++round) {
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            try {
                std::string notice;
                auto store = RecordStore::Open(Path(), notice);
                for (int64_t i = 0;; ++i) {
                    RunRecord run = MadeRun("P" + std::to_string(i % 50), 100000 - i);
                    run.Replay = std::string(static_cast<size_t>(2000 + i % 3000), 'x');
                    store->OfferRun(run);
                    store->AddStats("Tolmara.lev", 1, run.Player, {1, 1, 1, 1});
                }
            } catch (...) {
            }
            _exit(1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 200));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        auto store = OpenQuietly(Path());
        ASSERT_TRUE(store);
        for (const RunRecord& run : store->Board("Tolmara.lev", 1, 300, 100))
            EXPECT_EQ(run.Replay.size(), static_cast<size_t>(2000 + (100000 - run.TimeMs) % 3000));
        const LevelStats stats = store->StatsOf("Tolmara.lev", 1, "P0");
        EXPECT_EQ(stats.Attempts, stats.TimePlayedMs);
    }
}

// Two games store runs at the same moment: both keep all of theirs.
TEST_F(Records, TwoGamesWritingAtOnceLoseNothing) {
    OpenQuietly(Path()).reset();
    std::vector<pid_t> children;
    for (const char* who : {"Ann", "Bo"}) {
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            try {
                std::string notice;
                auto store = RecordStore::Open(Path(), notice);
                for (int level = 1; level <= 40; ++level) {
                    store->OfferRun(MadeRun(who, 5000, level));
                    store->AddStats("Tolmara.lev", level, who, {1, 0, 1, 5000});
                }
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    auto store = OpenQuietly(Path());
    for (int level = 1; level <= 40; ++level) {
        EXPECT_EQ(store->Board("Tolmara.lev", level, 300).size(), 2u) << "level " << level;
        EXPECT_EQ(store->StatsOf("Tolmara.lev", level, "Bo").TimesMade, 1);
    }
}

}  // namespace

namespace {

// A file of the first version (runs and statistics only) gains the later tables and keeps its runs.
TEST_F(Records, AnOlderFileIsBroughtUpToDate) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path().c_str(), &db), SQLITE_OK);
    const char* versionOne =
        "CREATE TABLE runs (level_set TEXT NOT NULL, level INTEGER NOT NULL, player TEXT NOT NULL,"
        " speed INTEGER NOT NULL, time_ms INTEGER NOT NULL, made_on TEXT NOT NULL,"
        " character INTEGER NOT NULL, replay TEXT NOT NULL, verified INTEGER NOT NULL,"
        " sequence INTEGER NOT NULL, PRIMARY KEY (level_set, level, player, speed));"
        "CREATE TABLE stats (level_set TEXT NOT NULL, level INTEGER NOT NULL, player TEXT NOT NULL,"
        " attempts INTEGER NOT NULL, lives_lost INTEGER NOT NULL, times_made INTEGER NOT NULL,"
        " time_played_ms INTEGER NOT NULL, PRIMARY KEY (level_set, level, player));"
        "INSERT INTO runs VALUES ('Tolmara.lev', 4, 'Ann', 300, 4321, '2026-12-01 10:00', 0, 'x', "
        "1,"
        " 1);"
        "PRAGMA user_version = 1;";
    ASSERT_EQ(sqlite3_exec(db, versionOne, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    auto store = OpenQuietly(Path());
    EXPECT_EQ(store->BestOf("Tolmara.lev", 4, "Ann", 300)->TimeMs, 4321);
    EXPECT_EQ(store->Choice("ghost", "off"), "off");
    store->SetChoice("ghost", "on");
    store.reset();
    EXPECT_EQ(OpenQuietly(Path())->Choice("ghost", "off"), "on");
}

}  // namespace
