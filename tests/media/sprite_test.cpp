// Tests of the sprite engine: the animation step, drawing order and placement, overlaps.
#include "media/sprite.h"

#include <gtest/gtest.h>

#include "media/media_test_util.h"

namespace {

constexpr uint16_t kBackground = 0x1234;

// A picture of `count` patterns of w x h, every pixel of pattern k having the 565 value 0x100+k.
Picture Strip(int w, int h, int count) {
    PictureData data =
        MakePicture("strip", w * count, h, [w](int x, int) { return Rgb565ToRgb(0x100 + x / w); });
    data.PatternWidth = w;
    return Picture(std::move(data));
}

Surface Backdrop(int w, int h) {
    Surface s(w, h);
    std::fill(s.Pixels.begin(), s.Pixels.end(), kBackground);
    return s;
}

// The drawn rectangle of one colour, right and bottom exclusive; all -1 when nothing has it.
Rect Drawn(const Surface& s, uint16_t colour) {
    Rect r{-1, -1, -1, -1};
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x)
            if (s.At(x, y) == colour) {
                if (r.Left < 0 || x < r.Left) r.Left = x;
                if (r.Top < 0) r.Top = y;
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = y + 1;
            }
    return r;
}

// Counts the collision handler's calls.
struct CountingSprite : ImageSprite {
    int Hits = 0;
    void DoCollision(ImageSprite&) override { ++Hits; }
};

}  // namespace

TEST(SpriteAnimation, NonLoopingStopsAtTheLastPatternOrAtZero) {
    ImageSprite s;
    s.PatternCount = 4;
    s.PatternPos = 3.9;
    s.PatternSpeed = 0.02;
    s.BaseMoveStep(10);  // 3.9 + 0.2
    EXPECT_EQ(s.PatternPos, 3);
    EXPECT_EQ(s.PatternSpeed, 0);
    s.PatternPos = 1.5;
    s.PatternSpeed = 0.001;
    s.BaseMoveStep(100);
    EXPECT_DOUBLE_EQ(s.PatternPos, 1.6);  // below the count: just advanced
    EXPECT_EQ(s.PatternSpeed, 0.001);
    s.PatternSpeed = -0.1;
    s.BaseMoveStep(20);
    EXPECT_EQ(s.PatternPos, 0);
    EXPECT_EQ(s.PatternSpeed, 0);
}

TEST(SpriteAnimation, LoopingWrapsModuloThePatternCount) {
    ImageSprite s;
    s.Looping = true;
    s.PatternCount = 4;
    s.PatternPos = 3.5;
    s.PatternSpeed = 0.05;
    s.BaseMoveStep(20);  // 4.5
    EXPECT_DOUBLE_EQ(s.PatternPos, 0.5);
    EXPECT_EQ(s.PatternSpeed, 0.05);
    s.BaseMoveStep(200);  // 10.5
    EXPECT_DOUBLE_EQ(s.PatternPos, 2.5);
    s.PatternCount = 0;
    s.BaseMoveStep(1);
    EXPECT_EQ(s.PatternPos, 0);
}

TEST(SpriteEngine, MovesEverySpriteAndFreesTheDeadOnes) {
    SpriteEngine engine;
    ImageSprite* a = engine.Create<ImageSprite>();
    ImageSprite* b = engine.Create<ImageSprite>();
    for (ImageSprite* s : {a, b}) {
        s->PatternCount = 10;
        s->PatternSpeed = 0.01;
    }
    engine.MoveSprites(100);
    EXPECT_DOUBLE_EQ(a->PatternPos, 1);
    EXPECT_DOUBLE_EQ(b->PatternPos, 1);
    a->Dead = true;
    engine.RemoveDeadSprites();
    engine.MoveSprites(100);
    EXPECT_DOUBLE_EQ(b->PatternPos, 2);
    EXPECT_EQ(b->CountOverlaps(), 0);  // a is gone
}

