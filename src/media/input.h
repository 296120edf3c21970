// The input states (up, down, left, right, fire and further buttons) fed by keys and the joystick.
#pragma once

#include <bitset>
#include <cstdint>

enum InputStateCode : int {
    isUp = 0,
    isDown = 1,
    isLeft = 2,
    isRight = 3,
    isButton1 = 4,  // the fire state
    isButton2 = 5,
    isButton9 = 12,
};
constexpr int kInputStateCount = 36;

// `DXInput`: a state is added when one of its keys or buttons goes down and removed when it goes
// up; never set from the current key levels, so a state the game removed (consumed) stays off
// while its key is held, and a state the game added (Enter, a mouse button) survives the poll.
class DXInput {
  public:
    DXInput();
    ~DXInput();
    DXInput(const DXInput&) = delete;
    DXInput& operator=(const DXInput&) = delete;

    bool Has(int state) const { return states_.test(static_cast<size_t>(state)); }
    void Add(int state) { states_.set(static_cast<size_t>(state)); }
    void Remove(int state) { states_.reset(static_cast<size_t>(state)); }
    void Clear() { states_.reset(); }

    // A key of the keyboard assignment went down or up (virtual key code). Key repeats must not
    // be passed here.
    void KeyDown(int vk);
    void KeyUp(int vk);
    // Releases every held key and button (the window lost the focus). Until a window has the
    // keyboard focus again, PollInput reads nothing.
    void ReleaseAll();
    // Reads the joystick (device 0 or the first game controller) and applies its edges; only
    // while the application is active.
    void PollInput();

    int JoyX = 0, JoyY = 0;  // -1000..1000, 0 inside the dead zone

  private:
    void SetHeld(int state, int source, bool down);
    void OpenJoystick();
    bool ReadJoystick(bool& fire);
    std::bitset<kInputStateCount> states_;
    // Which sources hold each state: bit 0..2 keys of the assignment, bit 3 the joystick.
    uint8_t held_[kInputStateCount] = {};
    bool inactive_ = false;  // the window lost the focus and has not had it back yet
    struct Joystick;
    Joystick* joystick_ = nullptr;
};
