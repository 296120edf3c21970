// One tick of the frame loop: what every frame does around the current screen's tick.
#include "app/frame.h"

#include <string>

#include "app/startup.h"
#include "screens/game.h"

namespace {

void DrawFrameRate(Game& game) {
    TextCanvas& canvas = game.media.Canvas;
    canvas.SetFont("Arial", 12);
    canvas.SetColor(0xFFFFFF);
    canvas.WriteText(game.media.Back, 0, 0, "FPS: " + std::to_string(game.timer.TicksPerSecond));
    canvas.ReleaseCanvas();
}

}  // namespace

bool FrameDue(const Game& game) {
    const Display& display = game.media.Screen;
    return display.DisplayReady() && (game.WindowFocused || !display.FullScreen());
}

void RunFrame(Game& game, int32_t lag) {
    if (lag < 1) lag = 1;
    if (!FrameDue(game)) return;
    // The frame's drawing is recorded and then carried out where it differs from the last one.
    game.media.BackDrawing.StartFrame();
    game.media.Sounds.NextTick();  // one copy of each sound per tick
    game.media.Input.PollInput();
    AgeMessages(game, lag);
    if (game.ScreenTick) game.ScreenTick(game, lag);
    if (game.ExitRequested) {
        game.ExitRequested = false;
        ShutdownSequence(game);
    }
    if (game.input.ShowFps) DrawFrameRate(game);
    DrawMessages(game);
    game.media.BackDrawing.FinishFrame();
    game.media.Screen.ShowFrame(game.media.Back);
}
