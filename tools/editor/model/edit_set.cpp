// The level set being edited and its history of changes.
#include "model/edit_set.h"

#include <algorithm>
#include <cstdlib>

CellArea AreaBetween(int col0, int row0, int col1, int row1) {
    return CellArea{std::min(col0, col1), std::min(row0, row1), std::abs(col1 - col0) + 1,
                    std::abs(row1 - row0) + 1};
}

LevelRecordCell PlainCell(int32_t tile) {
    LevelRecordCell cell;
    cell.Tile = tile;
    return cell;
}

bool StartCell(const LevelRecord& level, int& col, int& row) {
    col = level.StartX / kCellSize;
    row = level.StartY / kCellSize;
    return level.StartX >= 0 && level.StartY >= 0 && level.StartX % kCellSize == 20 &&
           level.StartY % kCellSize == 20 && col >= 1 && col <= level.Cols && row >= 1 &&
           row <= level.Rows;
}

LevelRecord NewLevel(int cols, int rows, const std::string& name, const std::string& tileSet,
                     int32_t quota) {
    LevelRecord level;
    level.LevelName = name;
    level.TileSetFile = tileSet;
    level.InfotronQuota = quota;
    level.Resize(rows, cols);
    level.StartX = CellCentre(1);
    level.StartY = CellCentre(1);
    return level;
}

EditSet::EditSet() : EditSet(LevelSetData{0, "", {NewLevel(20, 12, "New level")}}) {}

EditSet::EditSet(LevelSetData data)
    : SetHeader(data.SetHeader), SetName(std::move(data.SetName)), levels_(std::move(data.Levels)) {
    if (levels_.empty()) levels_.push_back(NewLevel(20, 12, "New level"));
    for (size_t i = 0; i < levels_.size(); ++i) {
        ids_.push_back(++nextId_);
        revisions_.push_back(++revision_);
    }
}

LevelSetData EditSet::Data() const {
    return LevelSetData{SetHeader, SetName, levels_};
}

// ---- cells

void EditSet::Open(int index) {
    if (open_ && pending_.Index == index) return;
    Close();
    open_ = true;
    pending_ = Change{};
    pending_.What = Kind::Cells;
    pending_.Index = index;
}

void EditSet::Close() {
    if (!open_) return;
    open_ = false;
    std::erase_if(pending_.Cells, [](const CellEdit& e) { return e.Before == e.After; });
    pendingAt_.clear();
    if (pending_.Cells.empty()) return;
    pending_.Cells.shrink_to_fit();
    Push(std::move(pending_));
}

void EditSet::Put(int index, int col, int row, const LevelRecordCell& cell) {
    LevelRecord& level = Edit(index);
    if (col < 1 || col > level.Cols || row < 1 || row > level.Rows) return;
    Open(index);
    int32_t at = (row - 1) * level.Cols + (col - 1);
    auto found = pendingAt_.find(at);
    if (found != pendingAt_.end()) {
        pending_.Cells[found->second].After = cell;
    } else {
        pendingAt_.emplace(at, pending_.Cells.size());
        pending_.Cells.push_back(CellEdit{at, level.CellAt(col, row), cell});
    }
    level.CellAt(col, row) = cell;
    revisions_[index] = ++revision_;
}

void EditSet::BeginStroke(int index) {
    Close();
    stroke_ = true;
    Open(index);
}

void EditSet::Paint(int index, int col, int row, int32_t tile) {
    Put(index, col, row, PlainCell(tile));
    if (!stroke_) Close();
}

void EditSet::EndStroke() {
    stroke_ = false;
    Close();
}

void EditSet::SetCell(int index, int col, int row, const LevelRecordCell& cell) {
    Put(index, col, row, cell);
    if (!stroke_) Close();
}

void EditSet::Line(int index, int col0, int row0, int col1, int row1, int32_t tile) {
    int dx = std::abs(col1 - col0), dy = -std::abs(row1 - row0);
    int sx = col0 < col1 ? 1 : -1, sy = row0 < row1 ? 1 : -1;
    int error = dx + dy;
    for (int col = col0, row = row0;;) {
        Put(index, col, row, PlainCell(tile));
        if (col == col1 && row == row1) break;
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            col += sx;
        }
        if (twice <= dx) {
            error += dx;
            row += sy;
        }
    }
    if (!stroke_) Close();
}

