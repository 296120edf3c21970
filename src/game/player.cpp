// Placeholder until this part of the game is written.
#include "game/player.h"
#include "app/game.h"

void TVuzoda::MoveStep(int lag) { PlayerMove(game_, *this, lag); }
void PlayerMove(Game&, TVuzoda& sprite, int32_t lag) { sprite.BaseMoveStep(lag); }
void CollectInfotron(Game&) {}
void CollectLife(Game&) {}
void CollectBomb(Game&) {}
void TipExitClosed(Game&) {}
void PlayerHit(Game&, int, int) {}
void DetonateNearby(Game&, int, int) {}
