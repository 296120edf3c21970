// On-screen messages: queue limits, tips, ageing, delayed tips and line positions.
#include "screens/messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "screens/game.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace {

std::unique_ptr<Game> GameWithMessages() {
    auto g = std::make_unique<Game>();
    FillMessageTexts(g->messages);
    g->media.GamePictures.LoadLibrary(PictureLibrary{{}, TestGamePictures()});
    g->settings.ShowTips = 1;
    return g;
}

const uint16_t kStrip = RgbTo565(0xE0E0C0);

}  // namespace

TEST(Messages, QueueHoldsTenAndTipsNeedTipsOn) {
    auto g = GameWithMessages();
    for (int i = 0; i < 11; ++i) ShowMessage(*g, static_cast<MessageId>(2 + (i % 3)));
    EXPECT_EQ(g->messages.MessageCount, 10);

    g = GameWithMessages();
    g->settings.ShowTips = 0;
    ShowMessage(*g, MessageId::TipEnterName);
    ShowMessage(*g, MessageId::TipsEnabled);
    ASSERT_EQ(g->messages.MessageCount, 1);
    EXPECT_EQ(g->messages.MessageQueue[0].Code, 15);
    EXPECT_FALSE(g->messages.MessageShown[114]);
    EXPECT_TRUE(g->messages.MessageShown[15]);
}

TEST(Messages, AgeOutAfterSevenSecondsAndDrawOnEightTicks) {
    auto g = GameWithMessages();
    ShowMessage(*g, MessageId::MusicEnabled);
    int drawnTicks = 0;
    for (int tick = 0; tick < 10; ++tick) {
        if (tick > 0) AgeMessages(*g, 1000);
        g->media.Back.Pixels.assign(g->media.Back.Pixels.size(), 0);
        DrawMessages(*g);
        if (g->media.Back.At(70, 10) == kStrip) ++drawnTicks;
    }
    EXPECT_EQ(drawnTicks, 8);
    EXPECT_EQ(g->messages.MessageCount, 0);
}

TEST(Messages, AgeingRemovesAndKeepsOrder) {
    auto g = GameWithMessages();
    ShowMessage(*g, MessageId::MusicEnabled);
    AgeMessages(*g, 3000);
    ShowMessage(*g, MessageId::MusicDisabled);
    ShowMessage(*g, MessageId::SoundsEnabled);
    AgeMessages(*g, 4500);  // the first is now 7500: removed; the others are 4500
    ASSERT_EQ(g->messages.MessageCount, 2);
    EXPECT_EQ(g->messages.MessageQueue[0].Code, 3);
    EXPECT_EQ(g->messages.MessageQueue[1].Code, 4);
    EXPECT_EQ(g->messages.MessageQueue[0].Age, 4500);
}

TEST(Messages, DelayedTipShowsFrom501msAndTakesNoLineBefore) {
    auto g = GameWithMessages();
    ShowMessageDelayed(*g, MessageId::TipTerminal);
    ShowMessage(*g, MessageId::MusicEnabled);
    AgeMessages(*g, 500);
    DrawMessages(*g);
    EXPECT_EQ(g->media.Back.At(70, 10), kStrip);  // the immediate one takes the first line
    EXPECT_NE(g->media.Back.At(70, 35), kStrip);
    AgeMessages(*g, 1);
    g->media.Back.Pixels.assign(g->media.Back.Pixels.size(), 0);
    DrawMessages(*g);
    EXPECT_EQ(g->media.Back.At(70, 10), kStrip);
    EXPECT_EQ(g->media.Back.At(70, 35), kStrip);
    EXPECT_EQ(g->messages.MessageQueue[0].Code, 321);
}

TEST(Messages, TableHoldsTheFullListMessage) {
    MessageState m;
    FillMessageTexts(m);
    EXPECT_EQ(m.MessageTexts[21],
              "The list of names is full! Delete a name before adding a new one.");
    EXPECT_EQ(m.MessageTexts[26], "Error: Can't load music file ");
    EXPECT_EQ(m.MessageTexts[12], "");
}

// Every text of the table, drawn as the game draws it on the built strip, stays on the strip's
// light middle, clear of the caps at its ends; a long text is drawn smaller to fit.
TEST(Messages, EveryTextStaysBetweenTheCapsOfTheBuiltStrip) {
    const std::string data = BuiltGameDir();
    if (!std::filesystem::exists(data + "tolmara.dxg")) GTEST_SKIP() << "no built tolmara.dxg";
    Game g;
    FillMessageTexts(g.messages);
    g.media.GamePictures.LoadPictures(data + "tolmara.dxg");
    g.media.Canvas.SetFontFolder(data);
    const Picture& strip = g.media.GamePictures.FindPicture("mesajfond");
    // The light middle of the strip on its middle row, in screen columns (the strip is at x 70).
    Surface alone(640, 480);
    strip.DrawPattern(alone, 70, 10, 0);
    const int row = 10 + strip.Height() / 2;
    auto light = [&](int x) {
        const uint16_t p = alone.At(x, row);
        return ((p >> 11) & 31) > 24 && ((p >> 5) & 63) > 48 && (p & 31) > 24;
    };
    int left = 70, right = 70 + strip.Width() - 1;
    while (left < right && !light(left)) ++left;
    while (right > left && !light(right)) --right;
    ASSERT_GT(right - left, 400);
    for (int n = 0; n < kMessageSlots; ++n) {
        if (g.messages.MessageTexts[n].empty()) continue;
        g.messages.MessageCount = 1;
        g.messages.MessageQueue[0] = QueuedMessage{n, 0};
        g.media.Back = alone;
        DrawMessages(g);
        int first = 640, last = -1;  // the columns the text changed
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (g.media.Back.At(x, y) != alone.At(x, y)) first = std::min(first, x), last = x;
        ASSERT_LE(first, last) << "message " << n << " drew nothing";
        EXPECT_GE(first, left) << "message " << n << ": " << g.messages.MessageTexts[n];
        EXPECT_LE(last, right) << "message " << n << ": " << g.messages.MessageTexts[n];
    }
}
