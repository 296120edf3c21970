// Frame costs of the game's own ticks, headless: game play on two levels and two menu screens.
#pragma once

#include <string>

#include "bench_clock.h"

// Microseconds per tick of the game-play screen (simulation and play field, with message lines
// on screen) on level `level` of the level set `levels` (a file of the data folder or a path).
double MeasurePlayTick(const std::string& dataDir, const std::string& levels, int level,
                       const Repetitions& reps);

struct MenuTicks {
    double MainMenuUs = 0;
    double PlayersUs = 0;
};
// Microseconds per tick of the main menu (title and items at rest, items blinking) and of the
// players and levels screen (panels at rest, three players' names and three level lines shown).
MenuTicks MeasureMenuTicks(const std::string& dataDir, const Repetitions& reps);