void EditSet::Rectangle(int index, const CellArea& area, int32_t tile, bool filled) {
    for (int row = area.Row; row < area.Row + area.Rows; ++row)
        for (int col = area.Col; col < area.Col + area.Cols; ++col) {
            bool edge = row == area.Row || row == area.Row + area.Rows - 1 || col == area.Col ||
                        col == area.Col + area.Cols - 1;
            if (filled || edge) Put(index, col, row, PlainCell(tile));
        }
    if (!stroke_) Close();
}

void EditSet::Fill(int index, int col, int row, int32_t tile) {
    const LevelRecord& level = Level(index);
    if (col < 1 || col > level.Cols || row < 1 || row > level.Rows) return;
    int32_t from = level.CellAt(col, row).Tile;
    std::vector<char> seen(static_cast<size_t>(level.Cols) * static_cast<size_t>(level.Rows), 0);
    std::vector<std::pair<int, int>> todo{{col, row}};
    seen[static_cast<size_t>((row - 1) * level.Cols + col - 1)] = 1;
    while (!todo.empty()) {
        auto [c, r] = todo.back();
        todo.pop_back();
        Put(index, c, r, PlainCell(tile));
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : steps) {
            int nc = c + step[0], nr = r + step[1];
            if (nc < 1 || nc > level.Cols || nr < 1 || nr > level.Rows) continue;
            char& mark = seen[static_cast<size_t>((nr - 1) * level.Cols + nc - 1)];
            if (mark || level.CellAt(nc, nr).Tile != from) continue;
            mark = 1;
            todo.push_back({nc, nr});
        }
    }
    if (!stroke_) Close();
}

void EditSet::SetStart(int index, int col, int row) {
    LevelRecord& level = Edit(index);
    if (col < 1 || col > level.Cols || row < 1 || row > level.Rows) return;
    Close();
    Change change;
    change.What = Kind::Start;
    change.Index = index;
    change.StartBefore[0] = level.StartX;
    change.StartBefore[1] = level.StartY;
    change.StartAfter[0] = CellCentre(col);
    change.StartAfter[1] = CellCentre(row);
    if (change.StartAfter[0] == level.StartX && change.StartAfter[1] == level.StartY) return;
    Apply(change, true);
    Push(std::move(change));
}

// ---- selections

CellBlock EditSet::Copy(int index, const CellArea& area) const {
    const LevelRecord& level = Level(index);
    CellBlock block;
    if (area.Cols <= 0 || area.Rows <= 0) return block;
    block.Cols = area.Cols;
    block.Rows = area.Rows;
    block.Cells.resize(static_cast<size_t>(area.Cols) * static_cast<size_t>(area.Rows));
    for (int r = 0; r < area.Rows; ++r)
        for (int c = 0; c < area.Cols; ++c) {
            int col = area.Col + c, row = area.Row + r;
            bool inside = col >= 1 && col <= level.Cols && row >= 1 && row <= level.Rows;
            block.At(c, r) = inside ? level.CellAt(col, row) : PlainCell(tcEmpty);
        }
    return block;
}

void EditSet::Clear(int index, const CellArea& area) {
    Rectangle(index, area, tcEmpty, true);
}

CellBlock EditSet::Cut(int index, const CellArea& area) {
    CellBlock block = Copy(index, area);
    Clear(index, area);
    return block;
}

void EditSet::Paste(int index, int col, int row, const CellBlock& block) {
    for (int r = 0; r < block.Rows; ++r)
        for (int c = 0; c < block.Cols; ++c) Put(index, col + c, row + r, block.At(c, r));
    if (!stroke_) Close();
}

CellArea EditSet::TurnArea(int index, const CellArea& area, Turn turn) {
    CellBlock turned = TurnedBlock(Copy(index, area), turn);
    bool wasStroke = stroke_;
    stroke_ = true;  // the clearing and the pasting are one step
    Close();
    Clear(index, area);
    Paste(index, area.Col, area.Row, turned);
    stroke_ = wasStroke;
    if (!stroke_) Close();
    const LevelRecord& level = Level(index);
    CellArea now{area.Col, area.Row, turned.Cols, turned.Rows};
    now.Cols = std::max(0, std::min(now.Cols, level.Cols - now.Col + 1));
    now.Rows = std::max(0, std::min(now.Rows, level.Rows - now.Row + 1));
    return now;
}

