// Window-system keys as the virtual key codes the game's key handlers see.
#include "app/virtual_keys.h"

#include <gtest/gtest.h>

#include "screens/input_flags.h"

namespace {

SDL_Keysym Key(SDL_Scancode code, SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
    SDL_Keysym k{};
    k.scancode = code;
    k.sym = sym;
    k.mod = mod;
    return k;
}

TEST(VirtualKeys, LettersDigitsAndFunctionKeysKeepTheirWindowsCodes) {
    EXPECT_EQ(VirtualKeyOf(Key(SDL_SCANCODE_C, SDLK_c)), 'C');
    EXPECT_EQ(VirtualKeyOf(Key(SDL_SCANCODE_C, SDLK_c, KMOD_LSHIFT)), 'C');
    EXPECT_EQ(VirtualKeyOf(Key(SDL_SCANCODE_7, SDLK_7)), '7');
    EXPECT_EQ(VirtualKeyOf(Key(SDL_SCANCODE_F1, SDLK_F1)), vkF1);
    EXPECT_EQ(VirtualKeyOf(Key(SDL_SCANCODE_F12, SDLK_F12)), vkF1 + 11);
    EXPECT_EQ(VirtualKeyOf(Key(SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN)), vkNext);
    EXPECT_EQ(VirtualKeyOf(Key(SDL_SCANCODE_RALT, SDLK_RALT)), vkMenu);
    EXPECT_EQ(VirtualKeyOf(Key(SDL_SCANCODE_F13, SDLK_F13)), 0);  // none the game uses
}

// With Num Lock on the keypad gives its digits; off, the keys printed under them, so keypad 8
// and 2 move menu selections as the arrows do.
TEST(VirtualKeys, TheKeypadFollowsNumLock) {
    struct Case {
        SDL_Scancode Code;
        SDL_Keycode Sym;
        int On, Off;
    };
    const Case cases[] = {
        {SDL_SCANCODE_KP_8, SDLK_KP_8, vkNumpad8, vkUp},
        {SDL_SCANCODE_KP_2, SDLK_KP_2, vkNumpad2, vkDown},
        {SDL_SCANCODE_KP_4, SDLK_KP_4, vkNumpad4, vkLeft},
        {SDL_SCANCODE_KP_6, SDLK_KP_6, vkNumpad6, vkRight},
        {SDL_SCANCODE_KP_9, SDLK_KP_9, 0x69, vkPrior},
        {SDL_SCANCODE_KP_3, SDLK_KP_3, 0x63, vkNext},
        {SDL_SCANCODE_KP_5, SDLK_KP_5, 0x65, 0},
        {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, vkReturn, vkReturn},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyOf(Key(c.Code, c.Sym, KMOD_NUM)), c.On) << c.Code;
        EXPECT_EQ(VirtualKeyOf(Key(c.Code, c.Sym)), c.Off) << c.Code;
    }
}

}  // namespace
