// Keys of the window system as the Windows virtual key codes the key handlers use.
#include "app/virtual_keys.h"

#include "app/input_flags.h"

namespace {

// The keypad: Enter is always Enter; the digits need Num Lock, else they are the keys printed
// under them. Keypad 5 without Num Lock does nothing the game uses.
int KeypadKeyOf(SDL_Scancode code, bool numLock) {
    struct Keypad {
        SDL_Scancode Code;
        int Digit, Navigation;
    };
    static constexpr Keypad kKeys[] = {
        {SDL_SCANCODE_KP_8, vkNumpad8, vkUp},   {SDL_SCANCODE_KP_2, vkNumpad2, vkDown},
        {SDL_SCANCODE_KP_4, vkNumpad4, vkLeft}, {SDL_SCANCODE_KP_6, vkNumpad6, vkRight},
        {SDL_SCANCODE_KP_7, 0x67, vkHome},      {SDL_SCANCODE_KP_9, 0x69, vkPrior},
        {SDL_SCANCODE_KP_1, 0x61, vkEnd},       {SDL_SCANCODE_KP_3, 0x63, vkNext},
        {SDL_SCANCODE_KP_0, 0x60, 45},          {SDL_SCANCODE_KP_5, 0x65, 0},
        {SDL_SCANCODE_KP_PERIOD, 0x6E, 46},
    };
    if (code == SDL_SCANCODE_KP_ENTER) return vkReturn;
    for (const Keypad& k : kKeys)
        if (k.Code == code) return numLock ? k.Digit : k.Navigation;
    return -1;  // not a keypad key
}

}  // namespace

int VirtualKeyOf(const SDL_Keysym& key) {
    const int keypad = KeypadKeyOf(key.scancode, (key.mod & KMOD_NUM) != 0);
    if (keypad >= 0) return keypad;
    SDL_Keycode k = key.sym;
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return vkF1 + (k - SDLK_F1);
    switch (k) {
        case SDLK_BACKSPACE:
            return vkBack;
        case SDLK_TAB:
            return 9;
        case SDLK_RETURN:
            return vkReturn;
        case SDLK_ESCAPE:
            return vkEscape;
        case SDLK_SPACE:
            return vkSpace;
        case SDLK_PAGEUP:
            return vkPrior;
        case SDLK_PAGEDOWN:
            return vkNext;
        case SDLK_END:
            return vkEnd;
        case SDLK_HOME:
            return vkHome;
        case SDLK_LEFT:
            return vkLeft;
        case SDLK_UP:
            return vkUp;
        case SDLK_RIGHT:
            return vkRight;
        case SDLK_DOWN:
            return vkDown;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return vkShift;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return vkControl;
        case SDLK_LALT:
        case SDLK_RALT:
            return vkMenu;
        case SDLK_INSERT:
            return 45;
        case SDLK_DELETE:
            return 46;
        default:
            return 0;
    }
}
