// Keys of the window system as the Windows virtual key codes the key handlers use.
#pragma once

#include <SDL.h>

// The virtual key of an SDL key, 0 for keys the game has no use for. The keypad gives its digit
// keys while Num Lock is on and, as on Windows, the arrow and page keys while it is off.
int VirtualKeyOf(const SDL_Keysym& key);
