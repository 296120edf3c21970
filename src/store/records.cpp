// The records database: tables, their versions, and every query the game makes of it.
#include "store/records.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <utility>

#include "media/byte_io.h"

namespace {

// How long a write waits for another game holding the database before it gives up.
constexpr int kBusyWaitMs = 10000;

// The tables of each version, in order: a database of version N runs the steps after N.
const char* const kMigrations[] = {
    // Version 1: runs kept per player, level and speed, and the statistics.
    "CREATE TABLE runs ("
    "  level_set TEXT NOT NULL, level INTEGER NOT NULL, player TEXT NOT NULL,"
    "  speed INTEGER NOT NULL, time_ms INTEGER NOT NULL, made_on TEXT NOT NULL,"
    "  character INTEGER NOT NULL, replay TEXT NOT NULL, verified INTEGER NOT NULL,"
    "  sequence INTEGER NOT NULL,"
    "  PRIMARY KEY (level_set, level, player, speed));"
    "CREATE INDEX runs_by_time ON runs (level_set, level, speed, time_ms, sequence);"
    "CREATE TABLE stats ("
    "  level_set TEXT NOT NULL, level INTEGER NOT NULL, player TEXT NOT NULL,"
    "  attempts INTEGER NOT NULL, lives_lost INTEGER NOT NULL, times_made INTEGER NOT NULL,"
    "  time_played_ms INTEGER NOT NULL,"
    "  PRIMARY KEY (level_set, level, player));",
    // Version 2: the player's choices that the configuration file has no line for.
    "CREATE TABLE choices (name TEXT PRIMARY KEY, value TEXT NOT NULL);",
};
static_assert(std::size(kMigrations) == RecordStore::kSchemaVersion);

std::string Why(sqlite3* db) {
    return db ? sqlite3_errmsg(db) : "out of memory";
}

[[noreturn]] void Fail(sqlite3* db, const std::string& path, const std::string& doing) {
    throw FileError(path + ": cannot " + doing + " the records (" + Why(db) + ")");
}

// One prepared statement, finalized when it goes out of scope.
class Statement {
  public:
    Statement(sqlite3* db, const std::string& path, const char* sql) : db_(db), path_(path) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) Fail(db, path, "read");
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int i, const std::string& text) {
        sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int i, int64_t value) {
        sqlite3_bind_int64(stmt_, i, value);
        return *this;
    }
    // True while there is a row to read.
    bool Step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        Fail(db_, path_, "write");
    }
    int64_t Int(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::string Text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt_, column)))
                    : std::string();
    }

  private:
    sqlite3* db_;
    const std::string& path_;
    sqlite3_stmt* stmt_ = nullptr;
};

void Execute(sqlite3* db, const std::string& path, const char* sql, const char* doing) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(db, path, doing);
}

// A write transaction taken at once (so two games queue on the lock instead of failing half-way);
// rolled back unless committed.
class Transaction {
  public:
    Transaction(sqlite3* db, const std::string& path) : db_(db), path_(path) {
        Execute(db, path, "BEGIN IMMEDIATE", "write");
    }
    ~Transaction() {
        if (!done_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit() {
        Execute(db_, path_, "COMMIT", "write");
        done_ = true;
    }

  private:
    sqlite3* db_;
    const std::string& path_;
    bool done_ = false;
};

int SchemaVersion(sqlite3* db, const std::string& path) {
    Statement version(db, path, "PRAGMA user_version");
    return version.Step() ? static_cast<int>(version.Int(0)) : 0;
}

// The database is sound when SQLite's own check passes and, once it has tables of ours, those
// tables are there.
bool LooksSound(sqlite3* db, const std::string& path) {
    sqlite3_stmt* check = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &check, nullptr) != SQLITE_OK)
        return false;
    bool ok = sqlite3_step(check) == SQLITE_ROW &&
              std::string(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))) == "ok";
    sqlite3_finalize(check);
    if (!ok) return false;
    if (SchemaVersion(db, path) == 0) return true;
    Statement tables(db, path,
                     "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                     "('runs', 'stats')");
    return tables.Step() && tables.Int(0) == 2;
}

