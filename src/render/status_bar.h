// The status bar's counters: bombs, infotrons, level time and lives, drawn with the digits of the
// game's pictures.
#pragma once

#include <cstdint>

class PictureList;
struct PlayState;
struct Surface;

// Pictures of the status bar in the game's list ("tolmara.dxg"), by index.
enum StatusPicture : int {
    spTimeIcon = 24,
    spInfotronIcon = 25,
    spLife = 26,
    spBombIcon = 28,
    spDigitZero = 29,  // digit d is 29 + d
    spInfotronSeparator = 39,
    spTimeSeparator = 40,
};

// Each counter draws its icon at (x, y) and its digits one pixel higher, placed side by side by
// the widths of the pictures drawn.
void DrawBombCounter(Surface& back, const PictureList& pictures, const PlayState& play, int x,
                     int y);  // Bombs, two digits (modulo 100)
void DrawInfotronCounter(Surface& back, const PictureList& pictures, const PlayState& play, int x,
                         int y);  // got / needed, three digits from 100 up
void DrawTimeCounter(Surface& back, const PictureList& pictures, const PlayState& play, int x,
                     int y);  // mm:ss of LevelTime, minutes modulo 100
void DrawLives(Surface& back, const PictureList& pictures, const PlayState& play, int x,
               int y);  // one picture per life, 5 pixels apart
