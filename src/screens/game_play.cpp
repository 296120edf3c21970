// The game-play screen: the player's controls, the world's tick, the frame and the screen changes.
#include <cmath>
#include <cstdlib>

#include "game/camera.h"
#include "game/cell_animation.h"
#include "game/play_tick.h"
#include "render/playfield.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"

namespace {

// The joystick wins over the keyboard when it is off centre; of the keys, a later state
// overrides an earlier one (right over left over down over up).
Direction ReadDirection(const InputStates& input) {
    Direction dir = Direction::None;
    if (input.JoyX != 0 || input.JoyY != 0) {
        int m = 0;
        if (input.JoyY < 0) {
            dir = Direction::Up;
            m = std::abs(input.JoyY);
        }
        if (input.JoyY > m) {
            dir = Direction::Down;
            m = std::abs(input.JoyY);
        }
        if (input.JoyX < -m) {
            dir = Direction::Left;
            m = std::abs(input.JoyX);
        }
        if (input.JoyX > m) dir = Direction::Right;
        return dir;
    }
    if (input.Has(isUp)) dir = Direction::Up;
    if (input.Has(isDown)) dir = Direction::Down;
    if (input.Has(isLeft)) dir = Direction::Left;
    if (input.Has(isRight)) dir = Direction::Right;
    return dir;
}

}  // namespace

void TakePlayerControls(Game& game) {
    World& world = game.world;
    world.controls.Steer = ReadDirection(game.media.Input);
    world.controls.Snap = game.input.SnapKey;
    world.controls.Bomb = game.input.BombKey;
    world.Speed = game.settings.Speed;
}

namespace {

// The end checks and the key requests are independent: several may switch screens in one tick,
// and the last switch wins.
void ChangeScreens(Game& game, int32_t lag) {
    InputFlags& in = game.input;
    if (in.EscapePressed && !game.world.play.LevelAborted) {
        GiveUp(game.world, game.events);
        in.EscapePressed = false;
        in.Paused = false;
    }
    const LevelEndCheck end = CheckLevelEnd(game.world, lag);
    if (end.NoLivesLeft) in.Paused = false;
    if (end.EndScreenDue) SetScreen(game, Screen::LevelEnd);
    if (in.ChangeCharacterKey) {
        in.Paused = false;
        SetScreen(game, Screen::CharacterSelect);
    }
    if (in.HelpKey) {
        in.Paused = false;
        SetScreen(game, Screen::Information);
    }
}

}  // namespace

void DrawPlayFrame(Game& game, int32_t lag) {
    // The cells animate on while the game is paused and under the level-end picture.
    AnimateCells(game.world.level, game.world.tiles, lag);
    DrawWorldAsItIs(game);
}

void DrawWorldAsItIs(Game& game) {
    World& world = game.world;
    UpdateView(world);
    Media& media = game.media;
    GhostFigure ghost;
    const GhostSample* at = GhostNow(game);
    if (at) ghost = GhostFigure{at->X, at->Y, game.run.GhostCharacter};
    const PlayFieldCanvas canvas{media.Back,        media.TilePictures,   media.GamePictures,
                                 media.Sprites,     *media.PlayerSprite,  game.settings.Character,
                                 game.input.Paused, at ? &ghost : nullptr};
    DrawPlayField(canvas, world);
}

namespace {

// Holding Backspace this long goes on stepping back, about twice as fast as time ran.
constexpr int32_t kHoldBeforeRunningBackMs = 300;

// Backspace steps the run back: a press by one second of game time (by one tick while paused),
// and held after a moment by twice the tick's time every tick. True when this tick went back
// in time instead of on.
bool StepBackInTime(Game& game, int32_t lag) {
    InputFlags& in = game.input;
    RunInPlay& run = game.run;
    run.Rewinding = false;
    if (!in.RewindHeld && !in.RewindPressed) {
        run.RewindHeldMs = 0;
        return false;
    }
    const bool press = in.RewindPressed;
    in.RewindPressed = false;
    if (!run.RewindOn || !run.Recording || game.world.play.LevelAborted || run.Timeline.Last() < 1)
        return false;
    run.RewindHeldMs = press ? 0 : run.RewindHeldMs + lag;
    const RewindTimeline& timeline = run.Timeline;
    const double now = timeline.TimeAt(timeline.Last());
    int64_t target = -1;
    if (in.Paused) {
        if (press) target = run.Ticks - 1;
    } else if (press) {
        target = timeline.TickAtTime(now - 1000);
    } else if (run.RewindHeldMs > kHoldBeforeRunningBackMs) {
        target = timeline.TickAtTime(now - 2.0 * lag);
    }
    if (target >= 1 && target < run.Ticks) RewindRun(game, target);
    run.Rewinding = true;
    return true;
}

void DrawRewindMark(Game& game) {
    TextCanvas& canvas = game.media.Canvas;
    canvas.SetFont("Arial", 14);
    canvas.SetColor(0x000000);
    canvas.WriteText(game.media.Back, 15, 13, "<< rewind");
    canvas.SetColor(0x40D8FF);
    canvas.WriteText(game.media.Back, 14, 12, "<< rewind");
    canvas.ReleaseCanvas();
}

}  // namespace

void GamePlayTick(Game& game, int32_t lag) {
    if (StepBackInTime(game, lag)) {
        DrawWorldAsItIs(game);
        DrawRewindMark(game);
        return;
    }
    if (game.input.GhostKey) {
        game.input.GhostKey = false;
        SetGhostShown(game, !game.run.ShowGhost);
        ShowMessage(game, game.run.ShowGhost ? MessageId::GhostShown : MessageId::GhostHidden);
    }
    if (!game.input.Paused) {
        TakePlayerControls(game);
        AdvanceWorld(game.world, game.events, lag);
    }
    DrawPlayFrame(game, lag);
    ChangeScreens(game, lag);
    RecordPlayTick(game, lag);
    const Screen now = game.screens.CurrentScreen;
    if (now == Screen::CharacterSelect || now == Screen::Information) RunLeftThePlayScreen(game);
    if (now == Screen::LevelEnd) EndRun(game);
}

void ResetPlayScreens(Game& game) {
    ResetPlayState(game.world);
}
