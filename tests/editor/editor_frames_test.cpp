// The editor draws again only the panels and map rows that changed: after every kind of change
// its frame must be pixel for pixel the frame it draws from nothing.
#include <gtest/gtest.h>

#include <utility>

#include "editor.h"
#include "editor_events.h"
#include "support/test_support.h"

namespace {

using Kind = WindowEvent::Kind;

WindowEvent Mouse(Kind what, int x, int y, int button = 0) {
    return WindowEvent::At(what, x, y, button);
}

WindowEvent Wheel(int y) {
    return WindowEvent::At(Kind::Wheel, 0, y);
}

WindowEvent Ctrl(WindowEvent e) {
    e.Ctrl = true;
    return e;
}

class EditorFrames : public ::testing::Test {
  protected:
    EditorFrames() : editor_(BuiltGameDir()) {
        editor_.Handle(Mouse(Kind::Resize, 1024, 768));
        EXPECT_TRUE(editor_.OpenFile(BuiltGameDir() + "Tolmara.lev"));
        editor_.Draw(current_);
    }

    // Handles the events, draws the frame over the last one and compares it with a frame drawn
    // from nothing in the same state.
    void Step(const std::string& what, const std::vector<WindowEvent>& events) {
        for (const WindowEvent& e : events) editor_.Handle(e);
        editor_.Draw(current_);
        Surface drawnOver = current_;
        editor_.Draw(other_);  // another frame: everything is drawn
        ASSERT_EQ(drawnOver.Pixels, other_.Pixels) << "after " << what;
        std::swap(current_, other_);  // the frame drawn last goes on
    }

    // The window point of a cell of the level shown.
    // The pixels a cell takes on the screen at the present zoom.
    int CellSize() { return At(2, 1).first - At(1, 1).first; }

    std::pair<int, int> At(int col, int row) {
        int x = 0, y = 0;
        editor_.PointOfCell(col, row, x, y);
        return {x, y};
    }
    WindowEvent MouseAt(Kind what, int col, int row, int button = 0) {
        auto [x, y] = At(col, row);
        return Mouse(what, x, y, button);
    }

    Editor editor_;
    Surface current_, other_;
};

TEST_F(EditorFrames, EveryChangeDrawsTheSameFrameAsAWholeDraw) {
    Step("pointer over the map", {MouseAt(Kind::MouseMove, 3, 3)});
    Step("pointer to another row", {MouseAt(Kind::MouseMove, 5, 7)});
    Step("pencil stroke", {MouseAt(Kind::MouseDown, 2, 2, 1), MouseAt(Kind::MouseMove, 3, 2),
                           MouseAt(Kind::MouseMove, 4, 3), MouseAt(Kind::MouseUp, 4, 3, 1)});
    Step("rectangle drag under way",
         {Typed("e"), MouseAt(Kind::MouseDown, 2, 4, 1), MouseAt(Kind::MouseMove, 6, 8)});
    Step("rectangle drag ends", {MouseAt(Kind::MouseUp, 6, 8, 1)});
    Step("selection", {Typed("m"), MouseAt(Kind::MouseDown, 3, 3, 1),
                       MouseAt(Kind::MouseMove, 5, 6), MouseAt(Kind::MouseUp, 5, 6, 1)});
    Step("selection turned", {Key("R", true)});
    Step("start moved", {Typed("s"), MouseAt(Kind::MouseDown, 8, 5, 1),
                         MouseAt(Kind::MouseUp, 8, 5, 1), MouseAt(Kind::MouseMove, 9, 9)});
    Step("start moved beside its old place",
         {MouseAt(Kind::MouseDown, 8, 6, 1), MouseAt(Kind::MouseUp, 8, 6, 1)});
    Step("grid", {Typed("g")});
    Step("painting over the grid",
         {Typed("p"), MouseAt(Kind::MouseDown, 7, 7, 1), MouseAt(Kind::MouseUp, 7, 7, 1)});
    Step("undo", {Key("Z", true), Key("Z", true), Key("Z", true)});
    Step("scrolled", {MouseAt(Kind::MouseDown, 5, 5, 2), MouseAt(Kind::MouseMove, 7, 6),
                      MouseAt(Kind::MouseUp, 7, 6, 2)});
    const int cellBefore = CellSize();
    Step("zoomed out", {Key("PageDown"), Key("PageDown")});
    EXPECT_LT(CellSize(), cellBefore) << "Page Down zooms out";
    const int cellOut = CellSize();
    Step("zoomed in", {Key("PageUp")});
    EXPECT_GT(CellSize(), cellOut) << "Page Up zooms in";
    Step("help", {Key("F1")});
    Step("help closed", {Key("Escape")});
    Step("a question in the status line", {Key("F2")});
    Step("answer typed", {Typed("x")});
    Step("question dropped", {Key("Escape")});
    Step("next level", {Key("Tab")});
    Step("whole level", {Key("Home"), MouseAt(Kind::MouseMove, 1, 1)});
    Step("window resized", {Mouse(Kind::Resize, 1280, 960)});
}

// The start leaving the view sideways, and windows smaller than the panels: everything is
// drawn inside the frame, and drawn over the last frame as it is drawn whole.
TEST_F(EditorFrames, TheStartOutOfViewAndTinyWindows) {
    Step("start out of view to the left", {Key("Right"), Key("Right"), Key("Right")});
    Step("start out of view to the right",
         {Key("Left"), Key("Left"), Key("Left"), Key("Left"), Key("Left"), Key("Left")});
    Step("zoomed in on the pointer",
         {MouseAt(Kind::MouseMove, 30, 10), Ctrl(Wheel(1)), Ctrl(Wheel(1)), Ctrl(Wheel(1))});
    editor_.ShowLevel(39);
    Step("the last level zoomed twice on the pointer",
         {MouseAt(Kind::MouseMove, 2, 2), Ctrl(Wheel(1)), Ctrl(Wheel(1))});
    Step("a new level of 20 x 12", {Key("A", true), Typed("20 12 Wide"), Key("Return")});
    Step("scrolled left five times",
         {Key("Left"), Key("Left"), Key("Left"), Key("Left"), Key("Left")});
    for (auto [w, h] : {std::pair{400, 300}, {520, 380}, {40, 30}, {1, 1}, {300, 2}, {1024, 768}})
        Step("window of " + std::to_string(w) + " x " + std::to_string(h),
             {Mouse(Kind::Resize, w, h), Mouse(Kind::MouseMove, w / 2, h / 2), Key("Right")});
}

}  // namespace
