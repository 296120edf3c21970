// The main window's key and mouse events: flags for the next tick, and the keys that act at once.
#include "app/key_events.h"

#include <cctype>

#include "app/game.h"
#include "app/screen_dispatch.h"
#include "app/startup.h"
#include "audio/audio.h"
#include "game/player.h"

namespace {

constexpr const char* kCheatCode = "quixbrolem";

void MusicSwitch(Game& game) {
    Settings& s = game.settings;
    s.MusicEnabled = !s.MusicEnabled;
    if (!s.MusicEnabled) {
        StopMusic(game);
        game.audio.CurrentSong = -1;
        ShowMessage(game, 3);
        return;
    }
    int screen = game.screens.CurrentScreen;
    int32_t song = 1;
    if (screen == scGamePlay || screen == scCharacterSelect) {
        int level = game.play.CurrentLevel;
        song = (level >= 0 && level <= kMaxLevelSongs) ? s.LevelSongs[level] : -2;
    }
    if (PlaySong(game, song))
        ShowMessage(game, 2);
    else
        s.MusicEnabled = 0;
}

void SoundsSwitch(Game& game) {
    Settings& s = game.settings;
    s.SoundsEnabled = !s.SoundsEnabled;
    if (!s.SoundsEnabled) {
        ShowMessage(game, 5);
        return;
    }
    if (MakeSoundReady(game)) ShowMessage(game, 4);
}

void ChangeSpeed(Game& game, int delta) {
    int speed = game.settings.Speed + delta;
    if (speed < 200) speed = 200;
    if (speed > 400) speed = 400;
    game.settings.Speed = speed;
    ApplySpeed(game);
}

// The letter commands of a typed key (cheat entry not active, not typing a name).
void LetterCommand(Game& game, uint8_t key) {
    InputFlags& in = game.input;
    int c = std::tolower(key);
    if (c == 'r') in.ShowFps = !in.ShowFps;
    if (c == 'c' && game.screens.CurrentScreen == scGamePlay) in.ChangeCharacterKey = true;
    if (c == 'p') in.Paused = !in.Paused;
    if (c == 't') {
        game.settings.ShowTips = !game.settings.ShowTips;
        ShowMessage(game, game.settings.ShowTips ? 15 : 16);
    }
    if (c == 'd' && in.CheatMode) {
        game.play.Mortal = !game.play.Mortal;
        ShowMessage(game, game.play.Mortal ? 14 : 13);
    }
    if (c == 'b' && in.CheatMode) CollectBomb(game);
    if (c == 'a') in.AddNameKey = true;
    if (key == ';' || key == ':') in.PrevPlayerKey = true;
    if (key == '.' || key == '>') in.NextPlayerKey = true;
    if (c == 'e') {
        in.PlayerActionKey = true;
        in.PlayerAction = 1;
    }
    if (c == 'd') {
        in.PlayerActionKey = true;
        in.PlayerAction = 2;
    }
    if (key == '-' || key == '_') ChangeSpeed(game, -50);
    if (key == '+' || key == '=') ChangeSpeed(game, 50);
    if (c == 'm') MusicSwitch(game);
    if (c == 's') SoundsSwitch(game);
}

}  // namespace

void FormKeyDown(Game& game, int key, ShiftState shift) {
    InputFlags& in = game.input;
    DXInput& states = game.media.Input;
    if (key == vkEscape) in.EscapePressed = true;
    if (key == vkReturn && !shift.Alt && !in.NameEditing) {
        if (!states.Has(isButton1)) states.Add(isButton1);
        in.EnterPressed = true;
    }
    if (key == vkSpace) in.SnapKey = true;
    if (shift.Ctrl) in.BombKey = true;
    if (key == vkPrior) in.PageUpHeld = true;
    if (key == vkNext) in.PageDownHeld = true;
    if (key == vkUp) in.KeyUpPressed = true;
    if (key == vkDown) in.KeyDownPressed = true;
    // F1 and C ask to leave a running level and come back to it; elsewhere a stale request
    // would later send the information or character screen "back" into a level never loaded.
    bool playing = game.screens.CurrentScreen == scGamePlay;
    if (key == vkF1 && !in.NameEditing && !in.HelpKey && playing) in.HelpKey = true;
    if (key == vkReturn && shift.Alt) ToggleDisplayMode(game);
}

void FormKeyUp(Game& game, int key, ShiftState shift) {
    InputFlags& in = game.input;
    DXInput& states = game.media.Input;
    if (key == vkSpace) in.SnapKey = false;
    if (!shift.Ctrl) in.BombKey = false;
    if (key == vkReturn && !shift.Alt && !in.NameEditing) {
        if (states.Has(isButton1)) states.Remove(isButton1);
        in.EnterPressed = false;
    }
    if (key == vkPrior) in.PageUpHeld = false;
    if (key == vkNext) in.PageDownHeld = false;
}

void FormKeyPress(Game& game, uint8_t key) {
    InputFlags& in = game.input;
    in.LastKeyChar = key;
    if (key == static_cast<uint8_t>(kCheatCode[0]) && !in.NameEditing && !in.CheatMode)
        in.CheatEntry = !in.CheatEntry;
    if (in.CheatEntry) {
        in.CheatBuffer.push_back(static_cast<char>(key));
        if (in.CheatBuffer.size() > 10) in.CheatBuffer.erase(0, in.CheatBuffer.size() - 10);
        if (in.CheatBuffer == kCheatCode) {
            in.CheatMode = true;
            in.CheatEntry = false;
        }
        return;
    }
    if (!in.NameEditing) LetterCommand(game, key);
}

void DXDrawMouseDown(Game& game) {
    game.media.Input.Add(isButton1);
    game.input.MouseRepeatTime = 0;
    game.input.MouseHeld = true;
}

// The window reports a move only when the pointer is somewhere new; a press where the last move
// left it is the press alone, so menus act on the item chosen with the keys.
void MouseDownAt(Game& game, int x, int y) {
    if (x != game.input.MouseX || y != game.input.MouseY) DXDrawMouseMove(game, x, y);
    DXDrawMouseDown(game);
}

void DXDrawMouseMove(Game& game, int x, int y) {
    game.input.MouseX = x;
    game.input.MouseY = y;
    game.input.MouseMoved = true;
}

void dxdrawMouseUp(Game& game) {
    game.input.MouseHeld = false;
}

void ToggleDisplayMode(Game& game) {
    Display& display = game.media.dxdraw;
    bool full = display.FullScreen();
    DXDrawFinalize(game);
    display.StopDisplay();
    display.StartDisplay(!full, "Tolmara Deepgrid");
    DXDrawInitialize(game);
}
