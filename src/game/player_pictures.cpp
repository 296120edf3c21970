// The player's look: which picture it shows and how the picture's patterns run.
#include <cmath>

#include "game/player_steps.h"

namespace {

PlayerPicture PictureOf(Direction dir) {
    switch (dir) {
        case Direction::Up:
            return PlayerPicture::Up;
        case Direction::Down:
            return PlayerPicture::Down;
        case Direction::Left:
            return PlayerPicture::Left;
        case Direction::Right:
            return PlayerPicture::Right;
        case Direction::None:
            break;
    }
    return PlayerPicture::Rest;
}

}  // namespace

void AdvancePlayerPattern(PlayerLook& look, int32_t lag) {
    look.PatternPos += look.PatternSpeed * lag;
    if (look.Looping) {
        if (look.PatternCount <= 0) {
            look.PatternPos = 0;
        } else {
            look.PatternPos = std::fmod(look.PatternPos, static_cast<double>(look.PatternCount));
            if (look.PatternPos < 0) look.PatternPos += look.PatternCount;
        }
    } else if (look.PatternPos >= look.PatternCount) {
        look.PatternPos = look.PatternCount - 1;
        look.PatternSpeed = 0;
    } else if (look.PatternPos < 0) {
        look.PatternPos = 0;
        look.PatternSpeed = 0;
    }
}

void UseDirectionPicture(PlayerLook& look, Direction dir) {
    look.Picture = PictureOf(dir);
    look.PatternCount = 2;
    look.Looping = true;
    look.PatternSpeed = 0.01;
}
