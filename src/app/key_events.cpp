// The main window's key and mouse events: flags for the next tick, and the keys that act at once.
#include "app/key_events.h"

#include <cctype>
#include <string>

#include "app/startup.h"
#include "audio/audio.h"
#include "game/player.h"
#include "screens/game.h"
#include "screens/screen_dispatch.h"

namespace {

constexpr const char* kCheatCode = "quixbrolem";

void MusicSwitch(Game& game) {
    Settings& s = game.settings;
    s.MusicEnabled = !s.MusicEnabled;
    if (!s.MusicEnabled) {
        StopMusic(game.Sound());
        game.audio.CurrentSong = -1;
        ShowMessage(game, MessageId::MusicDisabled);
        return;
    }
    const Screen screen = game.screens.CurrentScreen;
    int32_t song = 1;
    if (screen == Screen::GamePlay || screen == Screen::CharacterSelect) {
        int level = game.world.play.CurrentLevel;
        song = (level >= 0 && level <= kMaxLevelSongs) ? s.LevelSongs[level] : -2;
    }
    if (PlaySong(game.Sound(), song))
        ShowMessage(game, MessageId::MusicEnabled);
    else
        s.MusicEnabled = 0;
}

void SoundsSwitch(Game& game) {
    Settings& s = game.settings;
    s.SoundsEnabled = !s.SoundsEnabled;
    if (!s.SoundsEnabled) {
        ShowMessage(game, MessageId::SoundsDisabled);
        return;
    }
    if (MakeSoundReady(game.Sound())) ShowMessage(game, MessageId::SoundsEnabled);
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
    if (c == 'c' && game.screens.CurrentScreen == Screen::GamePlay) in.ChangeCharacterKey = true;
    if (c == 'p') in.Paused = !in.Paused;
    if (c == 't') {
        game.settings.ShowTips = !game.settings.ShowTips;
        ShowMessage(game,
                    game.settings.ShowTips ? MessageId::TipsEnabled : MessageId::TipsDisabled);
    }
    if (c == 'd' && in.CheatMode) {
        game.world.play.Mortal = !game.world.play.Mortal;
        ShowMessage(game,
                    game.world.play.Mortal ? MessageId::InvincibleOff : MessageId::InvincibleOn);
    }
    if (c == 'b' && in.CheatMode) CollectBomb(game.world, game.events);
    if (c == 'a') in.AddNameKey = true;
    if (c == 'h' && game.screens.CurrentScreen == Screen::PlayersLevels) in.BoardKey = true;
    if (c == 'x' && game.screens.CurrentScreen == Screen::RecordsBoard) in.ExportKey = true;
    if (c == 'g' && game.screens.CurrentScreen == Screen::GamePlay) in.GhostKey = true;
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

void OnKeyDown(Game& game, int key, ShiftState shift) {
    InputFlags& in = game.input;
    InputStates& states = game.media.Input;
    in.AnyKeyPressed = true;
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
    // The system repeats a held key: only the first press of Backspace is a tap.
    if (key == vkBack && !in.NameEditing) {
        if (!in.RewindHeld) in.RewindPressed = true;
        in.RewindHeld = true;
    }
    // F1 and C ask to leave a running level and come back to it; elsewhere a stale request
    // would later send the information or character screen "back" into a level never loaded.
    bool playing = game.screens.CurrentScreen == Screen::GamePlay;
    if (key == vkF1 && !in.NameEditing && !in.HelpKey && playing) in.HelpKey = true;
    if (key == vkReturn && shift.Alt) ToggleDisplayMode(game);
}

void OnKeyUp(Game& game, int key, ShiftState shift) {
    InputFlags& in = game.input;
    InputStates& states = game.media.Input;
    if (key == vkSpace) in.SnapKey = false;
    if (!shift.Ctrl) in.BombKey = false;
    if (key == vkReturn && !shift.Alt && !in.NameEditing) {
        if (states.Has(isButton1)) states.Remove(isButton1);
        in.EnterPressed = false;
    }
    if (key == vkPrior) in.PageUpHeld = false;
    if (key == vkNext) in.PageDownHeld = false;
    if (key == vkBack) in.RewindHeld = false;
}

void OnCharTyped(Game& game, uint8_t key) {
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

void PressMouseButton(Game& game) {
    game.media.Input.Add(isButton1);
    game.input.MouseRepeatTime = 0;
    game.input.MouseHeld = true;
}

// The window reports a move only when the pointer is somewhere new; a press where the last move
// left it is the press alone, so menus act on the item chosen with the keys.
void MouseDownAt(Game& game, int x, int y) {
    if (x != game.input.MouseX || y != game.input.MouseY) OnMouseMove(game, x, y);
    PressMouseButton(game);
}

void OnMouseMove(Game& game, int x, int y) {
    game.input.MouseX = x;
    game.input.MouseY = y;
    game.input.MouseMoved = true;
}

void OnMouseUp(Game& game) {
    game.input.MouseHeld = false;
}

void OnFocusChanged(Game& game, bool focused) {
    game.WindowFocused = focused;
    const std::string title = "Tolmara Deepgrid";
    game.media.Screen.SetCaption(focused ? title : title + " [Pause]");
    if (focused) return;
    game.media.Input.ReleaseAll();
    game.input.SnapKey = game.input.BombKey = false;
}

void ToggleDisplayMode(Game& game) {
    Display& display = game.media.Screen;
    bool full = display.FullScreen();
    OnDisplayLost(game);
    display.StopDisplay();
    display.StartDisplay(!full, "Tolmara Deepgrid");
    OnDisplayReady(game);
}
