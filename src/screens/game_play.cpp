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
    World& world = game.world;
    // The cells animate on while the game is paused and under the level-end picture.
    AnimateCells(world.level, world.tiles, lag);
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

void GamePlayTick(Game& game, int32_t lag) {
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