// "<path>.damaged", or the first of "<path>.damaged-2", "-3", ... that is free.
std::string DamagedName(const std::string& path) {
    std::string name = path + ".damaged";
    for (int n = 2; std::filesystem::exists(name); ++n)
        name = path + ".damaged-" + std::to_string(n);
    return name;
}

sqlite3* OpenFile(const std::string& path) {
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const std::string why = Why(db);
        sqlite3_close(db);
        throw FileError(path + ": cannot open the records (" + why + ")");
    }
    sqlite3_busy_timeout(db, kBusyWaitMs);
    return db;
}

// Brings the tables up to this game's version, one step per transaction.
void Migrate(sqlite3* db, const std::string& path) {
    for (;;) {
        Transaction step(db, path);
        const int version = SchemaVersion(db, path);
        if (version >= RecordStore::kSchemaVersion) return;
        Execute(db, path, kMigrations[version], "update");
        const std::string setVersion = "PRAGMA user_version = " + std::to_string(version + 1);
        Execute(db, path, setVersion.c_str(), "update");
        step.Commit();
    }
}

RunRecord ReadRun(const Statement& row) {
    RunRecord run;
    run.LevelSet = row.Text(0);
    run.Level = static_cast<int32_t>(row.Int(1));
    run.Player = row.Text(2);
    run.Speed = static_cast<int32_t>(row.Int(3));
    run.TimeMs = row.Int(4);
    run.Date = row.Text(5);
    run.Character = static_cast<int32_t>(row.Int(6));
    run.Replay = row.Text(7);
    run.Verified = row.Int(8) != 0;
    run.Sequence = row.Int(9);
    return run;
}

constexpr const char* kRunColumns =
    "level_set, level, player, speed, time_ms, made_on, character, replay, verified, sequence";

}  // namespace

RecordStore::RecordStore(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}

RecordStore::~RecordStore() {
    sqlite3_close(db_);
}

std::unique_ptr<RecordStore> RecordStore::Open(const std::string& path, std::string& notice) {
    notice.clear();
    sqlite3* db = OpenFile(path);
    if (!LooksSound(db, path)) {
        sqlite3_close(db);
        const std::string aside = DamagedName(path);
        std::error_code ec;
        std::filesystem::rename(path, aside, ec);
        if (ec)
            throw FileError(path + ": the records are damaged and cannot be moved aside (" +
                            ec.message() + ")");
        // The journal of a damaged file belongs to it.
        std::filesystem::rename(path + "-journal", aside + "-journal", ec);
        notice = path + ": the records were damaged; they were moved to " + aside +
                 " and new records begin";
        db = OpenFile(path);
    }
    if (SchemaVersion(db, path) > kSchemaVersion) {
        sqlite3_close(db);
        notice = path +
                 ": the records were written by a newer version of the game; they are "
                 "left as they are and this game keeps no records";
        return nullptr;
    }
    std::unique_ptr<RecordStore> store(new RecordStore(db, path));
    Migrate(db, path);
    return store;
}

bool RecordStore::OfferRun(const RunRecord& run) {
    Transaction write(db_, path_);
    {
        Statement best(db_, path_,
                       "SELECT time_ms FROM runs WHERE level_set = ?1 AND level = ?2 AND "
                       "player = ?3 AND speed = ?4");
        best.Bind(1, run.LevelSet).Bind(2, run.Level).Bind(3, run.Player).Bind(4, run.Speed);
        if (best.Step() && best.Int(0) <= run.TimeMs) return false;
    }
    Statement keep(db_, path_,
                   "INSERT OR REPLACE INTO runs (level_set, level, player, speed, time_ms, "
                   "made_on, character, replay, verified, sequence) VALUES (?1, ?2, ?3, ?4, ?5, "
                   "?6, ?7, ?8, ?9, (SELECT coalesce(max(sequence), 0) + 1 FROM runs))");
    keep.Bind(1, run.LevelSet).Bind(2, run.Level).Bind(3, run.Player).Bind(4, run.Speed);
    keep.Bind(5, run.TimeMs).Bind(6, run.Date).Bind(7, run.Character).Bind(8, run.Replay);
    keep.Bind(9, run.Verified ? 1 : 0);
    keep.Step();
    write.Commit();
    return true;
}

