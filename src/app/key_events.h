// The main window's key and mouse events: they set the flags the screens read on their next tick.
#pragma once

#include <cstdint>

#include "app/input_flags.h"

struct Game;

void FormKeyDown(Game& game, int key, ShiftState shift);
void FormKeyUp(Game& game, int key, ShiftState shift);
// A typed character (Latin-1), with Backspace 8, Enter 13 and Escape 27 delivered as characters.
void FormKeyPress(Game& game, uint8_t key);
void DXDrawMouseDown(Game& game);
// A button pressed with the pointer at client (x, y), as the window reports it.
void MouseDownAt(Game& game, int x, int y);
void DXDrawMouseMove(Game& game, int x, int y);
void dxdrawMouseUp(Game& game);
// Switches between full screen and a window (Alt+Enter).
void ToggleDisplayMode(Game& game);
