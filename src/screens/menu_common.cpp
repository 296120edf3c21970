// Drawing helpers shared by the menu screens.
#include "screens/menu_common.h"

#include "screens/game.h"

void DrawMenuPicture(Game& game, const std::string& name, int x, int y) {
    game.media.MenuPictures.FindPicture(name).DrawPattern(game.media.Back, x, y, 0);
}

void DrawMenuBackdrop(Game& game) {
    DrawMenuPicture(game, "background", 0, 0);
    DrawMenuPicture(game, "m2", 37, 20);
    DrawMenuPicture(game, "sm", 30, 20);
    DrawMenuPicture(game, "bomba", 469, 13);
}

void DrawMousePointer(Game& game) {
    DrawMenuPicture(game, "mouse", game.input.MouseX, game.input.MouseY);
}

int WriteMenuText(Game& game, int x, int y, uint32_t bgr, const std::string& latin1) {
    TextCanvas& canvas = game.media.Canvas;
    canvas.SetFont("Arial", 14);
    canvas.SetColor(bgr);
    canvas.WriteText(game.media.Back, x, y, latin1);
    const int width = canvas.TextPixelWidth(latin1);
    canvas.ReleaseCanvas();
    return width;
}

bool PointerInside(const Game& game, int left, int top, int right, int bottom) {
    return InsideExclusive(game.input.MouseX, game.input.MouseY, left, top, right, bottom);
}

bool TakeFireState(Game& game) {
    const bool fire = game.media.Input.Has(isButton1);
    game.media.Input.Remove(isButton1);
    return fire;
}
