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
// A translucent figure of an earlier run, at its place in world pixels (its centre).
struct GhostFigure {
    double X = 0, Y = 0;
    int32_t Character = 1;
};

struct PlayFieldCanvas {
    Surface& Back;
    const PictureList& Tiles;     // the level's tile set
    const PictureList& Pictures;  // the game's own pictures: player, blasts, status bar
    SpriteEngine& Sprites;        // the engine that holds the player's sprite
    ImageSprite& Player;
    int32_t Character = 1;  // 1 Vivuz, 0 Vuzoda
    bool Paused = false;
    const GhostFigure* Ghost = nullptr;  // drawn over the player when given
};

// Draws one frame of the world as it stands: the cells' animation and the view are the rules'
// (AnimateCells, UpdateView), run before.
void DrawPlayField(const PlayFieldCanvas& canvas, const World& world);

// The name of the player's picture in the game's pictures for a character ("" for none).
const char* PlayerPictureName(PlayerPicture picture, int32_t character);
