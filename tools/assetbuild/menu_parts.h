// The parts of the menu library "meniu.dxg", one function per screen; each appends its pictures.
#pragma once

#include <vector>

#include "media/library_format.h"

void AddTitlePictures(std::vector<PictureData>& out);  // logo, board, title, menu items, pointer
void AddCharacterPictures(std::vector<PictureData>& out);  // character selection
void AddOptionsPictures(
    std::vector<PictureData>& out);  // options labels, switches, sliders, buttons
void AddPlayersPictures(std::vector<PictureData>& out);  // players and levels panels
void AddHelpPictures(std::vector<PictureData>& out);  // information screen, page buttons, numbers
void AddHelpPages(std::vector<PictureData>& out);     // the seven help pages "c", "c1" .. "c6"
void AddCreditsPictures(std::vector<PictureData>& out);  // scrolling credits and their frame