// ---- fields and size

LevelProperties EditSet::Properties(int index) const {
    const LevelRecord& level = Level(index);
    return LevelProperties{level.LevelName, level.TileSetFile, level.InfotronQuota,
                           level.LevelFlags};
}

void EditSet::SetProperties(int index, const LevelProperties& properties) {
    Close();
    Change change;
    change.What = Kind::Properties;
    change.Index = index;
    change.PropsBefore = Properties(index);
    change.PropsAfter = properties;
    if (change.PropsBefore == change.PropsAfter) return;
    Apply(change, true);
    Push(std::move(change));
}

void EditSet::Rename(const std::string& setName) {
    Close();
    if (setName == SetName) return;
    Change change;
    change.What = Kind::SetName;
    change.Index = -1;  // no level
    change.PropsBefore.LevelName = SetName;
    change.PropsAfter.LevelName = setName;
    Apply(change, true);
    Push(std::move(change));
}

LevelRecord EditSet::Resized(const LevelRecord& level, const int sides[4]) {
    const int left = sides[0], top = sides[1], right = sides[2], bottom = sides[3];
    LevelRecord out = level;
    out.Resize(level.Rows + top + bottom, level.Cols + left + right);
    for (int row = 1; row <= level.Rows; ++row)
        for (int col = 1; col <= level.Cols; ++col) {
            int c = col + left, r = row + top;
            if (c >= 1 && c <= out.Cols && r >= 1 && r <= out.Rows)
                out.CellAt(c, r) = level.CellAt(col, row);
        }
    int col = 0, row = 0;
    bool had = StartCell(level, col, row);
    col += left;
    row += top;
    if (had && col >= 1 && col <= out.Cols && row >= 1 && row <= out.Rows) {
        out.StartX = CellCentre(col);
        out.StartY = CellCentre(row);
    } else {
        out.StartX = out.StartY = 0;  // no start: the check says so
    }
    return out;
}

bool EditSet::Resize(int index, int left, int top, int right, int bottom) {
    const LevelRecord& level = Level(index);
    int cols = level.Cols + left + right, rows = level.Rows + top + bottom;
    if (cols < 1 || cols > kMaxPlayArea || rows < 1 || rows > kMaxPlayArea) return false;
    if (left == 0 && top == 0 && right == 0 && bottom == 0) return true;
    Close();
    Change change;
    change.What = Kind::Shape;
    change.Index = index;
    change.Whole = std::make_shared<const LevelRecord>(level);
    change.Sides[0] = left;
    change.Sides[1] = top;
    change.Sides[2] = right;
    change.Sides[3] = bottom;
    Apply(change, true);
    Push(std::move(change));
    return true;
}

// ---- the list of levels

bool EditSet::AddLevel(int at, const LevelRecord& level) {
    if (LevelCount() >= kMaxLevels || at < 0 || at > LevelCount()) return false;
    Close();
    Change change;
    change.What = Kind::Insert;
    change.Index = at;
    change.Id = ++nextId_;
    change.Whole = std::make_shared<const LevelRecord>(level);
    Apply(change, true);
    Push(std::move(change));
    return true;
}

bool EditSet::DuplicateLevel(int index) {
    if (index < 0 || index >= LevelCount()) return false;
    LevelRecord copy = Level(index);
    return AddLevel(index + 1, copy);
}

bool EditSet::DeleteLevel(int index) {
    if (LevelCount() <= 1 || index < 0 || index >= LevelCount()) return false;
    Close();
    Change change;
    change.What = Kind::Remove;
    change.Index = index;
    change.Id = ids_[index];
    change.Whole = std::make_shared<const LevelRecord>(Level(index));
    Apply(change, true);
    Push(std::move(change));
    return true;
}

