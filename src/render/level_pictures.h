// The pictures of a level: its tile set, the check that every code it draws has a picture, and
// the drawing offsets of its cells.
#pragma once

#include <string>

class PictureList;
struct LevelRecord;
struct LevelSetState;
struct LevelGrid;

// Loads the level's tile set into `tiles` unless it is the one already there
// (levels.LoadedTileSet), then checks that every code level n draws has a picture. Throws
// FileError naming the level set file, the level and the problem.
void LoadLevelPictures(PictureList& tiles, LevelSetState& levels, const std::string& programDir,
                       const LevelRecord& record, int n);
// The drawing offsets of the play area's cells, from their pictures: a picture's blank margin,
// and fixed overhangs for the tall and wide pictures.
void SetCellOffsets(LevelGrid& level, const PictureList& tiles);
