// The status bar: counters read back from the frame picture by picture, the lives and the pause.
#include "render/status_bar.h"

#include <gtest/gtest.h>

#include <string>

#include "render/render_rig.h"

namespace {

int WidthOf(int index) {
    if (index >= spDigitZero && index <= spDigitZero + 9) return kDigitWidth;
    if (index == spInfotronSeparator || index == spTimeSeparator) return kSeparatorWidth;
    return kIconWidth;
}

// Reads the pictures drawn side by side from (x, y) on: digits as '0'..'9', the separators as
// '/' and ':', stepping by each picture's width and stopping at the first pixel that belongs
// to none of them.
std::string ReadCounter(const RenderRig& rig, int x, int y) {
    std::string text;
    for (;;) {
        const uint16_t pixel = rig.Pixel(x, y);
        int found = -1;
        for (int index = spDigitZero; index <= spTimeSeparator; ++index)
            if (StatusColour(index) == pixel) found = index;
        if (found < 0) return text;
        if (found == spInfotronSeparator)
            text += '/';
        else if (found == spTimeSeparator)
            text += ':';
        else
            text += static_cast<char>('0' + found - spDigitZero);
        x += WidthOf(found);
    }
}

class StatusBar : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.MakeLevel(14, 10);
        rig.PlacePlayer(60, 60);
    }
    std::string Bombs() { return ReadCounter(rig, 55, 445); }
    std::string Infotrons() { return ReadCounter(rig, 540, 425); }
    std::string Time() { return ReadCounter(rig, 540, 455); }
    RenderRig rig;
};

TEST_F(StatusBar, CountersShowTheirDigitsBesideTheirIcons) {
    PlayState& play = rig.game().world.play;
    play.Bombs = 7;
    play.InfotronsGot = 99;
    play.InfotronsNeeded = 5;
    play.LevelTime = 3725999;  // 62 minutes, 5 seconds and a fraction
    rig.Draw();
    EXPECT_EQ(rig.Pixel(20, 442), StatusColour(spBombIcon));
    EXPECT_EQ(rig.Pixel(500, 420), StatusColour(spInfotronIcon));
    EXPECT_EQ(rig.Pixel(505, 450), StatusColour(spTimeIcon));
    EXPECT_EQ(Bombs(), "07");
    EXPECT_EQ(Infotrons(), "99/05");
    EXPECT_EQ(Time(), "62:05");
    // Digits sit one pixel above their icon's top, the time separator three.
    EXPECT_EQ(rig.Pixel(55, 441), StatusColour(spDigitZero));
    EXPECT_NE(rig.Pixel(55, 440), StatusColour(spDigitZero));
    EXPECT_EQ(rig.Pixel(540 + 2 * kDigitWidth, 447), StatusColour(spTimeSeparator));
    EXPECT_NE(rig.Pixel(540 + 2 * kDigitWidth, 446), StatusColour(spTimeSeparator));
}

TEST_F(StatusBar, HundredsAppearFromOneHundredAndMinutesAndBombsWrap) {
    PlayState& play = rig.game().world.play;
    play.Bombs = 123;
    play.InfotronsGot = 100;
    play.InfotronsNeeded = 120;
    play.LevelTime = 6000000;  // 100 minutes
    rig.Draw();
    EXPECT_EQ(Bombs(), "23");
    EXPECT_EQ(Infotrons(), "100/120");
    EXPECT_EQ(Time(), "00:00");
}

TEST_F(StatusBar, OneLifePicturePerLifeFivePixelsApart) {
    rig.game().world.play.Lives = 3;
    rig.Draw();
    const uint16_t life = StatusColour(spLife);
    for (int i = 0; i < 3; ++i) {
        const int x = 175 + i * (kLifeWidth + 5);
        EXPECT_EQ(rig.Pixel(x, 454), life) << i;
        EXPECT_EQ(rig.Pixel(x + kLifeWidth - 1, 454), life) << i;
        EXPECT_NE(rig.Pixel(x + kLifeWidth, 454), life) << i;
    }
    EXPECT_NE(rig.Pixel(175 + 3 * (kLifeWidth + 5), 454), life);
}

TEST_F(StatusBar, PausePictureOnlyWhilePaused) {
    rig.Draw();
    EXPECT_NE(rig.Pixel(258, 216), GameColour("pause"));
    rig.game().input.Paused = true;
    rig.Draw();
    EXPECT_EQ(rig.Pixel(258, 216), GameColour("pause"));
    EXPECT_EQ(rig.Pixel(258 + 123, 216 + 47), GameColour("pause"));
}

}  // namespace
