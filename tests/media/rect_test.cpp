// Rectangles shared by everything that clips: an intersection that is empty must stay empty
// whatever width or height is worked out from it.
#include <gtest/gtest.h>

#include "media/surface.h"

namespace {

TEST(Rectangles, IntersectionsThatShareNothingHaveNoNegativeSize) {
    const Rect view{260, 0, 800, 600};
    // Beside, above, below, and wholly outside on both axes.
    for (const Rect& other :
         {Rect{100, 40, 140, 80}, Rect{900, 40, 940, 80}, Rect{300, -90, 340, -50},
          Rect{300, 700, 340, 740}, Rect{-50, -50, -10, -10}}) {
        const Rect shared = Intersection(view, other);
        EXPECT_TRUE(shared.Empty());
        EXPECT_GE(shared.Right - shared.Left, 0);
        EXPECT_GE(shared.Bottom - shared.Top, 0);
        EXPECT_TRUE(Intersection(other, view).Empty());
    }
    const Rect inside = Intersection(view, Rect{250, 10, 270, 30});
    EXPECT_EQ(inside.Left, 260);
    EXPECT_EQ(inside.Right, 270);
    EXPECT_FALSE(inside.Empty());
}

}  // namespace
