// The input states: the keyboard assignment and the joystick, as edges.
#include "media/input.h"

#include <SDL.h>

#include <cstdlib>

namespace {

// Keyboard assignment: up to three keys per state (virtual key codes).
struct KeyBinding {
    int vk;
    int state;
    int slot;  // which of the state's keys it is
};
constexpr KeyBinding kBindings[] = {
    {0x26, isUp, 0},      {0x68, isUp, 1},      {0x28, isDown, 0},    {0x62, isDown, 1},
    {0x25, isLeft, 0},    {0x64, isLeft, 1},    {0x27, isRight, 0},   {0x66, isRight, 1},
    {0x20, isButton1, 0}, {0x0D, isButton2, 0}, {0x71, isButton9, 0},
};
constexpr int kJoystickSlot = 3;
constexpr int kAxisDeadZone = 300;  // 30 % of the -1000..1000 range

int ScaleAxis(int16_t raw) {
    int v = static_cast<int>(raw) * 1000 / 32767;
    if (v > 1000) v = 1000;
    if (v < -1000) v = -1000;
    return std::abs(v) < kAxisDeadZone ? 0 : v;
}

}  // namespace

struct DXInput::Joystick {
    SDL_GameController* controller = nullptr;
    SDL_Joystick* joystick = nullptr;
    ~Joystick() {
        if (controller)
            SDL_GameControllerClose(controller);
        else if (joystick)
            SDL_JoystickClose(joystick);
    }
};

DXInput::DXInput() = default;
DXInput::~DXInput() {
    delete joystick_;
}

void DXInput::SetHeld(int state, int source, bool down) {
    uint8_t bit = static_cast<uint8_t>(1u << source);
    bool was = (held_[state] & bit) != 0;
    if (down == was) return;
    if (down) {
        held_[state] |= bit;
        Add(state);
    } else {
        held_[state] &= static_cast<uint8_t>(~bit);
        if (held_[state] == 0) Remove(state);
    }
}

void DXInput::KeyDown(int vk) {
    for (const KeyBinding& b : kBindings)
        if (b.vk == vk) SetHeld(b.state, b.slot, true);
}

void DXInput::KeyUp(int vk) {
    for (const KeyBinding& b : kBindings)
        if (b.vk == vk) SetHeld(b.state, b.slot, false);
}

void DXInput::ReleaseAll() {
    for (int s = 0; s < kInputStateCount; ++s) {
        if (held_[s]) Remove(s);
        held_[s] = 0;
    }
    JoyX = JoyY = 0;
    inactive_ = true;
}

// Opens the first device that is a game controller (its stick and pad are known), else device 0.
void DXInput::OpenJoystick() {
    joystick_ = new Joystick;
    for (int i = 0; i < SDL_NumJoysticks() && !joystick_->controller; ++i)
        if (SDL_IsGameController(i)) joystick_->controller = SDL_GameControllerOpen(i);
    if (!joystick_->controller) joystick_->joystick = SDL_JoystickOpen(0);
}

// Reads the open device into JoyX, JoyY and fire; false when it was unplugged.
bool DXInput::ReadJoystick(bool& fire) {
    if (joystick_->controller) {
        SDL_GameController* c = joystick_->controller;
        if (!SDL_GameControllerGetAttached(c)) return false;
        JoyX = ScaleAxis(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX));
        JoyY = ScaleAxis(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY));
        if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) JoyX = -1000;
        if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) JoyX = 1000;
        if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_UP)) JoyY = -1000;
        if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) JoyY = 1000;
        fire = SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_A) != 0;
    } else if (joystick_->joystick) {
        SDL_Joystick* j = joystick_->joystick;
        if (!SDL_JoystickGetAttached(j)) return false;
        JoyX = SDL_JoystickNumAxes(j) > 0 ? ScaleAxis(SDL_JoystickGetAxis(j, 0)) : 0;
        JoyY = SDL_JoystickNumAxes(j) > 1 ? ScaleAxis(SDL_JoystickGetAxis(j, 1)) : 0;
        fire = SDL_JoystickNumButtons(j) > 0 && SDL_JoystickGetButton(j, 0);
    }
    return true;
}

void DXInput::PollInput() {
    if (!SDL_WasInit(SDL_INIT_JOYSTICK)) return;
    // In the background the joystick keeps its last reading (SDL ignores the moves of an
    // unfocused application, not the stick held when the focus went), which would put back
    // the states released with the focus.
    if (inactive_) {
        if (!SDL_GetKeyboardFocus()) return;
        inactive_ = false;
    }
    if (!joystick_ && SDL_NumJoysticks() > 0) OpenJoystick();
    if (!joystick_) return;
    bool fire = false;
    if (!ReadJoystick(fire)) {
        // Unplugged: what it held goes up, and the next poll takes up whatever is plugged in.
        delete joystick_;
        joystick_ = nullptr;
        JoyX = JoyY = 0;
    }
    SetHeld(isLeft, kJoystickSlot, JoyX < 0);
    SetHeld(isRight, kJoystickSlot, JoyX > 0);
    SetHeld(isUp, kJoystickSlot, JoyY < 0);
    SetHeld(isDown, kJoystickSlot, JoyY > 0);
    SetHeld(isButton1, kJoystickSlot, fire);
}
