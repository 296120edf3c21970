// The run in play, recorded tick by tick as a replay, and what the level's end makes of it: the
// player's statistics, and a made run played again headless and kept when it is the player's
// best.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/replay.h"
#include "game/replay_simulation.h"
#include "game/rewind.h"

struct Game;

// What the level-end screen shows of the run just made.
struct RunOutcome {
    bool Timed = false;    // the level was made: TimeMs is the run's time
    int64_t TimeMs = 0;    // game time from the level's first tick to the exit
    int64_t BestMs = -1;   // the player's best before this run (-1: none)
    bool NewBest = false;  // kept as the player's new best
    std::string NotKept;   // why a faster run was not kept (practice, help visited, ...)
};

// Where the player's best run stood at a moment of its game time.
struct GhostSample {
    double TimeMs = 0;
    double X = 0, Y = 0;
};

struct RunInPlay {
    bool Recording = false;
    // Why the run cannot be a record (empty while it can): a visit to another screen in the
    // middle of the level, a change of speed, a pause of a single tick.
    std::string NotEligible;
    ReplayScript Script;
    int64_t Ticks = 0;
    bool WasPaused = false;
    int64_t ExitTimeMs = -1;
    int32_t LivesBefore = 0;
    int64_t LivesLost = 0;
    RunOutcome Last;  // of the run that ended last
    // Best times already read for the players screen: (set, speed, player, level) -> ms or -1.
    std::map<std::pair<std::string, int64_t>, int64_t> ShownBest;
    // Kept runs already played again in this run of the game (sequence@set).
    std::set<std::string> CheckedRuns;
    // The ghost: shown or not (the player's choice, kept with the records), and the places of
    // the player's best run on the level in play, one per tick of it.
    bool ShowGhost = false;
    std::vector<GhostSample> Ghost;
    int32_t GhostCharacter = 1;
    // Rewind: allowed or not (the player's choice, kept with the records), the run's kept
    // worlds, the recorded keys as they stand, and how long Backspace has been held.
    bool RewindOn = true;
    RewindTimeline Timeline;
    ReplayKeyState Keys;
    int32_t RewindHeldMs = 0;
    bool Rewinding = false;  // this tick stepped back: the play field shows the rewind mark
};

// The level start tick: a new recording (the world has just been seeded and started).
void BeginRun(Game& game, int32_t lag);
// After every tick of the play screen.
void RecordPlayTick(Game& game, int32_t lag);
// The play screen was left for another screen while the level goes on.
void RunLeftThePlayScreen(Game& game);
// The level ended (made, lost or given up): the statistics grow, and a made run is played again
// and offered to the records. Errors of the records reach the message strip, never the run.
void EndRun(Game& game);
// The best time of the player selected on the players screen on `level` of the set in play, at
// the speed of the settings; -1 when there is none (or no records are kept).
int64_t ShownBestTime(Game& game, int32_t level);
// Steps the run back to the end of its tick `target` (at least the level's start): the world,
// the keys and the recording as they were then, the run marked as practice. False when there
// is no way back (no run recording, rewind off).
bool RewindRun(Game& game, int64_t target);
// Allows rewind or not from now on and keeps the choice.
void SetRewindOn(Game& game, bool on);
// Shows or hides the ghost from now on and keeps the choice.
void SetGhostShown(Game& game, bool shown);
// The ghost's place at the world's game time, or null when none is shown.
const GhostSample* GhostNow(const Game& game);
// At start-up: the player who last started a level (kept with the records) is selected, on the
// newest level open to them.
void SelectPlayerWhoPlayedLast(Game& game);
// Now as a kept run's date: "YYYY-MM-DD HH:MM", local time.
std::string RunDateNow();
// "1:02.35": minutes, seconds and hundredths.
std::string RunTimeText(int64_t ms);
