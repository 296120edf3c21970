// Expectations written into replay files as comment lines, so that a level and a replay are all a
// behaviour test needs, and the same file still runs in tolmara-replay:
//   #= WHAT ARGS...          checked after the run
//   #= at TICK WHAT ARGS...  checked right after tick TICK (ticks count from 1, the level start)
// WHAT: outcome NAME | ticks N | time MS | lives N | bombs N | infotrons GOT NEEDED |
//       player X Y | monsters N | moving N | cell ROW COL CODE | row ROW CODE... |
//       screen CODE | message N | nomessage N | phase ROW COL LOW HIGH | view X Y |
//       explosions N | placed N | guard 0|1 | dying 0|1 | paused 0|1 | state N |
//       monster I X Y | mover I X Y | queued CODE COUNT (entries of the message queue)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/replay_run.h"

struct Game;

struct ReplayCheck {
    int64_t AtTick = 0;  // 0: after the run
    std::vector<std::string> Words;
    int Line = 0;
};

// Throws std::runtime_error naming the line for an unknown expectation or a wrong count of values.
std::vector<ReplayCheck> ParseReplayChecks(const std::string& text, const std::string& name);

// The failures of one expectation against the game (and the result after the run); empty when
// it holds.
std::string FailedCheck(const ReplayCheck& check, const Game& game, const ReplayResult* result);
