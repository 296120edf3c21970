// The player character: its sprite, its per-tick move step and what it collects.
#pragma once

#include <cstdint>

#include "media/sprite.h"

struct Game;

// The player sprite; its move step is PlayerMove.
class TVuzoda : public ImageSprite {
  public:
    explicit TVuzoda(Game& game) : game_(game) {}
    void MoveStep(int lag) override;

  private:
    Game& game_;
};

void PlayerMove(Game& game, TVuzoda& sprite, int32_t lag);
void CollectInfotron(Game& game);
void CollectLife(Game& game);
void CollectBomb(Game& game);
void TipExitClosed(Game& game);
void PlayerHit(Game& game, int col, int row);
void DetonateNearby(Game& game, int col, int row);
