// The main window's key and mouse events: they set the flags the screens read on their next tick.
#pragma once

#include <cstdint>

#include "screens/input_flags.h"

struct Game;

void OnKeyDown(Game& game, int key, ShiftState shift);
void OnKeyUp(Game& game, int key, ShiftState shift);
// A typed character (Latin-1), with Backspace 8, Enter 13 and Escape 27 delivered as characters.
void OnCharTyped(Game& game, uint8_t key);
void PressMouseButton(Game& game);
// A button pressed with the pointer at client (x, y), as the window reports it.
void MouseDownAt(Game& game, int x, int y);
void OnMouseMove(Game& game, int x, int y);
void OnMouseUp(Game& game);
// The window gained or lost the input focus: the caption says "[Pause]" while it is away, held
// keys are let go, and in full screen the play stops until the focus comes back (see FrameDue).
void OnFocusChanged(Game& game, bool focused);
// Switches between full screen and a window (Alt+Enter).
void ToggleDisplayMode(Game& game);
