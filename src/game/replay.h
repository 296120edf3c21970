// Replays: a level played from a recorded list of ticks (lag and held keys), the replay text, and
// the state a replay ends in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct World;

enum class ReplayKey { Up, Down, Left, Right, Space, Ctrl, Escape, Enter, P, C, F1 };

// COUNT ticks of LAG milliseconds with these keys held, in the order the line lists them.
struct ReplayStep {
    int64_t Count = 0;
    int32_t Lag = 1;
    std::vector<ReplayKey> Keys;
    int Line = 0;  // line of the replay text, for messages
};

// The world's fingerprint as recorded at the end of tick `Tick` (ticks counted from 1, the level
// start tick).
struct WorldCheck {
    int64_t Tick = 0;
    uint64_t Hash = 0;
    int Line = 0;
};

struct ReplayScript {
    std::string Levels;  // level set file: a plain name in the data folder, or a path
    int32_t Level = 0;
    int32_t Speed = 300;
    uint64_t Seed = 1;
    int32_t Character = 1;
    int32_t Mortal = 1;
    bool Practice = false;  // the run was stepped back in time: it sets no record
    std::vector<ReplayStep> Steps;
    std::vector<WorldCheck> Checks;  // in tick order
};

// Adds one tick to a recording, joined to the last step when its lag and keys are the same.
void AppendReplayTick(ReplayScript& script, int32_t lag, const std::vector<ReplayKey>& keys);
// The word a replay uses for a key ("Up", "Ctrl", ...).
const char* ReplayKeyName(ReplayKey key);
// The replay text of a script as ParseReplay reads it: the comment lines (each line of `comment`
// gets a "# "), the header, the steps, and the checks at the end.
std::string ReplayScriptText(const ReplayScript& script, const std::string& comment);

// Adds a check to the script at the end of every second of game time: call after every tick.
void RecordWorldCheck(ReplayScript& script, const World& world, int64_t tick, int32_t lag);

// Compares the world with a replay's checks as the ticks go by.
class WorldCheckWatch {
  public:
    explicit WorldCheckWatch(const std::vector<WorldCheck>& checks) : checks_(checks) {}
    void AfterTick(const World& world, int64_t tick);
    // Game time at which the exit was reached, -1 while it was not.
    int64_t ExitTime() const { return exitMs_; }
    // 0 while every check so far agreed.
    int64_t DivergedAt() const { return diverged_; }
    int64_t LastAgreed() const { return agreed_; }

  private:
    const std::vector<WorldCheck>& checks_;
    size_t next_ = 0;
    int64_t diverged_ = 0, agreed_ = 0;
    int64_t exitMs_ = -1;
};

// Reads replay text. Throws std::runtime_error "<name>, line N: <what>" for an unknown word, a
// malformed line or a value out of range, and "<name>: ..." when `levels` or `level` is missing.
// A step count and lag that take the replay past 24 hours of game time are refused too.
ReplayScript ParseReplay(std::string_view text, const std::string& name);
// `text` with its control bytes (below 0x20, and 0x7f) written out as "\\x1b": safe to print
// on a terminal, and a message that holds it is never cut at a zero byte.
std::string EscapeControlBytes(std::string_view text);
// Reads and parses a replay file; a file that cannot be read (a folder, a pipe, over 16 MiB)
// throws FileError naming it.
ReplayScript ReadReplayFile(const std::string& path);

// The state a replay ends in, as the runner reports it.
struct ReplayResult {
    std::string Outcome;  // "made", "killed", "aborted", or "playing" without a level end
    int64_t Ticks = 0;
    int64_t LevelTimeMs = 0;
    int32_t Lives = 0, Bombs = 0;
    int32_t InfotronsGot = 0, InfotronsNeeded = 0;
    int32_t PlayerX = 0, PlayerY = 0;
    int32_t Monsters = 0, Moving = 0;
    std::vector<std::vector<int32_t>> Grid;  // tile codes, border included, top row first
    // For a replay with checks: whether one was reached, and the first tick whose world differed
    // from the recording (0: none) with the last tick that agreed.
    bool Checked = false;
    int64_t DivergedAtTick = 0, LastAgreedTick = 0;
    int64_t ExitTimeMs = -1;  // game time when the exit was reached (-1: never); every replay
};

// Copies what the watch saw into the result of a replay that has checks.
void NoteChecks(ReplayResult& result, const WorldCheckWatch& watch, const ReplayScript& script);
// The world's state as a replay's result; `levelEnded` when the level end screen was reached.
ReplayResult ResultOfWorld(const World& world, bool levelEnded, int64_t ticks);
// The result as one JSON object (keys in a fixed order, grid rows one per line).
std::string ReplayResultJson(const ReplayResult& result);
