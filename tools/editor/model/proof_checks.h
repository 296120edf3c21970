// Proofs played again on a thread of their own, so that the window goes on while a long list of
// them (or a long proof) is played: the outcomes come in one by one.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "game/replay.h"
#include "level/level_record.h"
#include "model/private_folder.h"

struct ProofJob {
    int Id = 0;      // the level's id in the edited set
    int Number = 0;  // the level's number in `set` (from 1)
    ReplayScript Script;
};

struct ProofOutcome {
    int Id = 0;
    std::string Outcome;  // "made", another outcome, or the reason it could not be played
};

class ProofChecks {
  public:
    // Writes the set to a private folder (throws FileError when it cannot) and starts playing.
    ProofChecks(const LevelSetData& set, std::vector<ProofJob> jobs, std::string dataDir);
    // Stops after the proof being played and waits for it.
    ~ProofChecks();
    ProofChecks(const ProofChecks&) = delete;
    ProofChecks& operator=(const ProofChecks&) = delete;

    // The outcomes that came in since the last call.
    std::vector<ProofOutcome> Take();
    // Whether every proof was played (the outcomes may not all be taken yet).
    bool Done() const { return done_; }
    // Waits until every proof was played.
    void Wait();

  private:
    void Run();

    PrivateFolder folder_;
    std::string levelFile_;
    std::vector<ProofJob> jobs_;
    std::string dataDir_;
    std::mutex mutex_;
    std::vector<ProofOutcome> ready_;
    std::atomic<bool> stop_{false}, done_{false};
    std::thread thread_;
};
