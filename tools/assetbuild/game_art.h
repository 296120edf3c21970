// Builders of the pictures of "tolmara.dxg", by group; game_pictures.cpp puts them in list order.
#pragma once

#include <vector>

#include "media/library_format.h"

// Vivuz, the round rolling robot: "ball", "ballsus", "balljos", "balls", "balld", "ballid",
// "ballis", "ballmort", in that order.
std::vector<PictureData> RobotPictures();
// Vuzoda, the small engineer in a helmet: "vivuz", "eddiesus", "eddiejos", "eddies", "eddied",
// "eddiemort", in that order.
std::vector<PictureData> EngineerPictures();

// The status bar (640 x 79, drawn at y 401) and what is drawn on it.
PictureData StatusBarPicture();
PictureData TimeIcon();
PictureData InfotronIcon();
PictureData LifeIcon();
PictureData LifeSlotIcon();  // an unused extra that keeps the list positions
PictureData BombIcon();
PictureData DigitPicture(int digit);  // "digit0" .. "digit9"
PictureData SlashPicture();           // separator of the infotron counts
PictureData ColonPicture();           // separator of minutes and seconds

// Plates and fillers of the play screen.
PictureData PausePlate();        // "pause", drawn at (258, 216)
PictureData MessageStrip();      // "mesajfond", behind message lines at x 70
PictureData FillerBoard();       // "fondlm", 160 x 160, tiles seamlessly
PictureData ExplosionPicture();  // "explozie", 10 patterns of 120 x 120

// Result plates drawn at (206, 173), and the game finished screen.
PictureData ResultPlate(const char* name, const char* text,
                        int mood);  // mood 0 made, 1 killed, 2 aborted
PictureData FinishedBackground();   // "terminat", 640 x 480
PictureData FinishedPlate();        // "termina", scrolled up to (125, 200)
