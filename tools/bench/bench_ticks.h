// Frame costs of the game's own ticks, headless: game play on two levels and two menu screens.
#pragma once

#include <memory>
#include <string>

#include "bench_clock.h"

struct Game;

// The frame loop's tick up to the moment the frame is shown, with a 16 ms lag: input, message
// ages, the screen's handler and the message lines.
void DrawTick(Game& game);
// A game on the data folder (its settings not read, random numbers seeded), its logo skipped and
// its main menu at rest: title and items in place, items blinking.
std::unique_ptr<Game> StartMainMenuAtRest(const std::string& dataDir);

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