std::optional<RunRecord> RecordStore::BestOf(const std::string& levelSet, int32_t level,
                                             const std::string& player, int32_t speed) const {
    const std::string sql = std::string("SELECT ") + kRunColumns +
                            " FROM runs WHERE level_set = ?1 AND level = ?2 AND player = ?3 AND "
                            "speed = ?4";
    Statement best(db_, path_, sql.c_str());
    best.Bind(1, levelSet).Bind(2, level).Bind(3, player).Bind(4, speed);
    if (!best.Step()) return std::nullopt;
    return ReadRun(best);
}

std::vector<RunRecord> RecordStore::Board(const std::string& levelSet, int32_t level, int32_t speed,
                                          int limit) const {
    const std::string sql = std::string("SELECT ") + kRunColumns +
                            " FROM runs WHERE level_set = ?1 AND level = ?2 AND speed = ?3 "
                            "ORDER BY time_ms, sequence LIMIT ?4";
    Statement board(db_, path_, sql.c_str());
    board.Bind(1, levelSet).Bind(2, level).Bind(3, speed).Bind(4, limit);
    std::vector<RunRecord> runs;
    while (board.Step()) runs.push_back(ReadRun(board));
    return runs;
}

void RecordStore::SetVerified(const RunRecord& run, bool verified) {
    Transaction write(db_, path_);
    Statement mark(db_, path_,
                   "UPDATE runs SET verified = ?5 WHERE level_set = ?1 AND level = ?2 AND "
                   "player = ?3 AND speed = ?4 AND sequence = ?6");
    mark.Bind(1, run.LevelSet).Bind(2, run.Level).Bind(3, run.Player).Bind(4, run.Speed);
    mark.Bind(5, verified ? 1 : 0).Bind(6, run.Sequence);
    mark.Step();
    write.Commit();
}

void RecordStore::AddStats(const std::string& levelSet, int32_t level, const std::string& player,
                           const LevelStats& more) {
    Transaction write(db_, path_);
    Statement add(db_, path_,
                  "INSERT INTO stats (level_set, level, player, attempts, lives_lost, times_made, "
                  "time_played_ms) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7) "
                  "ON CONFLICT (level_set, level, player) DO UPDATE SET "
                  "attempts = attempts + ?4, lives_lost = lives_lost + ?5, "
                  "times_made = times_made + ?6, time_played_ms = time_played_ms + ?7");
    add.Bind(1, levelSet).Bind(2, level).Bind(3, player).Bind(4, more.Attempts);
    add.Bind(5, more.LivesLost).Bind(6, more.TimesMade).Bind(7, more.TimePlayedMs);
    add.Step();
    write.Commit();
}

LevelStats RecordStore::StatsOf(const std::string& levelSet, int32_t level,
                                const std::string& player) const {
    Statement read(db_, path_,
                   "SELECT attempts, lives_lost, times_made, time_played_ms FROM stats WHERE "
                   "level_set = ?1 AND level = ?2 AND player = ?3");
    read.Bind(1, levelSet).Bind(2, level).Bind(3, player);
    LevelStats stats;
    if (read.Step()) {
        stats.Attempts = read.Int(0);
        stats.LivesLost = read.Int(1);
        stats.TimesMade = read.Int(2);
        stats.TimePlayedMs = read.Int(3);
    }
    return stats;
}

std::string RecordStore::Choice(const std::string& name, const std::string& otherwise) const {
    Statement read(db_, path_, "SELECT value FROM choices WHERE name = ?1");
    read.Bind(1, name);
    return read.Step() ? read.Text(0) : otherwise;
}

void RecordStore::SetChoice(const std::string& name, const std::string& value) {
    Transaction write(db_, path_);
    Statement keep(db_, path_, "INSERT OR REPLACE INTO choices (name, value) VALUES (?1, ?2)");
    keep.Bind(1, name).Bind(2, value);
    keep.Step();
    write.Commit();
}
