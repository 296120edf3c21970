// On-screen messages: queue limits, tips, ageing, delayed tips and line positions.
#include "app/messages.h"

#include <gtest/gtest.h>

#include "app/game.h"
#include "support/test_data.h"

namespace {

std::unique_ptr<Game> GameWithMessages() {
    auto g = std::make_unique<Game>();
    FillMessageTexts(g->messages);
    g->media.perslist.LoadLibrary(PictureLibrary{{}, TestGamePictures()});
    g->settings.ShowTips = 1;
    return g;
}

const uint16_t kStrip = RgbTo565(0xE0E0C0);

}  // namespace

TEST(Messages, QueueHoldsTenAndTipsNeedTipsOn) {
    auto g = GameWithMessages();
    for (int i = 0; i < 11; ++i) ShowMessage(*g, 2 + (i % 3));
    EXPECT_EQ(g->messages.MessageCount, 10);

    g = GameWithMessages();
    g->settings.ShowTips = 0;
    ShowMessage(*g, 114);
    ShowMessage(*g, 15);
    ASSERT_EQ(g->messages.MessageCount, 1);
    EXPECT_EQ(g->messages.MessageQueue[0].Code, 15);
    EXPECT_FALSE(g->messages.MessageShown[114]);
    EXPECT_TRUE(g->messages.MessageShown[15]);
}

TEST(Messages, AgeOutAfterSevenSecondsAndDrawOnEightTicks) {
    auto g = GameWithMessages();
    ShowMessage(*g, 2);
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
    ShowMessage(*g, 2);
    AgeMessages(*g, 3000);
    ShowMessage(*g, 3);
    ShowMessage(*g, 4);
    AgeMessages(*g, 4500);  // the first is now 7500: removed; the others are 4500
    ASSERT_EQ(g->messages.MessageCount, 2);
    EXPECT_EQ(g->messages.MessageQueue[0].Code, 3);
    EXPECT_EQ(g->messages.MessageQueue[1].Code, 4);
    EXPECT_EQ(g->messages.MessageQueue[0].Age, 4500);
}

TEST(Messages, DelayedTipShowsFrom501msAndTakesNoLineBefore) {
    auto g = GameWithMessages();
    ShowMessageDelayed(*g, 121);
    ShowMessage(*g, 2);
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
