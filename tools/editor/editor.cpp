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
constexpr int kLineHeight = 16;
constexpr int kThumb = 32;
constexpr int kThumbStep = 36;
constexpr int kThumbsPerRow = 6;

constexpr uint32_t kWhite = 0xFFFFFF, kGrey = 0xA0A0A0, kYellow = 0xFFE040, kRed = 0xFF5040,
                   kGreen = 0x60E060;

void FillRect(Surface& s, Rect r, uint16_t colour) {
    r = Intersection(r, {0, 0, s.Width, s.Height});
    for (int y = r.Top; y < r.Bottom; ++y) std::fill(s.Row(y) + r.Left, s.Row(y) + r.Right, colour);
}

// The one-pixel outline of r, drawn only where it falls inside `clip`.
void FrameRect(Surface& s, const Rect& r, uint16_t colour,
               const Rect& clip = {0, 0, std::numeric_limits<int>::max(),
                                   std::numeric_limits<int>::max()}) {
    FillRect(s, Intersection({r.Left, r.Top, r.Right, r.Top + 1}, clip), colour);
    FillRect(s, Intersection({r.Left, r.Bottom - 1, r.Right, r.Bottom}, clip), colour);
    FillRect(s, Intersection({r.Left, r.Top, r.Left + 1, r.Bottom}, clip), colour);
    FillRect(s, Intersection({r.Right - 1, r.Top, r.Right, r.Bottom}, clip), colour);
}

bool Inside(const Rect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

const char* ToolName(Tool tool) {
    switch (tool) {
        case Tool::Pencil:
            return "pencil";
        case Tool::Line:
            return "line";
        case Tool::Rectangle:
            return "rectangle";
        case Tool::FilledRectangle:
            return "filled rectangle";
        case Tool::Fill:
            return "flood fill";
        case Tool::Start:
            return "start position";
        case Tool::Select:
            return "selection";
    }
    return "";
}

bool ParseInts(const std::string& text, std::vector<int>& out, size_t count, std::string* rest) {
    size_t at = 0;
    out.clear();
    while (out.size() < count) {
        while (at < text.size() && text[at] == ' ') ++at;
        size_t end = at;
        if (end < text.size() && text[end] == '-') ++end;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
        if (end == at || end - at > 6) return false;
        out.push_back(std::atoi(text.substr(at, end - at).c_str()));
        at = end;
    }
    while (at < text.size() && text[at] == ' ') ++at;
    if (rest) *rest = text.substr(at);
    return rest || at == text.size();
}

}  // namespace

Editor::Editor(std::string dataDir)
    : dataDir_(std::move(dataDir)), text_(std::make_unique<TextCanvas>()) {
    text_->SetFontFolder(dataDir_);
    text_->SetFont("Arial", 9);
}

std::vector<std::string> Editor::HelpLines() {
    return {
        "F1  this help (any key closes it)",
        "Map characters pick tiles: . floor, space empty, : ; , circuits, o infotron, O ball,",
        "   r y dynamite, + life, b bomb, E exit, T t u terminals, < v ^ > traps, R D L U ports,",
        "   h hazard, [ ] drifts, M W monsters, a animated, # = X % & $ ~ ! 1-8 walls, @ start",
        "p pencil   l line   e rectangle   q filled rectangle   k flood fill   s start   m select",
        "Left button: use the tool (drag to paint or span)   Right button: take the tile",
        "Middle drag or arrows: scroll   Wheel: up and down, Shift+Wheel: sideways",
        "Page Up / Page Down or Ctrl+Wheel: zoom in / out   Home: the whole level   g: grid",
        "Ctrl+Z undo   Ctrl+Y redo",
        "Selection: Ctrl+C copy  Ctrl+X cut  Ctrl+V paste at the pointer  Delete clear",
        "   Ctrl+H flip sideways  Ctrl+J flip upside down  Ctrl+R turn right  Ctrl+Shift+R left",
        "Ctrl+Arrow: grow that side by a cell   Ctrl+Shift+Arrow: shrink that side",
        "F2 name   F3 tile set   F4 quota   F6 set name   F7 layer and frame of the cell",
        "F8 size (columns rows, from the right and bottom)   F9 flags   F10 test play speed",
        "F5 test play in the game (Escape or the level's end comes back); a play that makes",
        "   the level is kept as its proof, saved beside the set as NN.replay",
        "Tab / Shift+Tab: next / previous level   Ctrl+A add a level   Ctrl+D duplicate",
        "Ctrl+Delete delete the level   Alt+Up / Alt+Down move the level in the list",
        "Ctrl+S save   Ctrl+Shift+S save as   Ctrl+O open   Ctrl+N new set   Ctrl+Q quit",
    };
}