bool EditSet::MoveLevel(int from, int to) {
    if (from < 0 || from >= LevelCount() || to < 0 || to >= LevelCount()) return false;
    if (from == to) return true;
    Close();
    Change change;
    change.What = Kind::Move;
    change.Index = from;
    change.To = to;
    Apply(change, true);
    Push(std::move(change));
    return true;
}

// ---- history

void EditSet::Push(Change change) {
    history_.resize(done_);
    change.Serial = ++serial_;
    history_.push_back(std::move(change));
    done_ = history_.size();
}

void EditSet::Apply(const Change& change, bool forward) {
    auto move = [this](int from, int to) {
        LevelRecord level = std::move(levels_[from]);
        levels_.erase(levels_.begin() + from);
        levels_.insert(levels_.begin() + to, std::move(level));
        int id = ids_[from];
        ids_.erase(ids_.begin() + from);
        ids_.insert(ids_.begin() + to, id);
        uint64_t revision = revisions_[from];
        revisions_.erase(revisions_.begin() + from);
        revisions_.insert(revisions_.begin() + to, revision);
    };
    switch (change.What) {
        case Kind::Cells: {
            LevelRecord& level = Edit(change.Index);
            for (const CellEdit& e : change.Cells)
                level.Cells[static_cast<size_t>(e.Index)] = forward ? e.After : e.Before;
            break;
        }
        case Kind::Start: {
            const int32_t* start = forward ? change.StartAfter : change.StartBefore;
            Edit(change.Index).StartX = start[0];
            Edit(change.Index).StartY = start[1];
            break;
        }
        case Kind::Properties: {
            const LevelProperties& p = forward ? change.PropsAfter : change.PropsBefore;
            LevelRecord& level = Edit(change.Index);
            level.LevelName = p.LevelName;
            level.TileSetFile = p.TileSetFile;
            level.InfotronQuota = p.InfotronQuota;
            level.LevelFlags = p.LevelFlags;
            break;
        }
        case Kind::Shape:
            Edit(change.Index) = forward ? Resized(*change.Whole, change.Sides) : *change.Whole;
            break;
        case Kind::Insert:
        case Kind::Remove:
            if (forward == (change.What == Kind::Insert)) {
                levels_.insert(levels_.begin() + change.Index, *change.Whole);
                ids_.insert(ids_.begin() + change.Index, change.Id);
                revisions_.insert(revisions_.begin() + change.Index, ++revision_);
            } else {
                levels_.erase(levels_.begin() + change.Index);
                ids_.erase(ids_.begin() + change.Index);
                revisions_.erase(revisions_.begin() + change.Index);
            }
            break;
        case Kind::Move:
            if (forward)
                move(change.Index, change.To);
            else
                move(change.To, change.Index);
            return;
        case Kind::SetName:
            SetName = (forward ? change.PropsAfter : change.PropsBefore).LevelName;
            return;
    }
    if (change.What != Kind::Insert && change.What != Kind::Remove)
        revisions_[change.Index] = ++revision_;
}

int EditSet::Undo() {
    Close();
    if (!CanUndo()) return -1;
    const Change& change = history_[--done_];
    Apply(change, false);
    if (change.What == Kind::Insert) return std::min(change.Index, LevelCount() - 1);
    return change.Index;
}

int EditSet::Redo() {
    Close();
    if (!CanRedo()) return -1;
    const Change& change = history_[done_++];
    Apply(change, true);
    if (change.What == Kind::Remove) return std::min(change.Index, LevelCount() - 1);
    if (change.What == Kind::Move) return change.To;
    return change.Index;
}

bool EditSet::Modified() const {
    uint64_t now = done_ > 0 ? history_[done_ - 1].Serial : 0;
    return open_ || now != savedSerial_;
}

void EditSet::MarkSaved() {
    Close();
    savedSerial_ = done_ > 0 ? history_[done_ - 1].Serial : 0;
}

size_t EditSet::HistoryBytes() const {
    size_t bytes = history_.capacity() * sizeof(Change);
    for (const Change& change : history_) {
        bytes += change.Cells.capacity() * sizeof(CellEdit);
        bytes += change.PropsBefore.LevelName.capacity() + change.PropsAfter.LevelName.capacity();
        if (change.Whole) bytes += sizeof(LevelRecord) + change.Whole->Cells.size() * 16;
    }
    return bytes;
}
