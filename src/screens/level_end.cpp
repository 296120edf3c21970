// The level-end screen: the frozen level under its result picture, then the player's progress.
#include "screens/game.h"
#include "screens/player_saves.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"

namespace {

const char* ResultPicture(int32_t outcome) {
    switch (outcome) {
        case 1:
            return "youmadeit";
        case 2:
            return "killed";
        case 3:
            return "aborted";
        default:
            return nullptr;
    }
}

// A made level opens the next one only when it was the newest level open to the player; the
// last level of the set made that way finishes the game. The next level is preselected always.
void RecordLevelMade(Game& game) {
    PlayerTable& players = game.players;
    const int32_t levelCount = game.levels.LevelSet.LevelCount;
    Screen next = Screen::PlayersLevels;
    const int32_t slot = players.CurrentPlayer;
    if (slot >= 1 && slot <= kMaxPlayers &&
        players.PlayerLevels[slot] == game.world.play.CurrentLevel) {
        int32_t& open = players.PlayerLevels[slot];
        if (open <= levelCount) ++open;
        if (open > levelCount) next = Screen::GameFinished;
        SavePlayers(game);
    }
    SetScreen(game, next);
    game.world.play.CurrentLevel += 1;
}

}  // namespace

void LevelEndTick(Game& game, int32_t lag) {
    DrawPlayFrame(game, lag);
    if (const char* name = ResultPicture(game.world.play.LevelOutcome)) {
        game.media.GamePictures.FindPicture(name).DrawPattern(game.media.Back, 206, 173, 0);
    }
    game.world.play.EndScreenTime += lag;
    if (game.world.play.EndScreenTime <= 2000) return;
    ResetScreenState(game);
    game.world.play.EndScreenTime = 0;
    if (game.world.play.LevelOutcome != kOutcomeMade) {
        SetScreen(game, Screen::PlayersLevels);
        return;
    }
    RecordLevelMade(game);
}
