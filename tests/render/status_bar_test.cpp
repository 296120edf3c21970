// The status bar: counters read back from the frame picture by picture, the lives and the pause.
#include "render/status_bar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>

#include "game/camera.h"
#include "media/picture.h"
#include "render/playfield.h"
#include "render/render_rig.h"
#include "screens/messages.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"

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

namespace {

constexpr uint32_t kKey = 0xFF00FF;

// ---- Counters: the running position grows by the width of each picture drawn ----

int DigitWidth(int d) {
    return 9 + d;
}

PictureData Solid(const std::string& name, int w, int h, uint16_t colour) {
    PictureData p;
    p.Name = name;
    p.Width = w;
    p.Height = h;
    p.Transparent = true;
    p.TransparentColor = kKey;
    p.Rgb.assign(static_cast<size_t>(w) * h, Rgb565ToRgb(colour));
    return p;
}

// A game picture list whose digits all differ in width, with separators of other widths.
void LoadUnevenDigits(Game& game) {
    PictureLibrary library;
    library.Pictures.push_back(Solid("status", 640, 79, 0x3100));
    library.Pictures.push_back(Solid("pause", 124, 48, 0x3200));
    library.Pictures.push_back(Solid("fondlm", 160, 160, 0x3300));
    library.Pictures.push_back(Solid("explozie", 120, 120, 0x3000));
    while (library.Pictures.size() < 24)
        library.Pictures.push_back(
            Solid("spare" + std::to_string(library.Pictures.size()), 4, 4, 1));
    library.Pictures.push_back(Solid("time", 31, 20, StatusColour(24)));
    library.Pictures.push_back(Solid("infotrons", 33, 20, StatusColour(25)));
    library.Pictures.push_back(Solid("life", 17, 20, StatusColour(26)));
    library.Pictures.push_back(Solid("spare27", 4, 4, StatusColour(27)));
    library.Pictures.push_back(Solid("bombs", 29, 20, StatusColour(28)));
    for (int d = 0; d <= 9; ++d)
        library.Pictures.push_back(
            Solid("digit" + std::to_string(d), DigitWidth(d), 18, StatusColour(29 + d)));
    library.Pictures.push_back(Solid("slash", 5, 18, StatusColour(39)));
    library.Pictures.push_back(Solid("colon", 3, 18, StatusColour(40)));
    game.media.GamePictures.LoadLibrary(library);
}

// The picture whose left column is at (x, y), checked to end where its width says.
void ExpectPicture(const RenderRig& rig, int& x, int y, int index, int width) {
    EXPECT_EQ(rig.Pixel(x, y), StatusColour(index)) << "picture " << index << " at " << x;
    EXPECT_EQ(rig.Pixel(x + width - 1, y), StatusColour(index)) << "picture " << index;
    x += width;
}

void ExpectDigits(const RenderRig& rig, int& x, int y, std::initializer_list<int> digits) {
    for (int d : digits) ExpectPicture(rig, x, y, 29 + d, DigitWidth(d));
}

}  // namespace

TEST(StatusBarCounters, RunningPositionsGrowByEachPicturesOwnWidth) {
    RenderRig rig;
    LoadUnevenDigits(rig.game());
    rig.MakeLevel(14, 10);
    rig.PlacePlayer(60, 60);
    PlayState& play = rig.game().world.play;
    play.Bombs = 38;
    play.InfotronsGot = 107;
    play.InfotronsNeeded = 94;
    play.LevelTime = 61 * 60000 + 9999;  // 61:09
    play.Lives = 4;
    rig.Draw();

    int x = 20;
    ExpectPicture(rig, x, 442 + 5, 28, 29);
    x = 55;  // the digits start at x + 35 whatever the icon's width
    ExpectDigits(rig, x, 441, {3, 8});
    EXPECT_NE(rig.Pixel(55, 440), StatusColour(32));  // one pixel above the icon

    x = 500;
    ExpectPicture(rig, x, 425, 25, 33);
    x = 540;
    ExpectDigits(rig, x, 419, {1, 0, 7});
    ExpectPicture(rig, x, 419, 39, 5);
    ExpectDigits(rig, x, 419, {9, 4});

    x = 540;
    ExpectDigits(rig, x, 449, {6, 1});
    EXPECT_EQ(rig.Pixel(x, 447), StatusColour(40));  // three pixels above the icon
    EXPECT_NE(rig.Pixel(x, 446), StatusColour(40));
    ExpectPicture(rig, x, 447, 40, 3);
    ExpectDigits(rig, x, 449, {0, 9});

    x = 175;
    for (int i = 0; i < 4; ++i) {
        ExpectPicture(rig, x, 454, 26, 17);
        EXPECT_NE(rig.Pixel(x, 454), StatusColour(26));
        x += 5;
    }
}
