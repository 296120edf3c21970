// Tests of the input states fed by the joystick: axis range and dead zone, edges, focus loss,
// unplugging.
#include "media/input.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

// A virtual joystick with two axes and one button, standing for device 0.
class VirtualJoystick : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 1, 0);
        ASSERT_GE(index_, 0) << SDL_GetError();
        stick_ = SDL_JoystickOpen(index_);
        ASSERT_NE(stick_, nullptr) << SDL_GetError();
    }
    void TearDown() override {
        if (stick_) SDL_JoystickClose(stick_);
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    void Unplug() {
        SDL_JoystickClose(stick_);
        stick_ = nullptr;
        SDL_JoystickDetachVirtual(index_);
        index_ = -1;
        SDL_JoystickUpdate();
    }
    void PlugIn() {
        index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 1, 0);
        ASSERT_GE(index_, 0) << SDL_GetError();
        stick_ = SDL_JoystickOpen(index_);
        ASSERT_NE(stick_, nullptr) << SDL_GetError();
    }
    void Set(int16_t x, int16_t y, bool fire) {
        SDL_JoystickSetVirtualAxis(stick_, 0, x);
        SDL_JoystickSetVirtualAxis(stick_, 1, y);
        SDL_JoystickSetVirtualButton(stick_, 0, fire ? SDL_PRESSED : SDL_RELEASED);
        SDL_JoystickUpdate();
    }

    int index_ = -1;
    SDL_Joystick* stick_ = nullptr;
};

}  // namespace

TEST_F(VirtualJoystick, AxesReadFromMinusToPlusThousandWithAThirtyPercentDeadZone) {
    InputStates input;
    Set(-32768, 32767, false);
    input.PollInput();
    EXPECT_EQ(input.JoyX, -1000);
    EXPECT_EQ(input.JoyY, 1000);
    EXPECT_TRUE(input.Has(isLeft));
    EXPECT_TRUE(input.Has(isDown));
    EXPECT_FALSE(input.Has(isRight));
    EXPECT_FALSE(input.Has(isUp));
    Set(9500, -9000, false);  // 289 and -274: inside the dead zone
    input.PollInput();
    EXPECT_EQ(input.JoyX, 0);
    EXPECT_EQ(input.JoyY, 0);
    EXPECT_FALSE(input.Has(isLeft));
    EXPECT_FALSE(input.Has(isDown));
    Set(16384, 0, false);
    input.PollInput();
    EXPECT_EQ(input.JoyX, 500);
    EXPECT_TRUE(input.Has(isRight));
}

TEST_F(VirtualJoystick, ButtonAndDirectionsAreEdgesLikeKeys) {
    InputStates input;
    Set(0, -32768, true);
    input.PollInput();
    EXPECT_TRUE(input.Has(isButton1));
    EXPECT_TRUE(input.Has(isUp));
    input.Remove(isButton1);  // consumed by the game: stays off while the button is held
    input.Remove(isUp);
    input.PollInput();
    EXPECT_FALSE(input.Has(isButton1));
    EXPECT_FALSE(input.Has(isUp));
    Set(0, 0, false);
    input.PollInput();
    Set(0, -32768, true);
    input.PollInput();
    EXPECT_TRUE(input.Has(isButton1));
    EXPECT_TRUE(input.Has(isUp));
    // The Space key and the button both hold the fire state: it goes when both are up.
    input.KeyDown(0x20);
    Set(0, 0, false);
    input.PollInput();
    EXPECT_TRUE(input.Has(isButton1));
    input.KeyUp(0x20);
    EXPECT_FALSE(input.Has(isButton1));
}

TEST_F(VirtualJoystick, NothingIsReadWhileTheWindowHasNoFocus) {
    InputStates input;
    Set(-32768, 0, true);
    input.PollInput();
    ASSERT_TRUE(input.Has(isLeft));
    input.ReleaseAll();  // the window lost the focus with the stick and the button held
    EXPECT_FALSE(input.Has(isLeft));
    EXPECT_FALSE(input.Has(isButton1));
    input.PollInput();
    EXPECT_FALSE(input.Has(isLeft));
    EXPECT_FALSE(input.Has(isButton1));
    EXPECT_EQ(input.JoyX, 0);
}

TEST_F(VirtualJoystick, UnpluggingReleasesWhatTheStickHeldAndAnotherOneIsTakenUp) {
    InputStates input;
    Set(-32768, 32767, true);
    input.PollInput();
    ASSERT_TRUE(input.Has(isLeft));
    Unplug();
    input.PollInput();
    EXPECT_FALSE(input.Has(isLeft));
    EXPECT_FALSE(input.Has(isDown));
    EXPECT_FALSE(input.Has(isButton1));
    EXPECT_EQ(input.JoyX, 0);
    EXPECT_EQ(input.JoyY, 0);
    PlugIn();
    Set(32767, 0, false);
    input.PollInput();
    EXPECT_EQ(input.JoyX, 1000);
    EXPECT_TRUE(input.Has(isRight));
}
