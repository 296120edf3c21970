// The main menu: title pieces that fly in once per run, five items that slide in, blink and
// slide out towards the chosen screen.
#include <array>

#include "audio/audio.h"
#include "screens/game.h"
#include "screens/menu_common.h"
#include "screens/messages.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"
#include "screens/sliding.h"

namespace {

constexpr int kItemCount = 5;
constexpr int kItemsX = 235;
constexpr double kItemsRestY = 270;
constexpr double kItemsHiddenY = 480;
constexpr std::array<const char*, kItemCount> kItemPictures = {"sg", "op", "in", "cr", "exit"};

// Each title piece moves only until it has arrived; nothing resets them, so they fly in once.
void MoveTitlePieces(MainMenuState& menu, int32_t lag) {
    SlideIn(menu.TitleSmX, menu.TitleSmArrived, 30.0, 0.8, lag);
    SlideIn(menu.TitleM2X, menu.TitleM2Arrived, 37.0, -1.6, lag);
    SlideIn(menu.TitleBombaY, menu.TitleBombaArrived, 13.0, 1.6, lag);
}

void DrawTitle(Game& game) {
    const MainMenuState& menu = game.screens.menu;
    DrawMenuPicture(game, "background", 0, 0);
    DrawMenuPicture(game, "m2", static_cast<int>(menu.TitleM2X), 20);
    DrawMenuPicture(game, "sm", static_cast<int>(menu.TitleSmX), 20);
    DrawMenuPicture(game, "bomba", 469, static_cast<int>(menu.TitleBombaY));
}

void ActivateItem(Game& game, int32_t item) {
    switch (item) {
        case 1:
            SetScreen(game, Screen::PlayersLevels);
            break;
        case 2:
            SetScreen(game, Screen::Options);
            break;
        case 3:
            SetScreen(game, Screen::Information);
            break;
        case 4:
            SetScreen(game, Screen::Credits);
            break;
        case 5:
            game.ExitRequested = true;
            break;
        default:
            break;
    }
}

void SlideItems(Game& game, int32_t lag) {
    MainMenuState& menu = game.screens.menu;
    SlideIn(menu.MenuItemsY, menu.MenuItemsArrived, kItemsRestY, -1, lag);
    if (menu.MenuLeaving) {
        menu.MenuItemsY += lag;
        if (menu.MenuItemsY > kItemsHiddenY) {
            game.screens.info.InfoPage = 1;
            menu.MenuLeaving = false;
            ActivateItem(game, menu.MenuSelection);
        }
    }
}

// The hover zones are fixed screen rows of 40 pixels and do not follow the sliding items.
void HoverItems(Game& game) {
    InputFlags& in = game.input;
    if (!in.MouseMoved) return;
    if (InsideExclusive(in.MouseX, in.MouseY, 235, 270, 435, 470)) {
        game.screens.menu.MenuSelection = 1 + (in.MouseY - 270) / 40;  // y 310 starts item 2
    }
    in.MouseMoved = false;
}

void ReadMenuInput(Game& game, int32_t lag) {
    MainMenuState& menu = game.screens.menu;
    InputStates& states = game.media.Input;
    if (states.Has(isUp)) menu.MenuSelection -= 1, states.Remove(isUp), menu.MenuBlink = 100;
    if (states.Has(isDown)) menu.MenuSelection += 1, states.Remove(isDown), menu.MenuBlink = 100;
    if (states.Has(isButton1)) {
        menu.MenuLeaving = true;
        PlaySound(game.Sound(), "ok");
        states.Remove(isButton1);
    }
    if (game.input.EscapePressed)
        ShowMessage(game, MessageId::UseExitToQuit);  // Escape never leaves the main menu
    if (menu.MenuSelection < 1) menu.MenuSelection = kItemCount;
    if (menu.MenuSelection > kItemCount) menu.MenuSelection = 1;
    menu.MenuBlink += lag / 3;
    if (menu.MenuBlink > 200) menu.MenuBlink = 1;
    // After the fire test, so a click that comes with a move activates the item under the pointer.
    HoverItems(game);
}

// The highlighted item is hidden while the blink phase is 100 to 200.
void DrawItems(Game& game) {
    const MainMenuState& menu = game.screens.menu;
    for (int item = 1; item <= kItemCount; ++item) {
        if (item == menu.MenuSelection && menu.MenuBlink >= 100) continue;
        DrawMenuPicture(game, kItemPictures[item - 1], kItemsX,
                        static_cast<int>(menu.MenuItemsY + 40 * (item - 1)));
    }
}

}  // namespace

void MainMenuTick(Game& game, int32_t lag) {
    MainMenuState& menu = game.screens.menu;
    MoveTitlePieces(menu, lag);
    DrawTitle(game);
    // Until "sm" has arrived the items are neither drawn nor read, and Escape stays standing.
    if (menu.TitleSmArrived) {
        // Tested before the slides: the tick in which the items come to rest, or in which the
        // slide-out ends, reads no input, so a fire press then is left for the next tick/screen.
        const bool reading = menu.MenuItemsArrived && !menu.MenuLeaving;
        SlideItems(game, lag);
        if (reading) ReadMenuInput(game, lag);
        game.input.EscapePressed = false;
        DrawItems(game);
    }
    DrawMousePointer(game);
}
