// The players' records: for every level set, level, player and speed the best run (its time, date,
// character and the replay that made it), and the statistics of every player's play on a level.
// They live in one SQLite database in the save folder. Every change is one transaction, so a kill
// at any moment leaves the last committed state; two games writing at once wait for each other.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

// The records' file in the save folder.
inline constexpr const char* kRecordsFile = "records.sqlite";

// One run that made its level.
struct RunRecord {
    std::string LevelSet;  // the level set file's name, as the settings hold it
    int32_t Level = 0;
    std::string Player;
    int64_t TimeMs = 0;  // game time from the level's first tick to the exit
    std::string Date;    // when it was made, "YYYY-MM-DD HH:MM" local time
    int32_t Character = 1;
    int32_t Speed = 300;
    std::string Replay;    // the replay text that makes the level in TimeMs
    bool Verified = true;  // false once its replay no longer makes the level in its time
    int64_t Sequence =
        0;  // order in which runs were stored: the earlier of two equal times ranks first
};

// A player's play on one level: every start of the level is an attempt; a life lost is one the
// level took (a trap, a blast, a monster, a falling object; giving up is not counted); the times
// made count the attempts that reached the exit; the time played adds the game time of every
// attempt, made, lost or given up (pauses excluded).
struct LevelStats {
    int64_t Attempts = 0;
    int64_t LivesLost = 0;
    int64_t TimesMade = 0;
    int64_t TimePlayedMs = 0;
};

class RecordStore {
  public:
    // Opens the database at `path`, creating it when missing. A file that is not a sound
    // database of records (damaged, cut short, something else) is moved aside to
    // "<path>.damaged" (or ".damaged-2" and so on) and a fresh one is made; `notice` then says
    // so, naming both files. A database written by a newer game is left as it is: `notice`
    // says so and the result is null (the game plays on without records). Other failures throw
    // FileError naming the file.
    static std::unique_ptr<RecordStore> Open(const std::string& path, std::string& notice);
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // Keeps the run when it is the player's first or beats the player's best on that level at
    // that speed; a run of the same time as the best does not replace it. True when kept.
    bool OfferRun(const RunRecord& run);
    std::optional<RunRecord> BestOf(const std::string& levelSet, int32_t level,
                                    const std::string& player, int32_t speed) const;
    // The best run of every player on that level at that speed, fastest first, the earlier
    // stored first on equal times; at most `limit`.
    std::vector<RunRecord> Board(const std::string& levelSet, int32_t level, int32_t speed,
                                 int limit = 10) const;
    // Marks a kept run as verified or not (its replay was played again).
    void SetVerified(const RunRecord& run, bool verified);

    void AddStats(const std::string& levelSet, int32_t level, const std::string& player,
                  const LevelStats& more);
    LevelStats StatsOf(const std::string& levelSet, int32_t level, const std::string& player) const;

    // A choice of the player's kept here (the ghost shown or not): its value, or `otherwise`.
    std::string Choice(const std::string& name, const std::string& otherwise) const;
    void SetChoice(const std::string& name, const std::string& value);

    const std::string& Path() const { return path_; }

    // The version of the tables this game reads and writes.
    static constexpr int kSchemaVersion = 2;

  private:
    RecordStore(sqlite3* db, std::string path);
    sqlite3* db_;
    std::string path_;
};
