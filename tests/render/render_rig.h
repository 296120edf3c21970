// A game made for drawing tests: a tile set and a game picture list of plain colours that differ
// in RGB565 for every picture and pattern, written as libraries into a temporary folder and
// loaded from there, and a level built cell by cell.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "screens/game.h"
#include "support/test_support.h"

// Colour (RGB565) of pattern p of tile picture k, and of the game pictures used by the play field.
uint16_t TileColour(int code, int pattern = 0);
uint16_t GameColour(const std::string& name, int pattern = 0);
uint16_t StatusColour(int index);  // game picture 24..40

// Sizes of the test pictures.
constexpr int kDigitWidth = 12, kDigitHeight = 18;
constexpr int kIconWidth = 30;
constexpr int kLifeWidth = 20;
constexpr int kSeparatorWidth = 8;

class RenderRig {
  public:
    RenderRig();
    Game& game() { return *game_; }

    // A level of the given interior size: border ring, every interior cell empty, layer 100.
    void MakeLevel(int cols, int rows);
    ::Cell& CellAt(int col, int row) { return game_->world.level.Cells[row][col]; }
    // Puts the player (centre in world pixels) where the tile passes take the view from.
    void PlacePlayer(int32_t x, int32_t y);
    // A sprite standing for the player, drawn by the sprite engine between passes 2 and 3.
    ImageSprite& AddSprite(double x, double y);
    void Draw(int32_t lag = 1);
    uint16_t Pixel(int x, int y) const { return game_->media.Back.At(x, y); }

  private:
    TempDir dir_;
    std::unique_ptr<Game> game_;
};
