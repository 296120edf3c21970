// Fuzz target: the replay parser. Replay text is parsed; a fault must be a std::runtime_error. An
// accepted replay must name a level set and a level in range, and hold at most 24 hours of game
// time in steps of valid counts and lags. Anything else (another exception, a sanitizer report, a
// script out of range) is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "app/replay_run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReplayScript script;
    try {
        script = ParseReplay(std::string(reinterpret_cast<const char*>(data), size), "fuzz.rpl");
    } catch (const std::runtime_error&) {
        return 0;
    }
    if (script.Levels.empty() || script.Level < 1 || script.Level > 1000) std::abort();
    if (script.Speed < 200 || script.Speed > 400 || script.Character < 0 || script.Character > 1)
        std::abort();
    int64_t gameMs = 0;
    for (const ReplayStep& step : script.Steps) {
        if (step.Count < 0 || step.Lag < 1 || step.Lag > 100000 || step.Keys.size() > 11)
            std::abort();
        gameMs += step.Count * step.Lag;
    }
    if (gameMs > int64_t{24} * 60 * 60 * 1000) std::abort();
    return 0;
}
