// Proofs of levels: replay text and headless checks.
#include "model/proofs.h"

#include "game/replay_simulation.h"
#include "model/set_files.h"

const char* ProofStateName(ProofState state) {
    switch (state) {
        case ProofState::None:
            return "unproven";
        case ProofState::Proven:
            return "proven";
        case ProofState::Stale:
            return "stale";
        case ProofState::Failing:
            return "proof fails";
        case ProofState::Checking:
            return "checking";
    }
    return "";
}

ProofState StateOfProof(const Proof* proof, const LevelRecord& level) {
    if (!proof) return ProofState::None;
    if (proof->Checking) return ProofState::Checking;
    if (!proof->Makes) return ProofState::Failing;
    if (proof->Fingerprint != LevelFingerprint(level)) return ProofState::Stale;
    return ProofState::Proven;
}

std::string ProofFileName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.replay", number);
    return name;
}

std::string PlayProof(ReplayScript script, const std::string& levelFile, int number,
                      const std::string& dataDir) {
    script.Levels = levelFile;
    script.Level = number;
    int64_t ticks = 0;
    for (const ReplayStep& step : script.Steps)
        if (ticks <= kLongestProofTicks) ticks += step.Count;
    if (ticks > kLongestProofTicks)
        return "longer than a level can take (" + std::to_string(ticks) + " ticks, at most " +
               std::to_string(kLongestProofTicks) + ")";
    try {
        if (ReplayNeedsScreens(script)) return "needs the game's screens";
        return SimulateReplay(script, dataDir).Outcome;
    } catch (const std::exception& e) {
        return e.what();
    }
}
