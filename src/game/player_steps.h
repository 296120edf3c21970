// Pieces of the player's move step shared by its files: directions, pictures, the checks of a
// direction at rest and the limits of the player's position.
#pragma once

#include <cstdint>

struct Game;
class TVuzoda;

enum class Direction { None, Up, Down, Left, Right };

// The character's pictures; the names depend on the chosen character.
enum class PlayerPicture { Rest, Up, Down, Left, Right, PushRight, PushLeft, NoLives };

// Sets sprite.Picture to the named picture of perslist (throws when the name is missing).
void UsePicture(Game& game, TVuzoda& sprite, PlayerPicture picture);
// The picture of a direction: 2 patterns, looping, ten patterns a second.
void UseDirectionPicture(Game& game, TVuzoda& sprite, Direction dir);

// The checks of a direction read at rest: walking, eating, collecting, ports, terminals,
// pushes. (col, row) is the player's cell of this tick.
void TryDirection(Game& game, Direction dir, int col, int row);

// The player's centre stays between the centres of the first and last interior cells.
double ClampCentreX(const Game& game, double x);
double ClampCentreY(const Game& game, double y);
