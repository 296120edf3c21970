// Proofs of levels: replay text and headless checks.
#include "model/proofs.h"

#include <cstdio>

#include "game/replay_simulation.h"
#include "model/set_files.h"

namespace {

const char* KeyName(ReplayKey key) {
    switch (key) {
        case ReplayKey::Up:
            return "Up";
        case ReplayKey::Down:
            return "Down";
        case ReplayKey::Left:
            return "Left";
        case ReplayKey::Right:
            return "Right";
        case ReplayKey::Space:
            return "Space";
        case ReplayKey::Ctrl:
            return "Ctrl";
        case ReplayKey::Escape:
            return "Escape";
        case ReplayKey::Enter:
            return "Enter";
        case ReplayKey::P:
            return "P";
        case ReplayKey::C:
            return "C";
        case ReplayKey::F1:
            return "F1";
    }
    return "";
}

}  // namespace

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

std::string ReplayText(const ReplayScript& script, const std::string& comment) {
    std::string out = "# " + comment + "\n";
    out += "levels " + script.Levels + "\nlevel " + std::to_string(script.Level) + "\n";
    out += "speed " + std::to_string(script.Speed) + "\nseed " + std::to_string(script.Seed) + "\n";
    out += "character " + std::to_string(script.Character) + "\n";
    if (script.Mortal != 1) out += "mortal " + std::to_string(script.Mortal) + "\n";
    for (const ReplayStep& step : script.Steps) {
        out += std::to_string(step.Count) + " " + std::to_string(step.Lag);
        for (ReplayKey key : step.Keys) out += std::string(" ") + KeyName(key);
        out += "\n";
    }
    return out;
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
