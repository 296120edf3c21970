// Drawing helpers shared by the menu screens: named menu pictures, the title backdrop, text.
#pragma once

#include <cstdint>
#include <string>

struct Game;

// Colours of menu text, written 0x00BBGGRR.
constexpr uint32_t kTextYellow = 0x0000FFFF;
constexpr uint32_t kTextGreen = 0x0000FF00;
constexpr uint32_t kTextRed = 0x000000FF;
constexpr uint32_t kTextAqua = 0x00FFFF00;

// Pattern 0 of the named picture of the menu pictures ("meniu.dxg") at (x, y), transparent colour
// honoured. A name that the list lacks raises the list's lookup error (it ends the program).
void DrawMenuPicture(Game& game, const std::string& name, int x, int y);
// "background" with the three title pieces at rest, as every menu screen after the main menu
// shows them.
void DrawMenuBackdrop(Game& game);
// The mouse pointer "mouse" at the pointer's position; menu screens draw it last.
void DrawMousePointer(Game& game);
// Latin-1 text in "Arial" 14 on the back surface; returns its width in pixels.
int WriteMenuText(Game& game, int x, int y, uint32_t bgr, const std::string& latin1);

// True when (x, y) lies strictly inside left < x < right, top < y < bottom.
inline bool InsideExclusive(int x, int y, int left, int top, int right, int bottom) {
    return x > left && x < right && y > top && y < bottom;
}
// Whether the pointer lies strictly inside the rectangle.
bool PointerInside(const Game& game, int left, int top, int right, int bottom);
// Reads and consumes the fire state; the click of menu screens that act on the pointer.
bool TakeFireState(Game& game);
