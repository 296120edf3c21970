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
    // tile as a plain square of its own colour).
    void Update(const LevelRecord& level, const PictureList& tiles);
    // Forgets the picture: the next Update draws it whole (a new tile set).
    void Invalidate() { drawn_.Cells.clear(); }
    // Draws the part of the map seen at `cell` pixels a cell, from zoomed pixel (fromX, fromY),
    // into the rectangle `to` of `dest`.
    void DrawView(Surface& dest, const Rect& to, int cell, int fromX, int fromY) const;
    const Surface& Whole() const { return picture_; }

  private:
    void DrawCells(const PictureList& tiles, int col0, int row0, int col1, int row1);

    std::unique_ptr<LevelGrid> grid_;
    LevelRecord drawn_;  // the level as the picture shows it
    Surface picture_;
    int64_t maxWidth_ = 1, maxHeight_ = 1;
};
