// The level-end screen: the frozen level under its result picture, then the player's progress.
#include "app/game.h"
#include "app/screen_dispatch.h"
#include "render/playfield.h"
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
    int next = scPlayersLevels;
    const int32_t slot = players.CurrentPlayer;
    if (slot >= 1 && slot <= kMaxPlayers && players.PlayerLevels[slot] == game.play.CurrentLevel) {
        int32_t& open = players.PlayerLevels[slot];
        if (open <= levelCount) ++open;
        if (open > levelCount) next = scGameFinished;
    }
    SetScreen(game, next);
    game.play.CurrentLevel += 1;
}

}  // namespace

void LevelEndTick(Game& game, int32_t lag) {
    DrawPlayField(game, lag);
    if (const char* name = ResultPicture(game.play.LevelOutcome)) {
        game.media.perslist.FindPicture(name).DrawPattern(game.media.Back, 206, 173, 0);
    }
    game.play.EndScreenTime += lag;
    if (game.play.EndScreenTime <= 2000) return;
    ResetScreenState(game);
    game.play.EndScreenTime = 0;
    if (game.play.LevelOutcome != 1) {
        SetScreen(game, scPlayersLevels);
        return;
    }
    RecordLevelMade(game);
}
