// Proofs: a recorded test play that makes a level, kept beside the set as "NN.replay" and played
// again headless to show that the level can still be made.
#pragma once

#include <cstdint>
#include <string>

#include "game/replay.h"
#include "level/level_record.h"

enum class ProofState {
    None,      // no proof
    Proven,    // the proof makes the level as it is
    Stale,     // the level changed since the proof was made
    Failing,   // played again, the proof no longer makes the level
    Checking,  // being played again
};

// The longest proof played: half an hour of ticks (no level needs longer; the game's own take
// minutes). A longer one fails with that reason rather than keep the player busy for long.
inline constexpr int64_t kLongestProofTicks = 30 * 60 * 60;

struct Proof {
    ReplayScript Script;
    uint64_t Fingerprint = 0;  // LevelFingerprint of the level the proof was made or checked on
    bool Makes = true;         // the last playing of it made the level
    bool Checking = false;     // being played again: Makes is not known yet
};

const char* ProofStateName(ProofState state);
// The state of a level's proof (none when `proof` is null).
ProofState StateOfProof(const Proof* proof, const LevelRecord& level);
// "NN.replay" for level number NN (from 1).
std::string ProofFileName(int number);
// Plays the proof on level `number` of the set file at `levelFile` without a window; the outcome
// ("made", "killed", ...) or the reason it could not be played.
std::string PlayProof(ReplayScript script, const std::string& levelFile, int number,
                      const std::string& dataDir);