void Editor::Show(const std::vector<std::string>& lines, bool error) {
    message_ = lines;
    messageIsError_ = error;
}

// ---- events

void Editor::Handle(const WindowEvent& e) {
    using Kind = WindowEvent::Kind;
    if (e.What == Kind::Resize) {
        width_ = e.X;
        height_ = e.Y;
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
        if (e.What == Kind::Text && !prompt_->OneKey) prompt_->Answer += Utf8ToLatin1(e.Text);
        return;
    }
    if (help_ && (e.What == Kind::KeyDown || e.What == Kind::MouseDown)) {
        help_ = false;
        swallowText_ = e.What == Kind::KeyDown;
        return;
    }
    switch (e.What) {
        case Kind::KeyDown:
            return KeyDown(e);
        case Kind::Text:
            return Typed(e.Text);
        case Kind::MouseDown:
            return MouseDown(e);
        case Kind::MouseMove:
            return MouseMove(e);
        case Kind::MouseUp:
            return MouseUp(e);
        case Kind::Wheel:
            return Wheel(e);
        default:
            return;
    }
}

void Editor::Ask(const std::string& question, std::function<void(const std::string&)> done,
                 bool oneKey, const std::string& answer) {
    prompt_ = std::make_unique<Prompt>(Prompt{question, answer, std::move(done), oneKey});
}

