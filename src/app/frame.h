// One tick of the frame loop.
#pragma once

#include <cstdint>

struct Game;

// Input, messages, the screen's tick, the frame-rate overlay, messages, the frame; the shutdown
// when the screen asked for the program to end.
void RunFrame(Game& game, int32_t lag);
