// The map of the edited level as the game draws it: the level's cells put into the game's level
// model and drawn at 40 pixels a cell by the play field's tile passes, kept as one picture of the
// whole level (border included) and redrawn only where cells changed. Views of it at any zoom.
#pragma once

#include <memory>
#include <vector>

#include "level/level.h"
#include "level/level_record.h"
#include "media/picture.h"
#include "media/surface.h"

class MapPicture {
  public:
    MapPicture();
    // Brings the picture up to date with the level (drawn with `tiles`; an empty list draws each
    // tile as a plain square of its own colour). `revision` changes whenever the level does: the
    // cells are compared again only when it is not the one drawn last.
    void Update(const LevelRecord& level, const PictureList& tiles, uint64_t revision);
    // Forgets the picture: the next Update draws it whole (a new tile set, another level).
    void Invalidate() {
        drawn_.Cells.clear();
        drawnRevision_ = 0;
        zoomedCell_ = 0;
    }
    // The grid rows First to Last whose cells were drawn again since the last call (none when
    // Last < First), so that a view of the map needs to copy only those rows again.
    struct ChangedRows {
        int First = 0, Last = -1;
        bool Any() const { return Last >= First; }
    };
    ChangedRows TakeChanges();
    // Draws the part of the map seen at `cell` pixels a cell, from zoomed pixel (fromX, fromY),
    // into the rectangle `area` of `dest` (only where it is inside `dest`), or only its rows
    // `rowsFrom` to `rowsTo` (exclusive) when they are given. The map at that zoom is kept between
    // frames and scaled again only where cells changed, so that a frame is one copy of what is in
    // view.
    void DrawView(Surface& dest, const Rect& area, int cell, int fromX, int fromY,
                  int rowsFrom = -1, int rowsTo = -1);
    const Surface& Whole() const { return picture_; }

  private:
    void DrawCells(const PictureList& tiles, int col0, int row0, int col1, int row1);
    // Scales the grid cells col0..col1, row0..row1 of the picture into the zoomed picture.
    void Rescale(int col0, int row0, int col1, int row1);

    std::unique_ptr<LevelGrid> grid_;
    LevelRecord drawn_;  // the level as the picture shows it
    uint64_t drawnRevision_ = 0;
    ChangedRows changed_;
    Surface picture_;
    Surface zoomed_;      // the picture at zoomedCell_ pixels a cell (unused at 40)
    int zoomedCell_ = 0;  // 0: none made yet
    int64_t maxWidth_ = 1, maxHeight_ = 1;
};
