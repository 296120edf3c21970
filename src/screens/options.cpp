// The options screen: switches and speed on working copies that "ok" confirms and saves, live
// volume sliders that "back" and Escape undo by reading the configuration file again.
#include <utility>

#include "audio/audio.h"
#include "screens/game.h"
#include "screens/menu_common.h"
#include "screens/messages.h"
#include "screens/options_screen.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"
#include "screens/sliding.h"
#include "store/settings.h"

namespace {

constexpr int kOptionCount = 8;
constexpr int kColumnRestX = 256;
constexpr int kButtonsRestY = 445;  // below the eight rows
constexpr int kTrackX = 326;        // x of every value at rest: the column's rest x + 70

int32_t ClampInt(int32_t v, int32_t low, int32_t high) {
    return v < low ? low : (v > high ? high : v);
}

void SlideColumnsIn(OptionsState& opt, int32_t lag) {
    SlideIn(opt.OptLeftX, opt.OptLeftArrived, kColumnRestX, 1, lag);
    SlideIn(opt.OptRightX, opt.OptRightArrived, kColumnRestX, -1, lag);
    SlideIn(opt.OptButtonsY, opt.OptButtonsArrived, kButtonsRestY, -1, lag);
}

// The left (-1) or right (+1) key on an option: switches toggle, sliders move by 5.
void StepOption(Game& game, int32_t option, int direction) {
    OptionsState& opt = game.screens.options;
    switch (option) {
        case 1:
            opt.OptMusic = !opt.OptMusic;
            break;
        case 2:
            opt.OptSounds = !opt.OptSounds;
            break;
        case 3:
            opt.OptTips = !opt.OptTips;
            break;
        case 4:
            opt.OptSpeed += 5 * direction;
            break;
        case 5:
            SetMusicVolume(game, game.settings.MusicVolume + 5 * direction);
            break;
        case 6:
            SetSoundsVolume(game, game.settings.SoundsVolume + 5 * direction);
            break;
        case 7:
            opt.OptGhost = !opt.OptGhost;
            break;
        case 8:
            opt.OptRewind = !opt.OptRewind;
            break;
        default:
            break;
    }
}

// Switches toggle once per key press (the state is consumed); sliders move in every tick in
// which the key is held.
void ReadArrowKeys(Game& game) {
    OptionsState& opt = game.screens.options;
    InputStates& states = game.media.Input;
    if (states.Has(isUp)) opt.OptSelection -= 1, states.Remove(isUp), opt.OptBlink = 100;
    if (states.Has(isDown)) opt.OptSelection += 1, states.Remove(isDown), opt.OptBlink = 100;
    if (opt.OptSelection < 1) opt.OptSelection = kOptionCount;
    if (opt.OptSelection > kOptionCount) opt.OptSelection = 1;
    game.input.ClickSeen = TakeFireState(game);
    for (const auto& [state, direction] : {std::pair{isLeft, -1}, std::pair{isRight, 1}}) {
        if (!states.Has(state)) continue;
        StepOption(game, opt.OptSelection, direction);
        opt.OptBlink = 0;
        if (opt.OptSelection < 4 || opt.OptSelection >= 7) states.Remove(state);
    }
    opt.OptSpeed = ClampInt(opt.OptSpeed, 200, 400);
    game.settings.MusicVolume = ClampInt(game.settings.MusicVolume, 0, 255);
    game.settings.SoundsVolume = ClampInt(game.settings.SoundsVolume, 0, 255);
}

// The option row under (x, y) inside the options area, 0 when none.
int32_t OptionUnder(int x, int y) {
    if (!InsideExclusive(x, y, 326, 200, 550, 440)) return 0;
    if (y >= 410) return x < 350 ? 8 : 0;
    if (y >= 380) return x < 350 ? 7 : 0;
    if (x < 350 && y < 230) return 1;
    if (x < 350 && y < 260) return 2;
    if (x < 350 && y < 290) return 3;
    if (y > 290 && y < 320) return 4;
    if (y > 320 && y < 350) return 5;
    if (y > 350) return 6;
    return 0;
}

// A click sets a slider to the pointer's place on the track; the speed is clamped only by the
// next idle tick.
void ClickOption(Game& game, int32_t option, int x) {
    OptionsState& opt = game.screens.options;
    switch (option) {
        case 1:
        case 2:
        case 3:
        case 7:
        case 8:
            StepOption(game, option, 1);
            break;
        case 4:
            opt.OptSpeed = static_cast<int32_t>((x - kTrackX) * 1.1) + 200;
            break;
        case 5:
            SetMusicVolume(game, static_cast<int32_t>((x - kTrackX) * 1.4));
            break;
        case 6:
            SetSoundsVolume(game, static_cast<int32_t>((x - kTrackX) * 1.4));
            break;
        default:
            break;
    }
}

void ReadPointer(Game& game) {
    OptionsState& opt = game.screens.options;
    InputFlags& in = game.input;
    const int32_t under = OptionUnder(in.MouseX, in.MouseY);
    if (in.MouseMoved) {
        if (under > 0) opt.OptSelection = under;
        in.MouseMoved = false;
    }
    if (in.ClickSeen && under > 0) ClickOption(game, under, in.MouseX);
}

// "back" leaves at once; "ok" raises EnterPressed, which the every-tick test turns into leaving
// with ok; the gap between them does nothing.
void ReadButtons(Game& game) {
    OptionsState& opt = game.screens.options;
    InputFlags& in = game.input;
    if (!InsideExclusive(in.MouseX, in.MouseY, 237, kButtonsRestY + 4, 404, kButtonsRestY + 28))
        return;
    if (in.ClickSeen && !opt.OptLeaving) {
        opt.OptLeaving = true;
        if (in.MouseX < 310) {
            opt.OptAction = 1;
        } else if (in.MouseX > 330) {
            in.EnterPressed = true;
        } else {
            opt.OptAction = 0;
        }
        if (opt.OptAction > 0 || in.EnterPressed) PlaySound(game.Sound(), "ok");
    }
    if (opt.OptAction == 0) opt.OptLeaving = false;
}

void ReadOptionsInput(Game& game) {
    OptionsState& opt = game.screens.options;
    game.media.Input.PollInput();
    ReadArrowKeys(game);
    if (game.input.EscapePressed) {
        opt.OptLeaving = true, opt.OptAction = 1;
        game.input.EscapePressed = false;
        PlaySound(game.Sound(), "ok");
    }
    ReadPointer(game);
    ReadButtons(game);
}

void DrawSwitch(Game& game, uint8_t on, int x, int y) {
    DrawMenuPicture(game, on ? "opon" : "opoff", x, y);
}

void DrawSlider(Game& game, int x, int y, int knobOffset) {
    DrawMenuPicture(game, "ops", x, y + 5);
    DrawMenuPicture(game, "opss", x + knobOffset, y);
}

// The value images of one option; the highlighted one blinks (hidden while the phase is 100 to
// 200).
void DrawValue(Game& game, int32_t option) {
    const OptionsState& opt = game.screens.options;
    if (option == opt.OptSelection && opt.OptBlink >= 100) return;
    const int left = opt.OptLeftX + 70, right = opt.OptRightX + 70;
    switch (option) {
        case 1:
            DrawSwitch(game, opt.OptMusic, left, 200);
            break;
        case 2:
            DrawSwitch(game, opt.OptSounds, right, 230);
            break;
        case 3:
            DrawSwitch(game, opt.OptTips, left, 260);
            break;
        case 4:
            DrawSlider(game, right, 290, static_cast<int>((opt.OptSpeed - 200) / 1.1));
            break;
        case 5:
            DrawSlider(game, left, 320, static_cast<int>(game.settings.MusicVolume / 1.4));
            break;
        case 6:
            DrawSlider(game, right, 350, static_cast<int>(game.settings.SoundsVolume / 1.4));
            break;
        case 7:
            DrawSwitch(game, opt.OptGhost, left, 380);
            break;
        case 8:
            DrawSwitch(game, opt.OptRewind, right, 410);
            break;
        default:
            break;
    }
}

void DrawOptions(Game& game) {
    const OptionsState& opt = game.screens.options;
    DrawMenuBackdrop(game);
    DrawMenuPicture(game, "opmusic", opt.OptLeftX, 200);
    DrawMenuPicture(game, "opsounds", opt.OptRightX - 5, 230);
    DrawMenuPicture(game, "optips", opt.OptLeftX + 2, 260);
    DrawMenuPicture(game, "opspeed", opt.OptRightX - 94, 290);
    DrawMenuPicture(game, "opmusicv", opt.OptLeftX - 94, 320);
    DrawMenuPicture(game, "opsoundv", opt.OptRightX - 94, 350);
    DrawMenuPicture(game, "opghost", opt.OptLeftX - 94, 380);
    DrawMenuPicture(game, "oprewind", opt.OptRightX - 94, 410);
    for (int option = 1; option <= kOptionCount; ++option) DrawValue(game, option);
    DrawMenuPicture(game, opt.OptAction == 1 ? "backs" : "back", 249, opt.OptButtonsY);
    DrawMenuPicture(game, opt.OptAction == 2 ? "oks" : "ok", 320, opt.OptButtonsY);
    DrawMousePointer(game);
}

// "ok" puts the working copies into effect and saves; "back" and Escape restore every setting,
// the volumes included, from the file. Speed takes effect on the animations only at the next
// speed key or start, as "ok" does not recompute the rates.
void FinishOptions(Game& game) {
    OptionsState& opt = game.screens.options;
    Settings& settings = game.settings;
    if (opt.OptAction == 2) {
        settings.MusicEnabled = opt.OptMusic;
        settings.SoundsEnabled = opt.OptSounds;
        settings.ShowTips = opt.OptTips;
        settings.Speed = opt.OptSpeed;
        if (settings.MusicEnabled) {
            PlaySong(game.Sound(), 1);
        } else {
            StopMusic(game.Sound());
            game.audio.CurrentSong = -1;
        }
        ApplyVolumes(game.Sound());
        WriteConfiguration(settings, game.SaveFolder());
        if (opt.OptGhost != game.run.ShowGhost) SetGhostShown(game, opt.OptGhost);
        if (opt.OptRewind != game.run.RewindOn) SetRewindOn(game, opt.OptRewind);
    } else {
        ReadConfiguration(settings, game.SaveFolder());
        ApplyVolumes(game.Sound());
    }
    // Sounds switched on while no sound library is loaded: ready it before the menu's next sound.
    if (settings.SoundsEnabled && game.media.Sounds.Count() == 0) MakeSoundReady(game.Sound());
    SetScreen(game, Screen::MenuReturn);
}

void SlideColumnsOut(Game& game, int32_t lag) {
    OptionsState& opt = game.screens.options;
    SlideOut(opt.OptLeftX, opt.OptLeftOut, -300, -1, lag);
    SlideOut(opt.OptRightX, opt.OptRightOut, 700, 1, lag);
    // The buttons leave once the left column is well on its way.
    if (opt.OptLeftX < -200) SlideOut(opt.OptButtonsY, opt.OptButtonsOut, 480, 1, lag);
    if (!opt.OptLeftOut) FinishOptions(game);
}

}  // namespace

