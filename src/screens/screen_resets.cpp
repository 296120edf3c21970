// What each visit of a menu screen starts from: the menus' shares of the screen-state reset.
#include "screens/game.h"
#include "screens/screens.h"

// The title pieces and the menu's selection live for the whole run; only the items slide in anew.
void ResetMainMenu(Game& game) {
    MainMenuState& menu = game.screens.menu;
    menu.MenuItemsY = 480;
    menu.MenuItemsArrived = false;
    menu.MenuLeaving = false;
}

void ResetPlayersScreen(Game& game) {
    PlayersScreenState& ps = game.screens.players;
    ps.PlayerPanelX = -271, ps.LevelPanelX = 640, ps.ButtonsY = 480;
    ps.PlayerPanelArrived = ps.LevelPanelArrived = ps.ButtonsArrived = false;
    ps.PlayersLeaving = false;
    ps.PlayersAction = 0;
    ps.PlayerPanelOut = ps.LevelPanelOut = ps.ButtonsOut = true;
    ps.PlayerArrowPressed = false, ps.PlayerArrowPart = 0;
    ps.LevelArrowPressed = false, ps.LevelArrowPart = 0;
    game.input.NameEditing = false;
}

void ResetCharacterSelect(Game& game) {
    game.screens.characters = CharacterSelectState{};  // its defaults are the reset values
}

void ResetCredits(Game& game) {
    game.screens.info.CreditsY = 480;
}

void ResetGameFinished(Game& game) {
    game.screens.info.FinishedY = 480;
}
