// The soak's random player.
#include "random_player.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "app/game.h"
#include "app/session.h"

namespace {
const int kDirections[] = {vkUp, vkDown, vkLeft, vkRight};
}

int32_t RandomPlayer::NextLag() {
    return Between(1, 100);
}

void RandomPlayer::Hold(Game& game, int vk) {
    if (std::find(held_.begin(), held_.end(), vk) != held_.end()) return;
    held_.push_back(vk);
    const bool ctrl = std::find(held_.begin(), held_.end(), vkControl) != held_.end();
    PressKey(game, vk, ShiftState{false, false, ctrl});
    if (vk == vkSpace) TypeChar(game, ' ');
}

void RandomPlayer::Release(Game& game, int vk) {
    auto it = std::find(held_.begin(), held_.end(), vk);
    if (it == held_.end()) return;
    held_.erase(it);
    const bool ctrl = std::find(held_.begin(), held_.end(), vkControl) != held_.end();
    ReleaseKey(game, vk, ShiftState{false, false, ctrl});
}

void RandomPlayer::ReleaseAll(Game& game) {
    while (!held_.empty()) Release(game, held_.back());
}

// A key pressed and let go at once, with the character it types.
void RandomPlayer::Type(Game& game, int vk, char typed) {
    PressKey(game, vk);
    TypeChar(game, static_cast<uint8_t>(typed));
    ReleaseKey(game, vk);
}

void RandomPlayer::EnterCheat(Game& game) {
    for (char c : std::string("quixbrolem")) Type(game, std::toupper(c), c);
}

// Chooses what the hands do next and for how long: mostly walking, sometimes snapping, placing
// bombs, asking for bombs, pausing, changing speed or giving up.
void RandomPlayer::StartAction(Game& game) {
    ReleaseAll(game);
    const int roll = Between(1, 1000);
    if (roll <= 600) {
        Hold(game, kDirections[Between(0, 3)]);
        if (Chance(0.1)) Hold(game, kDirections[Between(0, 3)]);
    } else if (roll <= 700) {
        Hold(game, vkSpace);
        Hold(game, kDirections[Between(0, 3)]);
    } else if (roll <= 780) {
        Hold(game, vkControl);
        if (Chance(0.5)) Hold(game, kDirections[Between(0, 3)]);
    } else if (roll <= 840) {
        Type(game, 'B', 'b');
    } else if (roll <= 870) {
        Type(game, 'P', 'p');
        pauseLeft_ = Between(50, 3000);
    } else if (roll <= 880) {
        if (Chance(0.5))
            Type(game, 0xBB, '+');
        else
            Type(game, 0xBD, '-');
    } else if (roll <= 884) {
        Hold(game, vkEscape);  // giving up
    } else if (roll <= 890) {
        Hold(game, vkReturn);
    }  // else: hands off the keys
    actionLeft_ = Between(1, 2000);
}

void RandomPlayer::Reset(Game& game) {
    ReleaseAll(game);
    actionLeft_ = 0;
    pauseLeft_ = 0;
}

void RandomPlayer::Act(Game& game, int32_t lag) {
    if (pauseLeft_ > 0) {
        pauseLeft_ -= lag;
        if (pauseLeft_ <= 0 && game.input.Paused) Type(game, 'P', 'p');
        return;
    }
    if (game.input.Paused) Type(game, 'P', 'p');  // a pause left over from another screen
    actionLeft_ -= lag;
    if (actionLeft_ <= 0) StartAction(game);
}