TEST(SpriteDrawing, PatternIsCentredInTheRectangleFromTheRootOrigin) {
    Picture pic = Strip(5, 3, 3);
    SpriteEngine engine;
    ImageSprite* s = engine.Create<ImageSprite>();
    s->Picture = &pic;
    s->PatternCount = 3;
    s->PatternPos = 2.9;  // draws pattern 2
    s->Width = 10;
    s->Height = 8;
    s->X = 3.7;
    s->Y = 2.2;
    engine.SpriteRoot.X = 10;
    engine.SpriteRoot.Y = 20;
    Surface back = Backdrop(40, 40);
    engine.DrawSprites(back);
    // x = trunc(13.7) + (10 - 5) / 2 = 15, y = trunc(22.2) + (8 - 3) / 2 = 24.
    Rect r = Drawn(back, 0x102);
    EXPECT_EQ(r.Left, 15);
    EXPECT_EQ(r.Top, 24);
    EXPECT_EQ(r.Right, 20);
    EXPECT_EQ(r.Bottom, 27);

    // A pattern larger than the rectangle: (4 - 5) / 2 and (2 - 3) / 2 truncate toward zero.
    back = Backdrop(40, 40);
    s->Width = 4;
    s->Height = 2;
    s->PatternPos = 0;
    engine.DrawSprites(back);
    r = Drawn(back, 0x100);
    EXPECT_EQ(r.Left, 13);
    EXPECT_EQ(r.Top, 22);

    // A rectangle off the surface draws nothing, also when the pattern would reach into it.
    back = Backdrop(40, 40);
    engine.SpriteRoot.X = -18;  // the rectangle is x = trunc(-4.3) = -4 up to 0
    s->X = 13.7;
    engine.DrawSprites(back);
    EXPECT_EQ(Drawn(back, 0x100).Left, -1);
    engine.SpriteRoot.X = -17;  // trunc(-3.3) = -3: one column on the surface
    engine.DrawSprites(back);
    EXPECT_EQ(Drawn(back, 0x100).Right, 2);
    back = Backdrop(40, 40);
    s->Visible = false;
    engine.SpriteRoot.X = 0;
    engine.DrawSprites(back);
    EXPECT_EQ(Drawn(back, 0x100).Left, -1);
}

TEST(SpriteDrawing, HigherZIsDrawnLaterAlsoWhenZChangesAfterCreation) {
    Picture pic = Strip(4, 4, 2);
    SpriteEngine engine;
    ImageSprite* first = engine.Create<ImageSprite>();
    ImageSprite* second = engine.Create<ImageSprite>();
    for (ImageSprite* s : {first, second}) {
        s->Picture = &pic;
        s->PatternCount = 2;
        s->Width = s->Height = 4;
    }
    first->PatternPos = 0;
    second->PatternPos = 1;
    Surface back = Backdrop(8, 8);
    engine.DrawSprites(back);
    EXPECT_EQ(back.At(1, 1), 0x101);  // equal Z: in the order of creation
    first->Z = 5;
    back = Backdrop(8, 8);
    engine.DrawSprites(back);
    EXPECT_EQ(back.At(1, 1), 0x100);
    second->Z = 6;
    back = Backdrop(8, 8);
    engine.DrawSprites(back);
    EXPECT_EQ(back.At(1, 1), 0x101);
}

TEST(SpriteCollisions, CountsOtherSpritesWhoseRectanglesOverlap) {
    SpriteEngine engine;
    CountingSprite* me = engine.Create<CountingSprite>();
    me->X = 10;
    me->Y = 10;
    me->Width = me->Height = 10;
    auto place = [&](double x, double y) {
        ImageSprite* s = engine.Create<ImageSprite>();
        s->X = x;
        s->Y = y;
        s->Width = s->Height = 10;
        return s;
    };
    place(19, 19);   // one pixel in common
    place(20, 10);   // touching edges only
    place(0.5, 10);  // its rectangle starts at 0 and ends at 10
    EXPECT_EQ(me->CountOverlaps(), 1);
    EXPECT_EQ(me->Hits, 1);
    place(5, 5);
    EXPECT_EQ(me->CountOverlaps(), 2);
    EXPECT_EQ(me->Hits, 3);
    ImageSprite alone;  // a sprite outside any engine meets nothing
    EXPECT_EQ(alone.CountOverlaps(), 0);
}
