// Proofs played in the background.
#include "model/proof_checks.h"

#include <utility>

#include "level/level_writer.h"
#include "model/proofs.h"

ProofChecks::ProofChecks(const LevelSetData& set, std::vector<ProofJob> jobs, std::string dataDir)
    : levelFile_(folder_.WriteNew("set.lev", WriteLevelSet(set))),
      jobs_(std::move(jobs)),
      dataDir_(std::move(dataDir)) {
    thread_ = std::thread([this] { Run(); });
}

ProofChecks::~ProofChecks() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

void ProofChecks::Run() {
    // Each proof plays on a world of its own: nothing is shared with the window's thread but the
    // outcomes, handed over under the lock.
    for (const ProofJob& job : jobs_) {
        if (stop_) break;
        std::string outcome = PlayProof(job.Script, levelFile_, job.Number, dataDir_);
        std::lock_guard<std::mutex> lock(mutex_);
        ready_.push_back({job.Id, std::move(outcome)});
    }
    done_ = true;
}

std::vector<ProofOutcome> ProofChecks::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(ready_, {});
}

void ProofChecks::Wait() {
    if (thread_.joinable()) thread_.join();
}
