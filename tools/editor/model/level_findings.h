// The live checks of a level being edited: what keeps the level from being played (errors, which
// refuse the save) and what is likely a mistake (warnings).
#pragma once

#include <string>
#include <vector>

#include "level/level_record.h"

struct LevelFinding {
    bool Warning = false;
    std::string Text;  // "level 3: no exit"
};

// The findings of level `number` (from 1).
std::vector<LevelFinding> CheckEditedLevel(const LevelRecord& level, int number);
// The findings of every level and of the set as a whole.
std::vector<LevelFinding> CheckEditedSet(const LevelSetData& set);
bool AnyErrors(const std::vector<LevelFinding>& findings);
// Whether the player can come to rest below an exit from the start by walking over and eating
// what lies in the way and jumping through ports, nothing pushed and nothing blown up.
bool ExitReachable(const LevelRecord& level);
// The infotrons a level can give: its infotron tiles (not one under the start, which the game
// clears) and nine for each crawling monster's blast.
int InfotronsAvailable(const LevelRecord& level);
