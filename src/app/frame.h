// One tick of the frame loop.
#pragma once

#include <cstdint>

struct Game;

// Whether a tick may run: the display can be drawn on, and in full screen the window has the
// input focus (a full-screen game switched away from cannot be seen, so its play stops: neither
// input nor game time advances until the focus comes back). A window keeps playing unfocused.
bool FrameDue(const Game& game);
// Input, messages, the screen's tick, the frame-rate overlay, messages, the frame; the shutdown
// when the screen asked for the program to end.
void RunFrame(Game& game, int32_t lag);
