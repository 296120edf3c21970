// The information pages (from the main menu or from play with F1), the scrolling credits and
// the game finished screen; each is left with Escape only.
#include <array>

#include "audio/audio.h"
#include "screens/game.h"
#include "screens/menu_common.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"

namespace {

constexpr int kPageCount = 7;
constexpr std::array<const char*, kPageCount> kPagePictures = {"c",  "c1", "c2", "c3",
                                                               "c4", "c5", "c6"};
constexpr std::array<const char*, kPageCount> kPageNumbers = {"p1", "p2", "p3", "p4",
                                                              "p5", "p6", "p7"};
constexpr double kScrollPerMs = 0.05;  // 20 pixels per second
constexpr double kCreditsEndY = -1200;
constexpr double kFinishedEndY = 200;

// The page buttons: previous above y 424, next below y 432, nothing in between.
int32_t PageButtonClicked(const Game& game) {
    const InputFlags& in = game.input;
    if (!in.ClickSeen || !InsideExclusive(in.MouseX, in.MouseY, 50, 400, 127, 457)) return 0;
    if (in.MouseY < 424) return 1;
    if (in.MouseY > 432) return 2;
    return 0;
}

// The click sounds even when the page cannot move further.
void TurnPages(Game& game) {
    InfoState& info = game.screens.info;
    InputFlags& in = game.input;
    info.InfoButton = PageButtonClicked(game);
    if (in.PageUpHeld || info.InfoButton == 1) {
        info.InfoPage -= 1, in.PageUpHeld = false;
        PlaySound(game.Sound(), "click");
    }
    if (in.PageDownHeld || info.InfoButton == 2) {
        info.InfoPage += 1, in.PageDownHeld = false;
        PlaySound(game.Sound(), "click");
    }
    if (info.InfoPage < 1) info.InfoPage = 1;
    if (info.InfoPage > kPageCount) info.InfoPage = kPageCount;
}

// Called from play with F1 the screen goes back into the interrupted level.
void LeaveInformation(Game& game) {
    ResetScreenState(game);
    if (game.input.HelpKey) {
        SetScreen(game, Screen::GamePlay);
        game.input.HelpKey = false;
    } else {
        SetScreen(game, Screen::MenuReturn);
    }
}

}  // namespace

void InformationTick(Game& game, int32_t) {
    InputFlags& in = game.input;
    in.ClickSeen = TakeFireState(game);
    TurnPages(game);
    if (in.EscapePressed) LeaveInformation(game);
    in.EscapePressed = false;
    const int page = game.screens.info.InfoPage - 1;
    DrawMenuPicture(game, "informatii", 0, 0);
    DrawMenuPicture(game, kPagePictures[page], 0, 0);
    DrawMenuPicture(game, "updown", 50, 400);
    DrawMenuPicture(game, kPageNumbers[page], 500, 430);
    DrawMousePointer(game);
}

void CreditsTick(Game& game, int32_t lag) {
    InfoState& info = game.screens.info;
    DrawMenuPicture(game, "informatii", 0, 0);
    info.CreditsY -= lag * kScrollPerMs;
    if (info.CreditsY < kCreditsEndY) info.CreditsY = kCreditsEndY;
    DrawMenuPicture(game, "credits", 250, static_cast<int>(info.CreditsY));
    DrawMenuPicture(game, "informatii2", 0, 0);  // the frame the credits are seen through
    game.media.Input.Remove(isButton1);          // fire has no use here
    if (game.input.EscapePressed) {
        SetScreen(game, Screen::MenuReturn);
        game.input.EscapePressed = false;
    }
    DrawMousePointer(game);
}

// Drawn from the game's own pictures; no pointer on this screen.
void GameFinishedTick(Game& game, int32_t lag) {
    InfoState& info = game.screens.info;
    PictureList& pictures = game.media.GamePictures;
    pictures.FindPicture("terminat").DrawPattern(game.media.Back, 0, 0, 0);
    info.FinishedY -= lag * kScrollPerMs;
    if (info.FinishedY < kFinishedEndY) info.FinishedY = kFinishedEndY;
    pictures.FindPicture("termina").DrawPattern(game.media.Back, 125,
                                                static_cast<int>(info.FinishedY), 0);
    if (game.input.EscapePressed) {
        ResetScreenState(game);
        SetScreen(game, Screen::PlayersLevels);
        game.input.EscapePressed = false;
    }
}
