// Flags set by the window's key and mouse events between ticks and read by the screens.
#pragma once

#include <cstdint>
#include <string>

struct InputFlags {
    bool EscapePressed = false;
    bool EnterPressed = false;
    bool SnapKey = false;  // Space held
    bool BombKey = false;  // Ctrl held
    bool PageUpHeld = false, PageDownHeld = false;
    bool KeyUpPressed = false, KeyDownPressed = false;
    bool HelpKey = false;
    uint8_t LastKeyChar = 0;  // Latin-1 character of the last key typed
    bool ShowFps = false;
    bool ChangeCharacterKey = false;
    bool Paused = false;
    bool AddNameKey = false;
    bool PrevPlayerKey = false, NextPlayerKey = false;
    bool PlayerActionKey = false;
    int32_t PlayerAction = 0;  // 1 edit, 2 delete
    int32_t MouseX = 0, MouseY = 0;
    bool MouseMoved = false;
    bool MouseHeld = false;
    int32_t MouseRepeatTime = 0;
    bool ClickSeen = false;
    bool CheatEntry = false;
    std::string CheatBuffer;
    bool CheatMode = false;
    bool NameEditing = false;
    // The records: the board asked for on the players screen, a run to export from the board,
    // and any key at all (it ends a run being watched).
    bool BoardKey = false;
    bool ExportKey = false;
    bool GhostKey = false;  // G in play: show or hide the ghost
    // Backspace in play: held, and pressed since the play screen last looked.
    bool RewindHeld = false, RewindPressed = false;
    bool AnyKeyPressed = false;
};

// Windows virtual key codes as the key handlers use them.
enum VirtualKey : int {
    vkBack = 8,
    vkReturn = 13,
    vkShift = 16,
    vkControl = 17,
    vkMenu = 18,  // Alt
    vkEscape = 27,
    vkSpace = 32,
    vkPrior = 33,  // Page Up
    vkNext = 34,   // Page Down
    vkEnd = 35,
    vkHome = 36,
    vkLeft = 37,
    vkUp = 38,
    vkRight = 39,
    vkDown = 40,
    vkNumpad2 = 0x62,
    vkNumpad4 = 0x64,
    vkNumpad6 = 0x66,
    vkNumpad8 = 0x68,
    vkF1 = 112,
    vkF2 = 113,
};

// Shift state of a key event.
struct ShiftState {
    bool Shift = false, Alt = false, Ctrl = false;
};
