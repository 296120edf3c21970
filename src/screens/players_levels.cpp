// The players and levels screen: panels slide in, the player picks a name and a level, and the
// panels slide out towards the level start, the character selection or the main menu.
#include "audio/audio.h"
#include "screens/game.h"
#include "screens/menu_common.h"
#include "screens/players_screen.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"
#include "screens/sliding.h"

namespace {

void SlidePanelsIn(PlayersScreenState& ps, int32_t lag) {
    SlideIn(ps.PlayerPanelX, ps.PlayerPanelArrived, -10.0, 1, lag);
    SlideIn(ps.LevelPanelX, ps.LevelPanelArrived, 306.0, -1, lag);
    SlideIn(ps.ButtonsY, ps.ButtonsArrived, 415.0, -1, lag);
}

// A new player of the game's own level set chooses a character before the first level.
void StartChosenLevel(Game& game) {
    const PlayerTable& players = game.players;
    if (players.PlayerLevels[players.CurrentPlayer] == 1 &&
        game.settings.LevelsFile == "Tolmara.lev") {
        SetScreen(game, Screen::CharacterSelect);
    } else {
        SetScreen(game, Screen::LevelStart);
    }
}

void SlidePanelsOut(Game& game, int32_t lag) {
    PlayersScreenState& ps = game.screens.players;
    SlideOut(ps.PlayerPanelX, ps.PlayerPanelOut, -300.0, -1, lag);
    SlideOut(ps.LevelPanelX, ps.LevelPanelOut, 700.0, 1, lag);
    // The buttons leave once the players' panel is well on its way.
    if (ps.PlayerPanelX < -200) SlideOut(ps.ButtonsY, ps.ButtonsOut, 480.0, 1, lag);
    if (ps.LevelPanelOut) return;
    if (ps.PlayersAction == 2) {
        StartChosenLevel(game);
    } else if (ps.PlayersAction == 1) {
        SetScreen(game, Screen::MenuReturn);
    }
}

}  // namespace

void PreviousLevel(Game& game) {
    if (game.world.play.CurrentLevel > 1) {
        game.world.play.CurrentLevel -= 1;
        PlaySound(game.Sound(), "click");
    }
}

void NextLevel(Game& game) {
    if (game.world.play.CurrentLevel < game.levels.LevelSet.LevelCount) {
        game.world.play.CurrentLevel += 1;
        PlaySound(game.Sound(), "click");
    }
}

void PlayersLevelsTick(Game& game, int32_t lag) {
    PlayersScreenState& ps = game.screens.players;
    SlidePanelsIn(ps, lag);
    const bool atRest = ps.PlayerPanelArrived && ps.LevelPanelArrived && ps.ButtonsArrived;
    if (atRest && !ps.PlayersLeaving) ReadPlayersInput(game, lag);
    if (game.input.BoardKey) {
        game.input.BoardKey = false;
        if (!game.input.NameEditing && game.world.play.CurrentLevel >= 1 &&
            game.world.play.CurrentLevel <= game.levels.LevelSet.LevelCount) {
            game.screens.board.Level = game.world.play.CurrentLevel;
            SetScreen(game, Screen::RecordsBoard);
            return;
        }
    }
    DrawPlayersPanels(game);
    // Tested once: the tick whose Enter ends the entry still draws the (emptied) field.
    if (game.input.NameEditing) {
        TypeNameKey(game);
        DrawNameEntry(game, lag);
    }
    DrawPlayerNames(game);
    DrawLevelLines(game);
    if (ps.PlayersLeaving) SlidePanelsOut(game, lag);
    DrawMousePointer(game);
}
