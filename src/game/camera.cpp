// The camera: where world point (0, 0) lands on the screen for a player position.
#include "game/camera.h"

#include "game/world.h"

namespace {

// One axis of the rule. A level of at most `fit` cells on this axis is centred (with its border
// cells) and never scrolls; a bigger one keeps the player at screen position `keep` from the
// moment it passes `keep` until it comes within `tail` pixels of the level's far side, where the
// view stops. The scrolled origin is truncated towards zero like the other world-to-screen steps.
int32_t AxisOrigin(int32_t cells, double pos, int32_t fit, int32_t keep, int32_t tail) {
    if (cells <= fit) return (fit - cells) * 20;
    if (pos <= keep) return 0;
    if (pos < kCellSize * cells - tail) return static_cast<int32_t>(keep - pos);
    return (keep + tail) - kCellSize * cells;
}

}  // namespace

// Horizontally the right border column ends at x = 640 at the far edge (280 + 280 = 560 + 80);
// vertically the last interior row ends at y = 400 and the bottom border lies under the status
// bar (200 + 160 = 360 + 40).
void ComputeViewOrigin(const LevelGrid& level, double px, double py, int32_t& viewX,
                       int32_t& viewY) {
    viewX = AxisOrigin(level.Cols, px, 14, 280, 280);
    viewY = AxisOrigin(level.Rows, py, 10, 200, 160);
}

void UpdateView(World& world) {
    PlayState& play = world.play;
    ComputeViewOrigin(world.level, play.PlayerX, play.PlayerY, play.ViewX, play.ViewY);
}
