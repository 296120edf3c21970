// The level editor's window: events, actions and drawing.
#include "editor.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <limits>

#include "app/test_play.h"
#include "level/latin1.h"
#include "level/level_legend.h"
#include "level/level_writer.h"
#include "model/level_findings.h"
#include "model/set_files.h"
#include "store/atomic_write.h"

namespace {

constexpr int kZooms[] = {40, 32, 24, 20, 16, 12, 10, 8, 6, 5, 4};

bool Inside(const Rect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

}  // namespace

Editor::Editor(std::string dataDir)
    : dataDir_(std::move(dataDir)), text_(std::make_unique<TextCanvas>()) {
    text_->SetFontFolder(dataDir_);
    text_->SetFont("Arial", 9);
}

void Editor::Show(const std::vector<std::string>& lines, bool error) {
    message_ = lines;
    messageIsError_ = error;
}

// ---- events

void Editor::Handle(const WindowEvent& e) {
    using Kind = WindowEvent::Kind;
    // Whatever the event did (a resize, a scroll, a smaller level), the view keeps the map's edge
    // and the selection stays inside the level.
    struct Settle {
        Editor& editor;
        ~Settle() {
            editor.KeepMapInView();
            editor.KeepSelectionInLevel();
        }
    } settle{*this};
    if (e.What == Kind::Resize) {
        // Any size is drawn; a frame is kept to a size a window can have.
        width_ = std::clamp(e.X, 1, 16384);
        height_ = std::clamp(e.Y, 1, 16384);
        return;
    }
    if (e.What == Kind::Close) {
        WhenSaved([this] { finished_ = true; });
        return;
    }
    if (e.What == Kind::Text && swallowText_) {
        swallowText_ = false;
        return;
    }
    if (e.What == Kind::KeyDown) swallowText_ = false;
    if (prompt_) {
        if (e.What == Kind::KeyDown) PromptKey(e);
        if (e.What == Kind::Text && !prompt_->OneKey) PromptInsert(e.Text);
        return;
    }
    if (help_ && (e.What == Kind::KeyDown || e.What == Kind::MouseDown)) {
        help_ = false;
        swallowText_ = e.What == Kind::KeyDown;
        return;
    }
    switch (e.What) {
        case Kind::KeyDown:
            KeyDown(e);
            break;
        case Kind::Text:
            Typed(e);
            break;
        case Kind::MouseDown:
            MouseDown(e);
            break;
        case Kind::MouseMove:
            MouseMove(e);
            break;
        case Kind::MouseUp:
            MouseUp(e);
            break;
        case Kind::Wheel:
            Wheel(e);
            break;
        default:
            break;
    }
}

void Editor::WhenSaved(std::function<void()> then) {
    if (!Unsaved()) return then();
    Ask(
        "The set has unsaved changes. Save them first? (Y save, N discard, Escape stay)",
        [this, then](const std::string& answer) {
            if (answer == "y")
                Save(then);
            else
                then();
        },
        true);
}

void Editor::MouseDown(const WindowEvent& e) {
    Layout l = LayoutOf(width_, height_);
    pointerX_ = e.X;
    pointerY_ = e.Y;
    if (Inside(l.List, e.X, e.Y) && e.Button == 1) {
        int n = ListLevelAt(e.X, e.Y);
        if (n >= 0) SetLevel(n);
        return;
    }
    if (Inside(l.Palette, e.X, e.Y) && e.Button == 1) {
        int32_t tile = PaletteTileAt(e.X, e.Y);
        if (tile > 0) PickTile(tile);
        return;
    }
    if (!Inside(l.Map, e.X, e.Y)) return;
    if (e.Button == 2) {
        scrolling_ = true;
        scrollFromX_ = e.X;
        scrollFromY_ = e.Y;
        return;
    }
    int col = 0, row = 0;
    if (!CellAtPoint(e.X, e.Y, col, row)) return;
    if (e.Button == 3) {
        tile_ = set_.Level(level_).CellAt(col, row).Tile;
        return;
    }
    if (e.Button != 1) return;
    anchorCol_ = dragCol_ = lastCol_ = col;
    anchorRow_ = dragRow_ = lastRow_ = row;
    switch (tool_) {
        case Tool::Pencil:
            painting_ = true;
            set_.BeginStroke(level_);
            set_.Paint(level_, col, row, tile_);
            break;
        case Tool::Fill:
            set_.Fill(level_, col, row, tile_);
            break;
        case Tool::Start:
            set_.SetStart(level_, col, row);
            break;
        default:
            dragging_ = true;
            break;
    }
}

void Editor::MouseMove(const WindowEvent& e) {
    if (scrolling_) {
        viewX_ -= e.X - scrollFromX_;
        viewY_ -= e.Y - scrollFromY_;
        scrollFromX_ = e.X;
        scrollFromY_ = e.Y;
    }
    pointerX_ = e.X;
    pointerY_ = e.Y;
    int col = 0, row = 0;
    if (!CellAtPoint(e.X, e.Y, col, row)) return;
    if (painting_ && (col != lastCol_ || row != lastRow_)) {
        set_.Line(level_, lastCol_, lastRow_, col, row, tile_);
        lastCol_ = col;
        lastRow_ = row;
    }
    if (dragging_) {
        dragCol_ = col;
        dragRow_ = row;
    }
}

void Editor::MouseUp(const WindowEvent& e) {
    if (e.Button == 2) scrolling_ = false;
    if (e.Button != 1) return;
    if (painting_) {
        painting_ = false;
        set_.EndStroke();
    }
    if (dragging_) {
        dragging_ = false;
        int col = dragCol_, row = dragRow_;
        CellAtPoint(e.X, e.Y, col, row);
        ApplyDrag(col, row);
    }
}

void Editor::ApplyDrag(int col, int row) {
    CellArea area = AreaBetween(anchorCol_, anchorRow_, col, row);
    switch (tool_) {
        case Tool::Line:
            set_.Line(level_, anchorCol_, anchorRow_, col, row, tile_);
            break;
        case Tool::Rectangle:
            set_.Rectangle(level_, area, tile_, false);
            break;
        case Tool::FilledRectangle:
            set_.Rectangle(level_, area, tile_, true);
            break;
        case Tool::Select:
            selection_ = area;
            break;
        default:
            break;
    }
}

void Editor::Wheel(const WindowEvent& e) {
    if (e.Ctrl) return ZoomBy(e.Y > 0 ? -1 : 1, pointerX_, pointerY_);
    int by = 3 * cell_;
    if (e.Shift) {
        viewX_ -= e.Y * by;
    } else {
        viewY_ -= e.Y * by;
        viewX_ += e.X * by;
    }
}

// ---- actions

void Editor::SetLevel(int index) {
    level_ = std::clamp(index, 0, set_.LevelCount() - 1);
    selection_ = {};
    map_.Invalidate();
    ZoomToFit();
}

void Editor::Undo() {
    int touched = set_.Undo();
    if (touched >= 0 && touched != level_) SetLevel(touched);
}

void Editor::Redo() {
    int touched = set_.Redo();
    if (touched >= 0 && touched != level_) SetLevel(touched);
}

void Editor::ZoomBy(int steps, int aboutX, int aboutY) {
    Layout l = LayoutOf(width_, height_);
    if (aboutX < 0 || !Inside(l.Map, aboutX, aboutY)) {
        aboutX = (l.Map.Left + l.Map.Right) / 2;
        aboutY = (l.Map.Top + l.Map.Bottom) / 2;
    }
    int at = 0;
    while (at + 1 < static_cast<int>(std::size(kZooms)) && kZooms[at] > cell_) ++at;
    int next = std::clamp(at + steps, 0, static_cast<int>(std::size(kZooms)) - 1);
    int was = cell_;
    cell_ = kZooms[next];
    // The point under the pointer stays where it is.
    int px = aboutX - l.Map.Left, py = aboutY - l.Map.Top;
    viewX_ = (viewX_ + px) * cell_ / was - px;
    viewY_ = (viewY_ + py) * cell_ / was - py;
}

void Editor::ZoomToFit() {
    Layout l = LayoutOf(width_, height_);
    const LevelRecord& level = set_.Level(level_);
    int w = l.Map.Right - l.Map.Left, h = l.Map.Bottom - l.Map.Top;
    cell_ = kZooms[std::size(kZooms) - 1];
    for (int z : kZooms)
        if ((level.Cols + 2) * z <= w && (level.Rows + 2) * z <= h) {
            cell_ = z;
            break;
        }
    viewX_ = ((level.Cols + 2) * cell_ - w) / 2;
    viewY_ = ((level.Rows + 2) * cell_ - h) / 2;
}

void Editor::KeepSelectionInLevel() {
    const LevelRecord& level = set_.Level(level_);
    const int col0 = std::max(1, selection_.Col), row0 = std::max(1, selection_.Row);
    const int col1 = std::min(level.Cols, selection_.Col + selection_.Cols - 1);
    const int row1 = std::min(level.Rows, selection_.Row + selection_.Rows - 1);
    selection_ = col0 <= col1 && row0 <= row1 && selection_.Cols > 0 && selection_.Rows > 0
                     ? CellArea{col0, row0, col1 - col0 + 1, row1 - row0 + 1}
                     : CellArea{};
}

void Editor::KeepMapInView() {
    const Rect map = LayoutOf(width_, height_).Map;
    const LevelRecord& level = set_.Level(level_);
    viewX_ = std::clamp(viewX_, cell_ - (map.Right - map.Left), (level.Cols + 1) * cell_);
    viewY_ = std::clamp(viewY_, cell_ - (map.Bottom - map.Top), (level.Rows + 1) * cell_);
}

// ---- where the pointer is

Editor::Layout Editor::LayoutOf(int width, int height) const {
    // In a window smaller than the panels, the map gives way first, then the palette, the list
    // and the checks: the panels never overlap and never reach out of the window.
    Layout l;
    width = std::max(width, 0);
    height = std::max(height, 0);
    const int statusTop = std::max(0, height - 20);
    const int checksTop = std::max(0, statusTop - 5 * kLineHeight - 4);
    const int listWidth = std::min(260, width);
    const int paletteWidth = std::min(kThumbsPerRow * kThumbStep + 16, width - listWidth);
    l.List = {0, 0, listWidth, checksTop};
    l.Palette = {width - paletteWidth, 0, width, checksTop};
    l.Map = {listWidth, 0, width - paletteWidth, checksTop};
    l.Checks = {0, checksTop, width, statusTop};
    l.Status = {0, statusTop, width, height};
    return l;
}

bool Editor::CellAtPoint(int x, int y, int& col, int& row) const {
    Layout l = LayoutOf(width_, height_);
    if (!Inside(l.Map, x, y)) return false;
    int zx = x - l.Map.Left + viewX_, zy = y - l.Map.Top + viewY_;
    if (zx < 0 || zy < 0) return false;
    col = zx / cell_;
    row = zy / cell_;
    const LevelRecord& level = set_.Level(level_);
    return col >= 1 && col <= level.Cols && row >= 1 && row <= level.Rows;
}

bool Editor::PointOfCell(int col, int row, int& x, int& y) const {
    Layout l = LayoutOf(width_, height_);
    x = l.Map.Left + col * cell_ - viewX_ + cell_ / 2;
    y = l.Map.Top + row * cell_ - viewY_ + cell_ / 2;
    return Inside(l.Map, x, y);
}

std::vector<Editor::PaletteSpot> Editor::PaletteSpots(const Rect& area) const {
    std::vector<PaletteSpot> spots;
    int top = area.Top + 4;
    for (const PaletteGroup& group : palette_) {
        if (top >= area.Bottom) break;
        spots.push_back({0, area.Left + 8, top, &group.Name});
        top += kLineHeight;
        for (size_t i = 0; i < group.Tiles.size(); ++i) {
            int x = area.Left + 8 + static_cast<int>(i % kThumbsPerRow) * kThumbStep;
            int y = top + static_cast<int>(i / kThumbsPerRow) * kThumbStep;
            if (x + kThumb <= area.Right && y + kThumb <= area.Bottom)
                spots.push_back({group.Tiles[i], x, y, nullptr});
        }
        top +=
            static_cast<int>((group.Tiles.size() + kThumbsPerRow - 1) / kThumbsPerRow) * kThumbStep;
    }
    return spots;
}

int32_t Editor::PaletteTileAt(int x, int y) const {
    const Rect area = LayoutOf(width_, height_).Palette;
    if (!Inside(area, x, y)) return 0;
    for (const PaletteSpot& spot : PaletteSpots(area))
        if (spot.Tile > 0 && x >= spot.X && x < spot.X + kThumb && y >= spot.Y &&
            y < spot.Y + kThumb)
            return spot.Tile;
    return 0;
}

int Editor::ListRows(const Rect& area) const {
    return std::max(0, (area.Bottom - area.Top - 30) / kLineHeight);
}

int Editor::FirstListed(int rows) const {
    return std::max(0, level_ - rows + 1);
}

int Editor::ListLevelAt(int x, int y) const {
    const Rect area = LayoutOf(width_, height_).List;
    const int rows = ListRows(area), first = FirstListed(rows);
    if (!Inside(area, x, y) || y < area.Top + 22) return -1;
    int n = first + (y - area.Top - 22) / kLineHeight;
    return n < first + rows && n < set_.LevelCount() ? n : -1;
}

// ---- test play and proofs

const Editor::LevelState& Editor::StateOf(int index) {
    LevelState& state = states_[set_.LevelId(index)];
    if (state.Revision != set_.LevelRevision(index) || state.Index != index) {
        state.Revision = set_.LevelRevision(index);
        state.Index = index;
        state.Findings = CheckEditedLevel(set_.Level(index), index + 1);
        state.Errors = AnyErrors(state.Findings);
        state.TileCounts.assign(kMaxTileCode + 1, 0);
        for (const LevelRecordCell& cell : set_.Level(index).Cells)
            if (cell.Tile >= 0 && cell.Tile <= kMaxTileCode) ++state.TileCounts[cell.Tile];
        state.Proof = ProofOf(index);
    }
    return state;
}

ProofState Editor::ProofOf(int index) const {
    auto found = proofs_.find(set_.LevelId(index));
    return StateOfProof(found == proofs_.end() ? nullptr : &found->second, set_.Level(index));
}