void SetMusicVolume(Game& game, int32_t v) {
    game.settings.MusicVolume = ClampInt(v, 0, 255);
    ApplyVolumes(game.Sound());
}

void SetSoundsVolume(Game& game, int32_t v) {
    game.settings.SoundsVolume = ClampInt(v, 0, 255);
    PlaySound(game.Sound(), "click");
    ApplyVolumes(game.Sound());
}

void EnterOptions(Game& game) {
    // The state's defaults are the entry state: columns off screen, option 1, nothing chosen.
    OptionsState& opt = game.screens.options;
    opt = OptionsState{};
    opt.OptMusic = game.settings.MusicEnabled;
    opt.OptSounds = game.settings.SoundsEnabled;
    opt.OptTips = game.settings.ShowTips;
    opt.OptSpeed = game.settings.Speed;
    opt.OptGhost = game.run.ShowGhost;
    opt.OptRewind = game.run.RewindOn;
}

void OptionsTick(Game& game, int32_t lag) {
    OptionsState& opt = game.screens.options;
    // A part still sliding in when the screen starts leaving turns round at once: sliding it in
    // and out in the same ticks would hold it in place for ever.
    if (!opt.OptLeaving) SlideColumnsIn(opt, lag);
    const bool arrived = opt.OptLeftArrived && opt.OptRightArrived && opt.OptButtonsArrived;
    if (arrived && !opt.OptLeaving) ReadOptionsInput(game);
    // The Enter key (or a click on "ok") confirms at any moment, even while the columns slide.
    if (game.input.EnterPressed) opt.OptLeaving = true, opt.OptAction = 2;
    opt.OptBlink += lag / 3;
    if (opt.OptBlink > 200) opt.OptBlink = 1;
    DrawOptions(game);
    if (opt.OptLeaving) SlideColumnsOut(game, lag);
}
