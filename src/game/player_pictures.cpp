// The player character's pictures: one family of names per character.
#include "app/game.h"
#include "game/player.h"
#include "game/player_steps.h"

namespace {

// In the order of PlayerPicture. Character 1 (Vivuz) uses the "ball" family, character 0
// (Vuzoda) the "vivuz"/"eddie" family; Vuzoda pushes with its walking pictures.
constexpr const char* kVivuzNames[] = {"ball",  "ballsus", "balljos", "balls",
                                       "balld", "ballid",  "ballis",  "ballmort"};
constexpr const char* kVuzodaNames[] = {"vivuz",  "eddiesus", "eddiejos", "eddies",
                                        "eddied", "eddied",   "eddies",   "eddiemort"};

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

void UsePicture(Game& game, TVuzoda& sprite, PlayerPicture picture) {
    const auto index = static_cast<size_t>(picture);
    const char* name = game.settings.Character == 1 ? kVivuzNames[index] : kVuzodaNames[index];
    sprite.Picture = &game.media.perslist.FindPicture(name);
}

void UseDirectionPicture(Game& game, TVuzoda& sprite, Direction dir) {
    UsePicture(game, sprite, PictureOf(dir));
    sprite.PatternCount = 2;
    sprite.Looping = true;
    sprite.PatternSpeed = 0.01;
}
