// The editor's model: each tool and its undo, selections, resizing, the list of levels, history.
#include "model/edit_set.h"

#include <gtest/gtest.h>

namespace {

int32_t TileAt(const EditSet& set, int col, int row, int level = 0) {
    return set.Level(level).CellAt(col, row).Tile;
}

EditSet Fresh(int cols = 6, int rows = 5) {
    return EditSet(LevelSetData{0, "", {NewLevel(cols, rows, "A")}});
}

TEST(EditSet, PencilStrokeIsOneStep) {
    EditSet set = Fresh();
    LevelRecord before = set.Level(0);
    set.BeginStroke(0);
    set.Paint(0, 1, 1, tcInfotron);
    set.Paint(0, 2, 1, tcInfotron);
    set.Paint(0, 2, 1, tcBomb);   // painted twice: one change of the cell
    set.Paint(0, 99, 1, tcBomb);  // outside: left out
    set.EndStroke();
    EXPECT_EQ(TileAt(set, 2, 1), tcBomb);
    LevelRecord after = set.Level(0);
    EXPECT_EQ(set.Undo(), 0);
    EXPECT_EQ(set.Level(0), before);
    EXPECT_FALSE(set.CanUndo());
    set.Redo();
    EXPECT_EQ(set.Level(0), after);
}

TEST(EditSet, LineAndRectangles) {
    EditSet set = Fresh();
    set.Line(0, 1, 1, 4, 4, tcFloor);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(TileAt(set, i, i), tcFloor);
    EXPECT_EQ(TileAt(set, 2, 1), tcEmpty);
    set.Undo();
    EXPECT_EQ(TileAt(set, 3, 3), tcEmpty);

    set.Rectangle(0, AreaBetween(5, 4, 2, 2), 30, false);
    EXPECT_EQ(TileAt(set, 2, 2), 30);
    EXPECT_EQ(TileAt(set, 5, 4), 30);
    EXPECT_EQ(TileAt(set, 3, 3), tcEmpty);  // inside an outline
    set.Rectangle(0, AreaBetween(2, 2, 5, 4), tcCircuit1, true);
    EXPECT_EQ(TileAt(set, 3, 3), tcCircuit1);
    set.Undo();
    EXPECT_EQ(TileAt(set, 3, 3), tcEmpty);
    EXPECT_EQ(TileAt(set, 2, 2), 30);
}

TEST(EditSet, FillStopsAtOtherTiles) {
    EditSet set = Fresh(5, 3);
    set.Line(0, 3, 1, 3, 3, 30);  // a wall splits the level
    set.Fill(0, 1, 1, tcFloor);
    EXPECT_EQ(TileAt(set, 1, 3), tcFloor);
    EXPECT_EQ(TileAt(set, 2, 2), tcFloor);
    EXPECT_EQ(TileAt(set, 3, 2), 30);
    EXPECT_EQ(TileAt(set, 4, 2), tcEmpty);
    set.Undo();
    EXPECT_EQ(TileAt(set, 1, 3), tcEmpty);
    EXPECT_EQ(TileAt(set, 3, 2), 30);
}

TEST(EditSet, StartMovesAndUndoes) {
    EditSet set = Fresh();
    set.SetStart(0, 4, 3);
    int col = 0, row = 0;
    ASSERT_TRUE(StartCell(set.Level(0), col, row));
    EXPECT_EQ(col, 4);
    EXPECT_EQ(row, 3);
    set.Undo();
    ASSERT_TRUE(StartCell(set.Level(0), col, row));
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 1);
}

TEST(EditSet, CutPasteAndTurnsTurnPointingTiles) {
    EditSet set = Fresh();
    set.Paint(0, 1, 1, tcPortRight);
    set.Paint(0, 2, 1, tcTrapLeft);
    CellBlock block = set.Cut(0, CellArea{1, 1, 2, 1});
    EXPECT_EQ(TileAt(set, 1, 1), tcEmpty);
    set.Paste(0, 3, 2, block);
    EXPECT_EQ(TileAt(set, 3, 2), tcPortRight);
    EXPECT_EQ(TileAt(set, 4, 2), tcTrapLeft);

    CellArea turned = set.TurnArea(0, CellArea{3, 2, 2, 1}, Turn::Clockwise);
    EXPECT_EQ(turned, (CellArea{3, 2, 1, 2}));
    EXPECT_EQ(TileAt(set, 3, 2), tcPortDown);
    EXPECT_EQ(TileAt(set, 3, 3), tcTrapUp);
    EXPECT_EQ(TileAt(set, 4, 2), tcEmpty);  // no longer covered

    set.TurnArea(0, turned, Turn::FlipUpsideDown);
    EXPECT_EQ(TileAt(set, 3, 2), tcTrapDown);
    EXPECT_EQ(TileAt(set, 3, 3), tcPortUp);
    set.Undo();
    set.Undo();
    EXPECT_EQ(TileAt(set, 3, 2), tcPortRight);
    EXPECT_EQ(TileAt(set, 4, 2), tcTrapLeft);

    EXPECT_EQ(TurnedTile(tcPortRight, Turn::FlipSideways), tcPortLeft);
    EXPECT_EQ(TurnedTile(tcDriftLeft, Turn::FlipSideways), tcDriftRight);
    EXPECT_EQ(TurnedTile(tcDriftLeft, Turn::Clockwise), tcDriftLeft);
    EXPECT_EQ(TurnedTile(tcPortUp, Turn::Anticlockwise), tcPortLeft);
}

