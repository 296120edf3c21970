// The menus' share of the screen-state reset: what each visit of a menu screen starts from.
#include "app/game.h"
#include "screens/screens.h"

// Leaves alone what lives for the whole run or is set on entry: the title pieces, the menu's
// selection, the information page, the logo time and the options screen.
void ResetMenuScreens(Game& game) {
    ScreenState& screens = game.screens;
    screens.menu.MenuItemsY = 480;
    screens.menu.MenuItemsArrived = false;
    screens.menu.MenuLeaving = false;

    PlayersScreenState& ps = screens.players;
    ps.PlayerPanelX = -271, ps.LevelPanelX = 640, ps.ButtonsY = 480;
    ps.PlayerPanelArrived = ps.LevelPanelArrived = ps.ButtonsArrived = false;
    ps.PlayersLeaving = false;
    ps.PlayersAction = 0;
    ps.PlayerPanelOut = ps.LevelPanelOut = ps.ButtonsOut = true;
    ps.PlayerArrowPressed = false, ps.PlayerArrowPart = 0;
    ps.LevelArrowPressed = false, ps.LevelArrowPart = 0;
    game.input.NameEditing = false;

    screens.characters = CharacterSelectState{};  // its defaults are the reset values

    screens.info.CreditsY = 480;
    screens.info.FinishedY = 480;
}