void Editor::PromptKey(const WindowEvent& e) {
    if (e.Key == "Escape") {
        prompt_.reset();
        return;
    }
    if (prompt_->OneKey) {
        if (e.Key != "Y" && e.Key != "N") return;
        auto done = std::move(prompt_->Done);
        prompt_.reset();
        swallowText_ = true;
        done(e.Key == "Y" ? "y" : "n");
        return;
    }
    if (e.Key == "Backspace" && !prompt_->Answer.empty()) prompt_->Answer.pop_back();
    if (e.Key == "Return" || e.Key == "Keypad Enter") {
        auto done = std::move(prompt_->Done);
        std::string answer = prompt_->Answer;
        prompt_.reset();
        done(answer);
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

void Editor::KeyDown(const WindowEvent& e) {
    const std::string& k = e.Key;
    const int step = 160;
    if (e.Ctrl) {
        if (k == "Z") return Undo();
        if (k == "Y") return Redo();
        if (k == "S") return e.Shift ? SaveAs() : Save();
        if (k == "Q") return WhenSaved([this] { finished_ = true; });
        if (k == "O")
            return WhenSaved([this] {
                Ask("Open (a .lev or .lvl file):", [this](const std::string& path) {
                    if (!path.empty()) OpenFile(Latin1ToUtf8(path));
                });
            });
        if (k == "N") return WhenSaved([this] { StartNew(""); });
        if (k == "A")
            return Ask("New level: columns rows name", [this](const std::string& answer) {
                std::vector<int> size;
                std::string name;
                if (!ParseInts(answer, size, 2, &name) || size[0] < 1 || size[0] > kMaxPlayArea ||
                    size[1] < 1 || size[1] > kMaxPlayArea)
                    return Show({"a level is 1 to 99 columns by 1 to 99 rows"}, true);
                LevelRecord level = NewLevel(size[0], size[1], name.empty() ? "New level" : name,
                                             set_.Level(level_).TileSetFile);
                if (set_.AddLevel(level_ + 1, level))
                    SetLevel(level_ + 1);
                else
                    Show({"a set holds at most 100 levels"}, true);
            });
        if (k == "D") {
            if (set_.DuplicateLevel(level_)) return SetLevel(level_ + 1);
            return Show({"a set holds at most 100 levels"}, true);
        }
        if (k == "Delete") {
            if (!set_.DeleteLevel(level_)) return Show({"a set keeps at least one level"}, true);
            return SetLevel(std::min(level_, set_.LevelCount() - 1));
        }
        int sides[4] = {0, 0, 0, 0};
        int by = e.Shift ? -1 : 1;
        if (k == "Left") sides[0] = by;
        if (k == "Up") sides[1] = by;
        if (k == "Right") sides[2] = by;
        if (k == "Down") sides[3] = by;
        if (sides[0] || sides[1] || sides[2] || sides[3]) {
            if (!set_.Resize(level_, sides[0], sides[1], sides[2], sides[3]))
                Show({"a level is 1 to 99 columns by 1 to 99 rows"}, true);
            return;
        }
        return SelectionKey(k, e.Shift);
    }
    if (e.Alt && (k == "Up" || k == "Down")) {
        int to = level_ + (k == "Up" ? -1 : 1);
        if (set_.MoveLevel(level_, to)) level_ = to;
        return;
    }
    if (k == "F1") {
        help_ = true;
        return;
    }
    if (k == "F5") return TestPlayLevel();
    if (k == "F10")
        return Ask(
            "Test play speed (200 to 400):",
            [this](const std::string& a) {
                std::vector<int> v;
                if (!ParseInts(a, v, 1, nullptr) || v[0] < 200 || v[0] > 400)
                    return Show({"the speed is 200 to 400"}, true);
                speed_ = v[0];
            },
            false, std::to_string(speed_));
    if (k == "Escape") {
        selection_ = {};
        return;
    }
    if (k == "Delete" && selection_.Cols > 0) return set_.Clear(level_, selection_);
    if (k == "Tab") {
        int n = set_.LevelCount();
        return SetLevel((level_ + (e.Shift ? n - 1 : 1)) % n);
    }
    if (k == "Left") viewX_ -= step;
    if (k == "Right") viewX_ += step;
    if (k == "Up") viewY_ -= step;
    if (k == "Down") viewY_ += step;
    if (k == "Page Up") ZoomBy(-1, -1, -1);
    if (k == "Page Down") ZoomBy(1, -1, -1);
    if (k == "Home") ZoomToFit();
    LevelProperties props = set_.Properties(level_);
    auto setProps = [this](LevelProperties p) { set_.SetProperties(level_, p); };
    if (k == "F2")
        Ask(
            "Level name:",
            [setProps, props](const std::string& a) mutable {
                props.LevelName = a.substr(0, 255);
                setProps(props);
            },
            false, props.LevelName);
    if (k == "F3")
        Ask(
            "Tile set file (in the game's folder):",
            [this, setProps, props](const std::string& a) mutable {
                props.TileSetFile = a.substr(0, 255);
                setProps(props);
                map_.Invalidate();
            },
            false, props.TileSetFile);
    if (k == "F4")
        Ask(
            "Infotron quota (0: every infotron):",
            [this, setProps, props](const std::string& a) mutable {
                std::vector<int> v;
                if (!ParseInts(a, v, 1, nullptr) || v[0] < 0)
                    return Show({"the quota is a number 0 and up"}, true);
                props.InfotronQuota = v[0];
                setProps(props);
            },
            false, std::to_string(props.InfotronQuota));
    if (k == "F9")
        Ask(
            "Level flags:",
            [this, setProps, props](const std::string& a) mutable {
                std::vector<int> v;
                if (!ParseInts(a, v, 1, nullptr)) return Show({"the flags are a number"}, true);
                props.LevelFlags = v[0];
                setProps(props);
            },
            false, std::to_string(props.LevelFlags));
    if (k == "F6")
        Ask(
            "Set name:",
            [this](const std::string& a) {
                set_.SetName = a.substr(0, 255);
                Show({"the set's name is saved with the first level's source"}, false);
            },
            false, set_.SetName);
    int col = 0, row = 0;
    if (k == "F7" && CellAtPoint(pointerX_, pointerY_, col, row)) {
        LevelRecordCell cell = set_.Level(level_).CellAt(col, row);
        Ask(
            "Cell (" + std::to_string(col) + ", " + std::to_string(row) +
                "): layer (100, 101 or 102) and frame:",
            [this, col, row, cell](const std::string& a) mutable {
                std::vector<int> v;
                if (!ParseInts(a, v, 2, nullptr) || v[0] < 100 || v[0] > 102 || v[1] < 0)
                    return Show({"give a layer of 100 to 102 and a frame of 0 and up"}, true);
                cell.Layer = v[0];
                cell.FrameBase = v[1];
                set_.SetCell(level_, col, row, cell);
            },
            false, std::to_string(cell.Layer) + " " + std::to_string(cell.FrameBase));
    }
    if (k == "F8") {
        const LevelRecord& level = set_.Level(level_);
        Ask(
            "Size: columns rows",
            [this](const std::string& a) {
                std::vector<int> v;
                const LevelRecord& now = set_.Level(level_);
                if (!ParseInts(a, v, 2, nullptr) ||
                    !set_.Resize(level_, 0, 0, v[0] - now.Cols, v[1] - now.Rows))
                    Show({"a level is 1 to 99 columns by 1 to 99 rows"}, true);
            },
            false, std::to_string(level.Cols) + " " + std::to_string(level.Rows));
    }
}

void Editor::SelectionKey(const std::string& k, bool shift) {
    int col = 0, row = 0;
    bool atPointer = CellAtPoint(pointerX_, pointerY_, col, row);
    if (k == "V" && clipboard_.Cols > 0) {
        if (!atPointer) {
            col = selection_.Cols > 0 ? selection_.Col : 1;
            row = selection_.Cols > 0 ? selection_.Row : 1;
        }
        set_.Paste(level_, col, row, clipboard_);
        selection_ = {col, row, clipboard_.Cols, clipboard_.Rows};
        return;
    }
    if (selection_.Cols == 0) return;
    if (k == "C") clipboard_ = set_.Copy(level_, selection_);
    if (k == "X") clipboard_ = set_.Cut(level_, selection_);
    if (k == "H") selection_ = set_.TurnArea(level_, selection_, Turn::FlipSideways);
    if (k == "J") selection_ = set_.TurnArea(level_, selection_, Turn::FlipUpsideDown);
    if (k == "R")
        selection_ =
            set_.TurnArea(level_, selection_, shift ? Turn::Anticlockwise : Turn::Clockwise);
}

void Editor::Typed(const std::string& text) {
    if (text.size() != 1) return;
    char ch = text[0];
    switch (ch) {
        case 'p':
            tool_ = Tool::Pencil;
            return;
        case 'l':
            tool_ = Tool::Line;
            return;
        case 'e':
            tool_ = Tool::Rectangle;
            return;
        case 'q':
            tool_ = Tool::FilledRectangle;
            return;
        case 'k':
            tool_ = Tool::Fill;
            return;
        case 's':
            tool_ = Tool::Start;
            return;
        case 'm':
            tool_ = Tool::Select;
            return;
        case 'g':
            grid_ = !grid_;
            return;
        case kStartChar:
            tool_ = Tool::Start;
            return;
        default:
            break;
    }
    int32_t tile = LegendTile(ch);
    if (tile < 0) return;
    tile_ = tile;
    if (tool_ == Tool::Start || tool_ == Tool::Select) tool_ = Tool::Pencil;
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
        if (tile > 0) {
            tile_ = tile;
            if (tool_ == Tool::Start || tool_ == Tool::Select) tool_ = Tool::Pencil;
        }
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

// ---- where the pointer is

Editor::Layout Editor::LayoutOf(int width, int height) const {
    Layout l;
    int listWidth = 260, paletteWidth = kThumbsPerRow * kThumbStep + 16;
    int statusTop = height - 20, checksTop = statusTop - 5 * kLineHeight - 4;
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

int32_t Editor::PaletteTileAt(int x, int y) const {
    Layout l = LayoutOf(width_, height_);
    int top = l.Palette.Top + 4;
    for (const PaletteGroup& group : palette_) {
        top += kLineHeight;
        for (size_t i = 0; i < group.Tiles.size(); ++i) {
            int tx = l.Palette.Left + 8 + static_cast<int>(i % kThumbsPerRow) * kThumbStep;
            int ty = top + static_cast<int>(i / kThumbsPerRow) * kThumbStep;
            if (x >= tx && x < tx + kThumb && y >= ty && y < ty + kThumb) return group.Tiles[i];
        }
        top +=
            static_cast<int>((group.Tiles.size() + kThumbsPerRow - 1) / kThumbsPerRow) * kThumbStep;
    }
    return 0;
}

int Editor::ListLevelAt(int x, int y) const {
    Layout l = LayoutOf(width_, height_);
    int first = std::max(0, level_ - (l.List.Bottom - l.List.Top - 30) / kLineHeight + 1);
    int n = first + (y - l.List.Top - 22) / kLineHeight;
    if (y < l.List.Top + 22 || x >= l.List.Right || n < 0 || n >= set_.LevelCount()) return -1;
    return n;
}

// ---- drawing

void Editor::Text(Surface& frame, int x, int y, const std::string& latin1, uint32_t rgb) {
    uint32_t bgr = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    text_->SetColor(bgr);
    text_->WriteText(frame, x, y, latin1);
}

void Editor::LoadTiles() {
    const std::string& name = set_.Level(level_).TileSetFile;
    if (name == tilesLoaded_) return;
    tilesLoaded_ = name;
    thumbnails_.clear();
    try {
        tiles_.LoadPictures(dataDir_ + name);
    } catch (const std::exception& e) {
        tiles_.Clear();
        Show({std::string(e.what()) + " (tiles are drawn as coloured squares)"}, true);
    }
    palette_ = PaletteGroups(tiles_.Count() > 0 ? tiles_.Count() : tcEatFirst);
    map_.Invalidate();
}

const Surface& Editor::Thumbnail(int32_t tile) {
    if (thumbnails_.size() <= static_cast<size_t>(tile))
        thumbnails_.resize(static_cast<size_t>(tile) + 1);
    Surface& thumb = thumbnails_[static_cast<size_t>(tile)];
    if (thumb.Width > 0) return thumb;
    LevelRecord one = NewLevel(1, 1, "");
    one.CellAt(1, 1).Tile = tile;
    MapPicture picture;
    picture.Update(one, tiles_, 0);
    thumb.Resize(kThumb, kThumb);
    picture.DrawView(thumb, {0, 0, kThumb, kThumb}, kThumb, kThumb, kThumb);
    return thumb;
}

bool Editor::ShowsAlready(Panel panel, std::string look) {
    std::optional<std::string>& drawn = drawnLooks_[panel];
    if (drawn == look) return true;
    drawn = std::move(look);
    return false;
}

void Editor::Draw(Surface& frame) {
    if (frame.Width != width_ || frame.Height != height_) {
        frame.Resize(width_, height_);
        drawnPixels_ = nullptr;  // a new layout: every panel is drawn again
    }
    if (frame.Pixels.data() != drawnPixels_) {
        drawnPixels_ = frame.Pixels.data();
        for (std::optional<std::string>& look : drawnLooks_) look.reset();
    }
    LoadTiles();
    Layout l = LayoutOf(width_, height_);
    // The panels cover the whole frame, each filling its own background; a panel whose look is
    // the one already in the frame is left as it is.
    DrawMap(frame, l.Map);
    DrawList(frame, l.List);
    DrawPalette(frame, l.Palette);
    DrawChecks(frame, l.Checks);
    DrawStatus(frame, l.Status);
}

void Editor::DrawMap(Surface& frame, const Rect& area) {
    const LevelRecord& level = set_.Level(level_);
    map_.Update(level, tiles_, set_.LevelRevision(level_));
    const MapPicture::ChangedRows changed = map_.TakeChanges();
    auto cellRect = [&](int col, int row) {
        int x = area.Left + col * cell_ - viewX_, y = area.Top + row * cell_ - viewY_;
        return Rect{x, y, x + cell_, y + cell_};
    };

    // The marks over the map: the start, the selection, the drag and the cell under the pointer.
    // An area that reaches out of view is framed at the edge of the view.
    std::vector<MapMark> marks;
    auto markArea = [&](const CellArea& a, uint16_t colour) {
        Rect from = cellRect(a.Col, a.Row), to = cellRect(a.Col + a.Cols - 1, a.Row + a.Rows - 1);
        Rect r{from.Left, from.Top, to.Right, to.Bottom};
        bool inView = r.Left >= area.Left && r.Top >= area.Top && r.Right <= area.Right &&
                      r.Bottom <= area.Bottom;
        marks.push_back({inView ? r : Intersection(r, area), colour});
    };
    int startCol = 0, startRow = 0;
    bool start = StartCell(level, startCol, startRow);
    bool startLetter = false;
    Rect startBox = cellRect(startCol, startRow);
    if (start) {
        int inset = std::max(1, cell_ / 5);
        marks.push_back({Intersection({startBox.Left + inset, startBox.Top + inset,
                                       startBox.Right - inset, startBox.Bottom - inset},
                                      area),
                         Rgb565(255, 255, 0)});
        Rect c = Intersection(startBox, area);
        startLetter = cell_ >= 16 && c.Right - c.Left == cell_ && c.Bottom - c.Top == cell_;
        if (startLetter) marks.push_back({startBox, 0, true});
    }
    if (selection_.Cols > 0) markArea(selection_, Rgb565(0, 255, 255));
    if (dragging_) {
        CellArea a = tool_ == Tool::Line ? CellArea{dragCol_, dragRow_, 1, 1}
                                         : AreaBetween(anchorCol_, anchorRow_, dragCol_, dragRow_);
        markArea(a, Rgb565(255, 128, 0));
        if (tool_ == Tool::Line) markArea({anchorCol_, anchorRow_, 1, 1}, Rgb565(255, 128, 0));
    }
    int hoverCol = 0, hoverRow = 0;
    if (CellAtPoint(pointerX_, pointerY_, hoverCol, hoverRow))
        markArea({hoverCol, hoverRow, 1, 1}, Rgb565(255, 255, 255));

    // The rows of the view to draw again: all of them when the view itself changed, else those
    // of the cells that changed and of the marks that moved, came or went.
    std::string viewLook;
    for (int n : {level_, level.Cols, level.Rows, cell_, viewX_, viewY_, int(grid_), int(help_),
                  area.Left, area.Top, area.Right, area.Bottom})
        viewLook += std::to_string(n) + ",";
    int rowsFrom = area.Top, rowsTo = area.Bottom;
    if (ShowsAlready(kMapPanel, viewLook) && !help_) {
        rowsFrom = area.Bottom;
        rowsTo = area.Top;
        auto take = [&](int top, int bottom) {
            rowsFrom = std::min(rowsFrom, std::max(top, area.Top));
            rowsTo = std::max(rowsTo, std::min(bottom, area.Bottom));
        };
        if (changed.Any()) take(cellRect(0, changed.First).Top, cellRect(0, changed.Last).Bottom);
        for (const MapMark& m : marks)
            if (std::find(drawnMarks_.begin(), drawnMarks_.end(), m) == drawnMarks_.end())
                take(m.Box.Top, m.Box.Bottom);
        for (const MapMark& m : drawnMarks_)
            if (std::find(marks.begin(), marks.end(), m) == marks.end())
                take(m.Box.Top, m.Box.Bottom);
        // The start's letter is blended over the map: it is drawn only over fresh rows.
        if (startLetter && rowsFrom < startBox.Bottom && rowsTo > startBox.Top)
            take(startBox.Top - kLineHeight, startBox.Bottom + kLineHeight);
        if (rowsFrom >= rowsTo) {
            drawnMarks_ = std::move(marks);
            return;
        }
    }
    drawnMarks_ = marks;
    map_.DrawView(frame, area, cell_, viewX_, viewY_, rowsFrom, rowsTo);
    // Everything over the map is drawn inside the rows drawn again (within the map's area).
    const Rect band{area.Left, rowsFrom, area.Right, rowsTo};
    if (grid_ && cell_ >= 6) {
        uint16_t line = Rgb565(70, 70, 90);
        for (int col = 1; col <= level.Cols + 1; ++col) {
            int x = area.Left + col * cell_ - viewX_;
            if (x >= area.Left && x < area.Right)
                FillRect(frame,
                         Intersection({x, area.Top + cell_ - viewY_, x + 1,
                                       area.Top + (level.Rows + 1) * cell_ - viewY_},
                                      band),
                         line);
        }
        for (int row = 1; row <= level.Rows + 1; ++row) {
            int y = area.Top + row * cell_ - viewY_;
            if (y >= area.Top && y < area.Bottom)
                FillRect(frame,
                         Intersection({area.Left + cell_ - viewX_, y,
                                       area.Left + (level.Cols + 1) * cell_ - viewX_, y + 1},
                                      band),
                         line);
        }
    }
    for (const MapMark& m : marks) {
        if (m.Letter) {
            if (std::max(m.Box.Top - kLineHeight, area.Top) >= rowsFrom &&
                std::min(m.Box.Bottom + kLineHeight, area.Bottom) <= rowsTo)
                Text(frame, m.Box.Left + cell_ / 2 - 5, m.Box.Top + cell_ / 2 - 8, "@", 0xFFFF00);
            continue;
        }
        FrameRect(frame, m.Box, m.Colour, band);
    }
    if (help_) DrawHelp(frame, area);
}

void Editor::DrawList(Surface& frame, const Rect& area) {
    struct Row {
        std::string Label, Mark;
        uint32_t LabelColour, MarkColour;
    };
    int rows = (area.Bottom - area.Top - 30) / kLineHeight;
    int first = std::max(0, level_ - rows + 1);
    std::vector<Row> shown;
    std::string look = std::to_string(set_.LevelCount()) + "," + std::to_string(level_) + ",";
    for (int i = first; i < set_.LevelCount() && i < first + rows; ++i) {
        const LevelState& checked = StateOf(i);
        ProofState state = checked.Proof;
        Row row{(i < 9 ? "0" : "") + std::to_string(i + 1) + "  " + set_.Level(i).LevelName,
                ProofStateName(state), checked.Errors ? kRed : kWhite,
                state == ProofState::Proven                                  ? kGreen
                : state == ProofState::Stale                                 ? kYellow
                : state == ProofState::None || state == ProofState::Checking ? kGrey
                                                                             : kRed};
        look += row.Label + "\n" + row.Mark + "," + std::to_string(row.LabelColour) + "," +
                std::to_string(row.MarkColour) + "\n";
        shown.push_back(std::move(row));
    }
    if (ShowsAlready(kListPanel, look)) return;
    FillRect(frame, area, Rgb565(28, 28, 44));
    Text(frame, area.Left + 8, area.Top + 3, "Levels (" + std::to_string(set_.LevelCount()) + ")",
         kGrey);
    for (size_t n = 0; n < shown.size(); ++n) {
        int y = area.Top + 22 + static_cast<int>(n) * kLineHeight;
        if (first + static_cast<int>(n) == level_)
            FillRect(frame, {area.Left, y, area.Right, y + kLineHeight}, Rgb565(60, 60, 120));
        Text(frame, area.Left + 8, y, shown[n].Label, shown[n].LabelColour);
        Text(frame, area.Right - 8 - text_->TextPixelWidth(shown[n].Mark), y, shown[n].Mark,
             shown[n].MarkColour);
    }
}

void Editor::DrawPalette(Surface& frame, const Rect& area) {
    if (ShowsAlready(kPalettePanel, tilesLoaded_ + "\n" + std::to_string(tiles_.Count()) + "," +
                                        std::to_string(palette_.size()) + "," +
                                        std::to_string(tile_)))
        return;
    FillRect(frame, area, Rgb565(28, 28, 44));
    int top = area.Top + 4;
    for (const PaletteGroup& group : palette_) {
        Text(frame, area.Left + 8, top, group.Name, kGrey);
        top += kLineHeight;
        for (size_t i = 0; i < group.Tiles.size(); ++i) {
            int x = area.Left + 8 + static_cast<int>(i % kThumbsPerRow) * kThumbStep;
            int y = top + static_cast<int>(i / kThumbsPerRow) * kThumbStep;
            if (y + kThumb > area.Bottom) break;
            const Surface& thumb = Thumbnail(group.Tiles[i]);
            for (int ty = 0; ty < kThumb; ++ty)
                std::copy(thumb.Row(ty), thumb.Row(ty) + kThumb, frame.Row(y + ty) + x);
            if (group.Tiles[i] == tile_)
                FrameRect(frame, {x - 2, y - 2, x + kThumb + 2, y + kThumb + 2},
                          Rgb565(255, 255, 0));
        }
        top +=
            static_cast<int>((group.Tiles.size() + kThumbsPerRow - 1) / kThumbsPerRow) * kThumbStep;
    }
}

void Editor::DrawChecks(Surface& frame, const Rect& area) {
    std::vector<std::pair<std::string, uint32_t>> shown;
    int lines = (area.Bottom - area.Top) / kLineHeight;
    for (const std::string& line : message_) {
        if (lines-- <= 1) break;
        shown.emplace_back(line, messageIsError_ ? kRed : kGreen);
    }
    // The numbers in the texts follow the level's place in the list.
    if (StateOf(level_).Findings.empty() && lines > 0)
        shown.emplace_back("Checks: the level can be saved", kGreen);
    for (const LevelFinding& f : StateOf(level_).Findings) {
        if (lines-- <= 0) break;
        shown.emplace_back(std::string(f.Warning ? "warning: " : "error: ") + f.Text,
                           f.Warning ? kYellow : kRed);
    }
    std::string look;
    for (const auto& [line, colour] : shown) look += line + "\n" + std::to_string(colour) + "\n";
    if (ShowsAlready(kChecksPanel, look)) return;
    FillRect(frame, area, Rgb565(20, 20, 30));
    int y = area.Top + 2;
    for (const auto& [line, colour] : shown) {
        Text(frame, 8, y, line, colour);
        y += kLineHeight;
    }
}

void Editor::DrawStatus(Surface& frame, const Rect& area) {
    if (prompt_) {
        std::string question = prompt_->Question + " " + prompt_->Answer + "_";
        if (ShowsAlready(kStatusPanel, "?" + question)) return;
        FillRect(frame, area, Rgb565(40, 40, 60));
        Text(frame, 8, area.Top + 2, question, kYellow);
        return;
    }
    const LevelRecord& level = set_.Level(level_);
    std::string text;
    int col = 0, row = 0;
    if (CellAtPoint(pointerX_, pointerY_, col, row)) {
        int32_t t = level.CellAt(col, row).Tile;
        text = "(" + std::to_string(col) + ", " + std::to_string(row) + ") " + TileName(t) + " [" +
               std::to_string(t) + "]   ";
    }
    const std::vector<int>& counts = StateOf(level_).TileCounts;
    text += "infotrons " + std::to_string(counts[tcInfotron]) + " (quota " +
            std::to_string(level.InfotronQuota) + ")  monsters " +
            std::to_string(counts[tcMonsterTurning]) + " turning, " +
            std::to_string(counts[tcMonsterCrawling]) + " crawling  bombs " +
            std::to_string(counts[tcBomb]) + "  lives " + std::to_string(counts[tcLife]) +
            "  exits " + std::to_string(counts[tcExit]) + "   " + std::to_string(level.Cols) +
            " x " + std::to_string(level.Rows) + "  zoom " + std::to_string(cell_) + " px   " +
            ToolName(tool_) + ": " + TileName(tile_) + (Unsaved() ? "   (unsaved)" : "") +
            "   F1 help";
    if (ShowsAlready(kStatusPanel, text)) return;
    FillRect(frame, area, Rgb565(40, 40, 60));
    Text(frame, 8, area.Top + 2, text, kWhite);
}

void Editor::DrawHelp(Surface& frame, const Rect& area) {
    FillRect(frame, area, Rgb565(10, 10, 30));
    int y = area.Top + 10;
    Text(frame, area.Left + 12, y, "Tolmara Deepgrid level editor: keys", kYellow);
    y += kLineHeight + 6;
    for (const std::string& line : HelpLines()) {
        Text(frame, area.Left + 12, y, line, kWhite);
        y += kLineHeight + 2;
    }
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
