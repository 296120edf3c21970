// The players and levels screen: panels slide in, the player picks a name and a level, and the
// panels slide out towards the level start, the character selection or the main menu.
#include "audio/audio.h"
#include "screens/game.h"
#include "screens/menu_common.h"
#include "screens/players_screen.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"

namespace {

void SlidePanelsIn(PlayersScreenState& ps, int32_t lag) {
    if (!ps.PlayerPanelArrived) {
        ps.PlayerPanelX += lag;
        if (ps.PlayerPanelX > -10) ps.PlayerPanelX = -10, ps.PlayerPanelArrived = true;
    }
    if (!ps.LevelPanelArrived) {
        ps.LevelPanelX -= lag;
        if (ps.LevelPanelX < 306) ps.LevelPanelX = 306, ps.LevelPanelArrived = true;
    }
    if (!ps.ButtonsArrived) {
        ps.ButtonsY -= lag;
        if (ps.ButtonsY < 415) ps.ButtonsY = 415, ps.ButtonsArrived = true;
    }
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
    if (ps.PlayerPanelOut) {
        ps.PlayerPanelX -= lag;
        if (ps.PlayerPanelX < -300) ps.PlayerPanelOut = false;
    }
    if (ps.LevelPanelOut) {
        ps.LevelPanelX += lag;
        if (ps.LevelPanelX > 700) ps.LevelPanelOut = false;
    }
    if (ps.ButtonsOut && ps.PlayerPanelX < -200) {
        ps.ButtonsY += lag;
        if (ps.ButtonsY > 480) ps.ButtonsOut = false;
    }
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
