// Drawing the play field, the objects in motion, monsters, explosions and the status bar.
#pragma once

#include <cstdint>

class ImageSprite;
class PictureList;
class SpriteEngine;
struct Surface;
struct World;
enum class PlayerPicture;

// Where and with what a play-field frame is drawn.
struct PlayFieldCanvas {
    Surface& Back;
    const PictureList& Tiles;     // the level's tile set
    const PictureList& Pictures;  // the game's own pictures: player, blasts, status bar
    SpriteEngine& Sprites;        // the engine that holds the player's sprite
    ImageSprite& Player;
    int32_t Character = 1;  // 1 Vivuz, 0 Vuzoda
    bool Paused = false;
};

// Draws one frame of the world, with the view the rules worked out before (UpdateView), and
// animates the cells by lag milliseconds as AnimateCells does, in the same walk over the grid as
// the first tile pass (each cell is animated before it is drawn).
void DrawPlayField(const PlayFieldCanvas& canvas, World& world, int32_t lag);

// The name of the player's picture in the game's pictures for a character ("" for none).
const char* PlayerPictureName(PlayerPicture picture, int32_t character);
