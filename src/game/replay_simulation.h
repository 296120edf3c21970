// Replays played on the world alone: no window, no pictures, no sound. The world goes through the
// same rules, in the same order, with the same keys as on the level start and play screens, so
// the result is the one the game's screens give.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/play_state.h"
#include "game/replay.h"

class GameEvents;
struct World;

// What the keys of a replay do on the play screen, between ticks.
struct ReplayKeyState {
    std::vector<ReplayKey> Held;
    bool EscapePressed = false;
    bool Paused = false;

    // Keys go up and down as a window reports them; a key going down gives up (Escape) or
    // switches the pause (P).
    void Change(const std::vector<ReplayKey>& next);
    // Of the arrows, a later one overrides an earlier one: right over left over down over up.
    Direction Steer() const;
};

// One tick of the play screen on the world alone, after the keys changed for it: the world
// advances unless paused, the cells animate, the view follows, a give-up and the level's end are
// checked, as the play screen does. True when the level end screen is due.
bool PlayWorldTick(World& world, GameEvents& events, ReplayKeyState& keys, int32_t lag);

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
// The same, the observer also seeing the replay's keys as they stand after each tick.
using KeyedTickObserver =
    std::function<void(const World& world, const ReplayKeyState& keys, int64_t tick)>;
ReplayResult SimulateReplayWithKeys(const ReplayScript& script, const std::string& dataDir,
                                    const KeyedTickObserver& afterTick);
