// A level set being edited: its levels and every change made to them, kept as changes (the cells
// before and after, the properties before and after) so that any number of them can be undone
// and redone.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "level/level_record.h"
#include "model/tile_turns.h"

// The fields of a level that are not its map.
struct LevelProperties {
    std::string LevelName;    // Latin-1, at most 255 bytes
    std::string TileSetFile;  // Latin-1, at most 255 bytes
    int32_t InfotronQuota = 0;
    int32_t LevelFlags = 0;
    bool operator==(const LevelProperties&) const = default;
};

// A rectangle of play-area cells: columns Col .. Col + Cols - 1, rows Row .. Row + Rows - 1.
struct CellArea {
    int Col = 1, Row = 1, Cols = 0, Rows = 0;
    bool operator==(const CellArea&) const = default;
};

// The area between two corners given in any order.
CellArea AreaBetween(int col0, int row0, int col1, int row1);

// A plain cell of a tile: no overrides of layer or frame.
LevelRecordCell PlainCell(int32_t tile);

// The start's cell, or false when the start is not the centre of a play-area cell.
bool StartCell(const LevelRecord& level, int& col, int& row);

// A fresh level of the given size, all empty, the start at column 1, row 1.
LevelRecord NewLevel(int cols, int rows, const std::string& name,
                     const std::string& tileSet = "computer.dxg", int32_t quota = 0);

class EditSet {
  public:
    EditSet();
    explicit EditSet(LevelSetData data);

    int32_t SetHeader = 0;
    std::string SetName;

    int LevelCount() const { return static_cast<int>(levels_.size()); }
    const LevelRecord& Level(int index) const { return levels_[index]; }  // index from 0
    // A number that stays with a level wherever it moves in the list, for what belongs to it
    // (its proof); a duplicate or a new level gets a new one.
    int LevelId(int index) const { return ids_[index]; }
    // A number that changes whenever level `index` changes (anything derived from the level, such
    // as its checks, can be kept until then).
    uint64_t LevelRevision(int index) const { return revisions_[index]; }
    LevelSetData Data() const;

    // --- changes to the map of level `index`; each call is one step of the history, unless a
    // stroke is open. Cells outside the play area are left out.
    // A pencil stroke: the cells painted between BeginStroke and EndStroke are one step.
    void BeginStroke(int index);
    void Paint(int index, int col, int row, int32_t tile);
    void EndStroke();
    void SetCell(int index, int col, int row, const LevelRecordCell& cell);
    void Line(int index, int col0, int row0, int col1, int row1, int32_t tile);
    void Rectangle(int index, const CellArea& area, int32_t tile, bool filled);
    // Fills the cells joined to (col, row) by sides that hold the same tile.
    void Fill(int index, int col, int row, int32_t tile);
    void SetStart(int index, int col, int row);

    // --- selections
    CellBlock Copy(int index, const CellArea& area) const;
    void Clear(int index, const CellArea& area);  // to empty cells
    CellBlock Cut(int index, const CellArea& area);
    // Puts the block with its top-left cell at (col, row); what falls outside is left out.
    void Paste(int index, int col, int row, const CellBlock& block);
    // Flips or turns the area's cells in place (a quarter turn keeps the top-left corner; cells
    // it no longer covers become empty) and returns the area the cells now cover.
    CellArea TurnArea(int index, const CellArea& area, Turn turn);

    // --- the level's fields and size
    void SetProperties(int index, const LevelProperties& properties);
    LevelProperties Properties(int index) const;
    // Gives the set a new name, as one step of the history.
    void Rename(const std::string& setName);
    // Grows (positive) or shrinks (negative) each side by that many cells, keeping the cells
    // that stay where they are in the map; the start moves with them. Returns false, changing
    // nothing, when a side would end outside 1 to 99.
    bool Resize(int index, int left, int top, int right, int bottom);

    // --- the list of levels (at most 100, at least 1)
    bool AddLevel(int at, const LevelRecord& level);
    bool DuplicateLevel(int index);
    bool DeleteLevel(int index);
    bool MoveLevel(int from, int to);

    // --- history
    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < history_.size(); }
    // Undoes or redoes one step; returns the level it touched (its index after the step), or -1.
    int Undo();
    int Redo();
    // Whether anything changed since MarkSaved (or since the set was opened).
    bool Modified() const;
    // A text that changes with every change, undo and redo of the levels (not of SetName).
    std::string Stamp() const {
        return std::to_string(revision_) + "," +
               std::to_string(done_ > 0 ? history_[done_ - 1].Serial : 0) + (open_ ? "+" : "");
    }
    void MarkSaved();
    // Bytes the history holds (to show that it keeps changes, not copies).
    size_t HistoryBytes() const;

  private:
    struct CellEdit {
        int32_t Index;  // (row - 1) * Cols + (col - 1)
        LevelRecordCell Before, After;
    };
    enum class Kind { Cells, Start, Properties, Shape, Insert, Remove, Move, SetName };
    struct Change {
        Kind What = Kind::Cells;
        int Index = 0;  // the level; for Move, where it was
        int To = 0;     // for Move, where it went
        std::vector<CellEdit> Cells;
        int32_t StartBefore[2] = {0, 0}, StartAfter[2] = {0, 0};
        LevelProperties PropsBefore, PropsAfter;  // SetName: the set's names in LevelName
        // Shape: the level before the resize and the sides; Insert/Remove: the level.
        std::shared_ptr<const LevelRecord> Whole;
        int Sides[4] = {0, 0, 0, 0};
        int Id = 0;  // Insert/Remove: the level's id
        uint64_t Serial = 0;
    };

    LevelRecord& Edit(int index) { return levels_[index]; }
    // Sets a cell of the open change (opening one when none is).
    void Put(int index, int col, int row, const LevelRecordCell& cell);
    void Open(int index);
    void Close();
    void Push(Change change);
    void Apply(const Change& change, bool forward);
    static LevelRecord Resized(const LevelRecord& level, const int sides[4]);

    std::vector<LevelRecord> levels_;
    std::vector<int> ids_;
    int nextId_ = 0;
    std::vector<uint64_t> revisions_;  // per level, as ids_
    uint64_t revision_ = 0;
    std::vector<Change> history_;
    size_t done_ = 0;  // history_[0 .. done_) are done
    uint64_t serial_ = 0;
    uint64_t savedSerial_ = 0;  // the serial of the last step done at MarkSaved
    bool stroke_ = false;
    bool open_ = false;
    Change pending_;
    std::unordered_map<int32_t, size_t> pendingAt_;  // cell index -> its edit in pending_
};
