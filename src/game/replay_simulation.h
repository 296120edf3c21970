// Replays played on the world alone: no window, no pictures, no sound. The world goes through the
// same rules, in the same order, with the same keys as on the level start and play screens, so
// the result is the one the game's screens give.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "game/replay.h"

// True when the replay presses a key that leaves the play screen (C, F1) or acts on a menu
// (Enter): such a replay needs the game's screens.
bool ReplayNeedsScreens(const ReplayScript& script);

// Plays the script from its level's start on the level set it names (a plain name is a file of
// `dataDir`, a path is opened as given). The run ends after the last step or after the tick that
// ends the level. Throws FileError or std::runtime_error with the reason.
// `afterTick`, when given, sees the world after every tick (the first one starts the level).
using WorldTickObserver = std::function<void(const World& world, int64_t tick)>;
ReplayResult SimulateReplay(const ReplayScript& script, const std::string& dataDir,
                            const WorldTickObserver& afterTick = {});