// A selection left beyond the level's edge (the level shrank under it) turns into nothing and
// can be turned again.
TEST(EditSet, AreasBeyondTheLevelTurnIntoNothing) {
    EditSet set = Fresh(6, 5);
    CellArea beyond = set.TurnArea(0, {8, 2, 3, 2}, Turn::Clockwise);
    EXPECT_GE(beyond.Cols, 0);
    EXPECT_GE(beyond.Rows, 0);
    CellArea again = set.TurnArea(0, beyond, Turn::FlipSideways);
    EXPECT_GE(again.Cols, 0);
    EXPECT_TRUE(set.Copy(0, {1, 1, -2, 3}).Cells.empty());
}

// The set's name is part of the history: an unsaved new name is a change, and undo restores it.
TEST(EditSet, RenamingTheSetIsAChangeThatUndoes) {
    EditSet set = Fresh();
    set.Rename("Deep ones");
    EXPECT_EQ(set.SetName, "Deep ones");
    EXPECT_TRUE(set.Modified());
    set.Undo();
    EXPECT_EQ(set.SetName, "");
    EXPECT_FALSE(set.Modified());
    set.Redo();
    EXPECT_EQ(set.Data().SetName, "Deep ones");
}

TEST(EditSet, ResizeFromEverySideKeepsContent) {
    EditSet set = Fresh(3, 3);
    set.Paint(0, 2, 2, tcExit);
    set.SetStart(0, 3, 3);
    LevelRecord before = set.Level(0);
    ASSERT_TRUE(set.Resize(0, 2, 1, 0, -1));  // two columns on the left, a row on top, one off
    EXPECT_EQ(set.Level(0).Cols, 5);
    EXPECT_EQ(set.Level(0).Rows, 3);
    EXPECT_EQ(TileAt(set, 4, 3), tcExit);
    int col = 0, row = 0;
    EXPECT_FALSE(StartCell(set.Level(0), col, row));  // its row went with the bottom side
    set.Undo();
    EXPECT_EQ(set.Level(0), before);
    ASSERT_TRUE(set.Resize(0, 1, 1, 0, 0));
    ASSERT_TRUE(StartCell(set.Level(0), col, row));
    EXPECT_EQ(col, 4);
    EXPECT_EQ(row, 4);
    set.Undo();
    EXPECT_EQ(set.Level(0), before);
    ASSERT_TRUE(set.Resize(0, -2, 0, 0, 0));  // the start's column stays, the exit's goes
    EXPECT_EQ(set.Level(0).Cols, 1);
    EXPECT_EQ(TileAt(set, 1, 2), tcEmpty);
    EXPECT_FALSE(set.Resize(0, 0, 0, -1, 0));  // no columns left
    EXPECT_FALSE(set.Resize(0, 0, 0, 99, 0));  // wider than 99
}

TEST(EditSet, LevelListChangesUndo) {
    EditSet set = Fresh();
    set.SetProperties(0, LevelProperties{"First", "computer.dxg", 0, 0});
    ASSERT_TRUE(set.AddLevel(1, NewLevel(4, 4, "Second")));
    ASSERT_TRUE(set.DuplicateLevel(0));
    EXPECT_EQ(set.LevelCount(), 3);
    EXPECT_EQ(set.Level(1).LevelName, "First");
    int secondId = set.LevelId(2);
    ASSERT_TRUE(set.MoveLevel(2, 0));
    EXPECT_EQ(set.Level(0).LevelName, "Second");
    EXPECT_EQ(set.LevelId(0), secondId);  // what belongs to a level moves with it
    ASSERT_TRUE(set.DeleteLevel(1));
    EXPECT_EQ(set.LevelCount(), 2);
    EXPECT_EQ(set.Undo(), 1);
    EXPECT_EQ(set.Undo(), 2);  // the moved level is back where it was
    EXPECT_EQ(set.Level(2).LevelName, "Second");
    set.Undo();
    set.Undo();
    set.Undo();
    EXPECT_EQ(set.LevelCount(), 1);
    EXPECT_EQ(set.Level(0).LevelName, "A");
    EXPECT_FALSE(set.DeleteLevel(0));  // a set keeps one level
}

TEST(EditSet, ModifiedFollowsSavesAndUndo) {
    EditSet set = Fresh();
    EXPECT_FALSE(set.Modified());
    set.Paint(0, 1, 1, tcBomb);
    EXPECT_TRUE(set.Modified());
    set.MarkSaved();
    EXPECT_FALSE(set.Modified());
    set.Undo();
    EXPECT_TRUE(set.Modified());
    set.Redo();
    EXPECT_FALSE(set.Modified());
    set.Paint(0, 1, 1, tcBomb);  // no change: no step
    EXPECT_FALSE(set.Modified());
}

TEST(EditSet, HistoryKeepsChangesNotCopies) {
    EditSet set = Fresh(99, 99);
    for (int i = 0; i < 10000; ++i)
        set.Paint(0, 1 + i % 99, 1 + (i / 99) % 99, i % 2 ? tcInfotron : tcFloor);
    set.Fill(0, 50, 50, 30);
    EXPECT_LT(set.HistoryBytes(), size_t{50} << 20);
    for (int i = 0; i < 10001; ++i) set.Undo();
    EXPECT_EQ(set.Level(0), NewLevel(99, 99, "A"));
}

}  // namespace
