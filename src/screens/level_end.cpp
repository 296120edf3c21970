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

// Centred text with a dark shadow, readable over any part of the level.
void WriteShadowedLine(Game& game, int y, int size, uint32_t bgr, const std::string& text) {
    TextCanvas& canvas = game.media.Canvas;
    canvas.SetFont("Arial", size);
    const int x = 320 - canvas.TextPixelWidth(text) / 2;
    canvas.SetColor(0x000000);
    canvas.WriteText(game.media.Back, x + 1, y + 1, text);
    canvas.SetColor(bgr);
    canvas.WriteText(game.media.Back, x, y, text);
    canvas.ReleaseCanvas();
}

// Under the result plate: the run's time, and how it compares with the player's best.
void DrawRunTime(Game& game) {
    const RunOutcome& run = game.run.Last;
    if (!run.Timed) return;
    constexpr uint32_t kGold = 0x40D8FF, kPale = 0xE8F0F0;
    WriteShadowedLine(game, 312, 16, kGold, "Time " + RunTimeText(run.TimeMs));
    std::string second;
    if (run.NewBest)
        second = run.BestMs < 0 ? "Your first time on this level"
                                : "New best! Before: " + RunTimeText(run.BestMs);
    else if (run.BestMs >= 0 && run.TimeMs >= run.BestMs)
        second = "Best " + RunTimeText(run.BestMs) + "   (" + RunTimeText(run.TimeMs - run.BestMs) +
                 " slower)";
    if (!run.NotKept.empty()) second = "Not kept as a record: " + run.NotKept;
    if (!second.empty()) WriteShadowedLine(game, 336, 12, kPale, second);
}

}  // namespace

void LevelEndTick(Game& game, int32_t lag) {
    DrawPlayFrame(game, lag);
    if (const char* name = ResultPicture(game.world.play.LevelOutcome)) {
        game.media.GamePictures.FindPicture(name).DrawPattern(game.media.Back, 206, 173, 0);
    }
    if (game.world.play.LevelOutcome == kOutcomeMade) DrawRunTime(game);
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
