// The editor's commands: the table of keys, what each does and its help, and the questions asked
// in the status line with their answers' editing.
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "editor.h"
#include "level/level_legend.h"
#include "media/text_canvas.h"

namespace {

// The characters that pick a tile, as level sources write them.
std::string LegendCharacters() {
    std::string all;
    for (int ch = 32; ch < 127; ++ch)
        if (LegendTile(static_cast<char>(ch)) >= 0) all += static_cast<char>(ch);
    return all;
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

// The key of an event as the table writes it: "Ctrl+Shift+R".
std::string KeyOf(const WindowEvent& e) {
    return std::string(e.Ctrl ? "Ctrl+" : "") + (e.Shift ? "Shift+" : "") + (e.Alt ? "Alt+" : "") +
           e.Key;
}

// The characters of UTF-8 text (lead bytes; a stray continuation byte is no character).
size_t CharacterCount(const std::string& utf8) {
    return static_cast<size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

constexpr size_t kLongestAnswer = 1000;

}  // namespace

const std::vector<EditorCommand>& Editor::Commands() {
    static const std::vector<EditorCommand> commands = {
        {"F1", "this help (any key closes it)", {"F1"}, "", &Editor::ShowHelp},
        {"map characters",
         "pick that tile, as in level sources: `.` floor, space or `_` empty, `:` `;` `,` "
         "circuits, `o` infotron, `O` ball, `r` `y` dynamite, `+` life, `b` bomb, `E` exit, `T` "
         "`t` `u` terminals, `<` `v` `^` `>` traps, `R` `D` `L` `U` ports, `h` hazard, `[` `]` "
         "drifts, `M` `W` monsters, `a` animated, `#` `=` `&` `$` `~` `!` ceramic walls (blasts "
         "break them), `X` `%` `1`-`8` steel walls",
         {},
         LegendCharacters(),
         &Editor::PickTyped},
        {"`p`", "pencil", {}, "p", &Editor::ChooseTool},
        {"`l`", "line", {}, "l", &Editor::ChooseTool},
        {"`e`", "rectangle", {}, "e", &Editor::ChooseTool},
        {"`q`", "filled rectangle", {}, "q", &Editor::ChooseTool},
        {"`k`", "flood fill", {}, "k", &Editor::ChooseTool},
        {"`s`, `@`", "start position", {}, "s@", &Editor::ChooseTool},
        {"`m`", "select", {}, "m", &Editor::ChooseTool},
        {"`g`", "grid lines on or off", {}, "g", &Editor::ToggleGrid},
        {"left button",
         "use the tool (drag to paint, span a line or a rectangle, or select)",
         {},
         ""},
        {"right button", "take the tile under the pointer", {}, ""},
        {"palette",
         "a click picks the tile; the status line names the tile under the pointer",
         {},
         ""},
        {"arrows", "scroll", {"Left", "Right", "Up", "Down"}, "", &Editor::Scroll},
        {"middle drag, wheel, Shift+wheel", "scroll", {}, ""},
        {"PageUp", "zoom in", {"PageUp"}, "", &Editor::ZoomIn},
        {"PageDown", "zoom out (40 down to 4 pixels a cell)", {"PageDown"}, "", &Editor::ZoomOut},
        {"Ctrl+wheel", "zoom in or out about the pointer", {}, ""},
        {"Home", "the whole level in view", {"Home"}, "", &Editor::WholeLevel},
        {"Ctrl+Z", "undo (without limit)", {"Ctrl+Z"}, "", &Editor::UndoKey},
        {"Ctrl+Y", "redo", {"Ctrl+Y"}, "", &Editor::RedoKey},
        {"Ctrl+C", "copy the selection", {"Ctrl+C"}, "", &Editor::CopySelection},
        {"Ctrl+X", "cut the selection", {"Ctrl+X"}, "", &Editor::CutSelection},
        {"Ctrl+V", "paste at the pointer", {"Ctrl+V"}, "", &Editor::PasteClipboard},
        {"Delete", "clear the selection", {"Delete"}, "", &Editor::ClearSelection},
        {"Escape", "drop the selection", {"Escape"}, "", &Editor::DropSelection},
        {"Ctrl+H", "flip the selection sideways", {"Ctrl+H"}, "", &Editor::TurnSelection},
        {"Ctrl+J", "flip the selection upside down", {"Ctrl+J"}, "", &Editor::TurnSelection},
        {"Ctrl+R",
         "turn the selection right (ports, traps and drifts turn too)",
         {"Ctrl+R"},
         "",
         &Editor::TurnSelection},
        {"Ctrl+Shift+R", "turn the selection left", {"Ctrl+Shift+R"}, "", &Editor::TurnSelection},
        {"Ctrl+arrow",
         "grow the level by a cell on that side",
         {"Ctrl+Left", "Ctrl+Up", "Ctrl+Right", "Ctrl+Down"},
         "",
         &Editor::GrowOrShrink},
        {"Ctrl+Shift+arrow",
         "shrink the level by a cell on that side",
         {"Ctrl+Shift+Left", "Ctrl+Shift+Up", "Ctrl+Shift+Right", "Ctrl+Shift+Down"},
         "",
         &Editor::GrowOrShrink},
        {"F2", "level name", {"F2"}, "", &Editor::AskLevelName},
        {"F3", "tile set file", {"F3"}, "", &Editor::AskTileSet},
        {"F4", "infotron quota", {"F4"}, "", &Editor::AskQuota},
        {"F6", "set name", {"F6"}, "", &Editor::AskSetName},
        {"F7", "layer and frame of the cell under the pointer", {"F7"}, "", &Editor::AskCell},
        {"F8",
         "size: columns and rows (taken or added at the right and bottom)",
         {"F8"},
         "",
         &Editor::AskSize},
        {"F9", "level flags", {"F9"}, "", &Editor::AskFlags},
        {"F5",
         "test play in the game's window (Escape or the level's end comes back); a play that "
         "makes the level is kept as its proof, saved beside the set as `SETNAME-NN.replay`",
         {"F5"},
         "",
         &Editor::TestPlayKey},
        {"F10", "test play speed", {"F10"}, "", &Editor::AskSpeed},
        {"Tab", "next level", {"Tab"}, "", &Editor::NextLevel},
        {"Shift+Tab", "previous level", {"Shift+Tab"}, "", &Editor::NextLevel},
        {"Ctrl+A", "add a level after this one", {"Ctrl+A"}, "", &Editor::AskNewLevel},
        {"Ctrl+D", "duplicate the level", {"Ctrl+D"}, "", &Editor::DuplicateLevel},
        {"Ctrl+Delete", "delete the level", {"Ctrl+Delete"}, "", &Editor::DeleteLevel},
        {"Alt+Up, Alt+Down",
         "move the level up or down the list",
         {"Alt+Up", "Alt+Down"},
         "",
         &Editor::MoveLevel},
        {"Ctrl+S", "save", {"Ctrl+S"}, "", &Editor::SaveKey},
        {"Ctrl+Shift+S", "save as", {"Ctrl+Shift+S"}, "", &Editor::SaveAsKey},
        {"Ctrl+O", "open a set or a level source", {"Ctrl+O"}, "", &Editor::OpenKey},
        {"Ctrl+N", "new set", {"Ctrl+N"}, "", &Editor::NewSetKey},
        {"Ctrl+Q",
         "quit (unsaved changes are asked about first)",
         {"Ctrl+Q"},
         "",
         &Editor::QuitKey},
        {"in a question",
         "Left, Right, Home, End move the cursor; Backspace, Delete erase; Ctrl+A selects the "
         "whole answer (typing replaces it); Ctrl+V pastes; Return answers; Escape drops the "
         "question",
         {},
         ""},
    };
    return commands;
}

std::string Editor::KeysMarkdown() {
    std::string out = "| Keys | Action |\n|---|---|\n";
    for (const EditorCommand& c : Commands()) out += "| " + c.Shown + " | " + c.Help + " |\n";
    return out;
}

// ---- keys and typed characters

void Editor::KeyDown(const WindowEvent& e) {
    const std::string key = KeyOf(e);
    for (const EditorCommand& c : Commands())
        if (c.Run && std::find(c.Keys.begin(), c.Keys.end(), key) != c.Keys.end())
            return (this->*c.Run)(e);
}

void Editor::Typed(const WindowEvent& e) {
    if (e.Text.size() != 1) return;
    for (const EditorCommand& c : Commands())
        if (c.Run && c.Typed.find(e.Text[0]) != std::string::npos) return (this->*c.Run)(e);
}

void Editor::PickTyped(const WindowEvent& e) {
    int32_t tile = LegendTile(e.Text[0]);
    if (tile > 0) PickTile(tile);
}

void Editor::PickTile(int32_t tile) {
    tile_ = tile;
    if (tool_ == Tool::Start || tool_ == Tool::Select) tool_ = Tool::Pencil;
}

void Editor::ShowHelp(const WindowEvent&) {
    help_ = true;
}

void Editor::ChooseTool(const WindowEvent& e) {
    switch (e.Text[0]) {
        case 'p':
            tool_ = Tool::Pencil;
            break;
        case 'l':
            tool_ = Tool::Line;
            break;
        case 'e':
            tool_ = Tool::Rectangle;
            break;
        case 'q':
            tool_ = Tool::FilledRectangle;
            break;
        case 'k':
            tool_ = Tool::Fill;
            break;
        case 'm':
            tool_ = Tool::Select;
            break;
        default:
            tool_ = Tool::Start;
            break;
    }
}

void Editor::ToggleGrid(const WindowEvent&) {
    grid_ = !grid_;
}

void Editor::Scroll(const WindowEvent& e) {
    const int step = 160;
    if (e.Key == "Left") viewX_ -= step;
    if (e.Key == "Right") viewX_ += step;
    if (e.Key == "Up") viewY_ -= step;
    if (e.Key == "Down") viewY_ += step;
}

void Editor::ZoomIn(const WindowEvent&) {
    ZoomBy(-1, -1, -1);
}

void Editor::ZoomOut(const WindowEvent&) {
    ZoomBy(1, -1, -1);
}

void Editor::WholeLevel(const WindowEvent&) {
    ZoomToFit();
}

// ---- the selection

void Editor::DropSelection(const WindowEvent&) {
    selection_ = {};
}

void Editor::ClearSelection(const WindowEvent&) {
    if (selection_.Cols > 0) set_.Clear(level_, selection_);
}

void Editor::CopySelection(const WindowEvent&) {
    if (selection_.Cols > 0) clipboard_ = set_.Copy(level_, selection_);
}

void Editor::CutSelection(const WindowEvent&) {
    if (selection_.Cols > 0) clipboard_ = set_.Cut(level_, selection_);
}

void Editor::PasteClipboard(const WindowEvent&) {
    if (clipboard_.Cols == 0) return;
    int col = 0, row = 0;
    if (!CellAtPoint(pointerX_, pointerY_, col, row)) {
        col = selection_.Cols > 0 ? selection_.Col : 1;
        row = selection_.Cols > 0 ? selection_.Row : 1;
    }
    set_.Paste(level_, col, row, clipboard_);
    selection_ = {col, row, clipboard_.Cols, clipboard_.Rows};
}

void Editor::TurnSelection(const WindowEvent& e) {
    if (selection_.Cols == 0) return;
    Turn turn = e.Key == "H"   ? Turn::FlipSideways
                : e.Key == "J" ? Turn::FlipUpsideDown
                : e.Shift      ? Turn::Anticlockwise
                               : Turn::Clockwise;
    selection_ = set_.TurnArea(level_, selection_, turn);
}

// ---- the level

void Editor::GrowOrShrink(const WindowEvent& e) {
    const int by = e.Shift ? -1 : 1;
    const std::string& k = e.Key;
    if (!set_.Resize(level_, k == "Left" ? by : 0, k == "Up" ? by : 0, k == "Right" ? by : 0,
                     k == "Down" ? by : 0))
        Show({"a level is 1 to 99 columns by 1 to 99 rows"}, true);
}

void Editor::AskLevelName(const WindowEvent&) {
    LevelProperties props = set_.Properties(level_);
    Ask(
        "Level name:",
        [this, props](const std::string& a) mutable {
            props.LevelName = a.substr(0, 255);
            set_.SetProperties(level_, props);
        },
        false, props.LevelName);
}

void Editor::AskTileSet(const WindowEvent&) {
    LevelProperties props = set_.Properties(level_);
    Ask(
        "Tile set file (in the game's folder):",
        [this, props](const std::string& a) mutable {
            props.TileSetFile = a.substr(0, 255);
            set_.SetProperties(level_, props);
            map_.Invalidate();
        },
        false, props.TileSetFile);
}

void Editor::AskQuota(const WindowEvent&) {
    LevelProperties props = set_.Properties(level_);
    Ask(
        "Infotron quota (0: every infotron):",
        [this, props](const std::string& a) mutable {
            std::vector<int> v;
            if (!ParseInts(a, v, 1, nullptr) || v[0] < 0)
                return Show({"the quota is a number 0 and up"}, true);
            props.InfotronQuota = v[0];
            set_.SetProperties(level_, props);
        },
        false, std::to_string(props.InfotronQuota));
}

void Editor::AskFlags(const WindowEvent&) {
    LevelProperties props = set_.Properties(level_);
    Ask(
        "Level flags:",
        [this, props](const std::string& a) mutable {
            std::vector<int> v;
            if (!ParseInts(a, v, 1, nullptr)) return Show({"the flags are a number"}, true);
            props.LevelFlags = v[0];
            set_.SetProperties(level_, props);
        },
        false, std::to_string(props.LevelFlags));
}

void Editor::AskSetName(const WindowEvent&) {
    Ask(
        "Set name:",
        [this](const std::string& a) {
            set_.Rename(a.substr(0, 255));
            Show({"the set's name is saved with the first level's source"}, false);
        },
        false, set_.SetName);
}

void Editor::AskCell(const WindowEvent&) {
    int col = 0, row = 0;
    if (!CellAtPoint(pointerX_, pointerY_, col, row)) return;
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

void Editor::AskSize(const WindowEvent&) {
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

void Editor::AskSpeed(const WindowEvent&) {
    Ask(
        "Test play speed (200 to 400):",
        [this](const std::string& a) {
            std::vector<int> v;
            if (!ParseInts(a, v, 1, nullptr) || v[0] < 200 || v[0] > 400)
                return Show({"the speed is 200 to 400"}, true);
            speed_ = v[0];
        },
        false, std::to_string(speed_));
}

// ---- the list of levels and the set

void Editor::NextLevel(const WindowEvent& e) {
    int n = set_.LevelCount();
    SetLevel((level_ + (e.Shift ? n - 1 : 1)) % n);
}

void Editor::AskNewLevel(const WindowEvent&) {
    Ask("New level: columns rows name", [this](const std::string& answer) {
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
}

void Editor::DuplicateLevel(const WindowEvent&) {
    if (set_.DuplicateLevel(level_)) return SetLevel(level_ + 1);
    Show({"a set holds at most 100 levels"}, true);
}

void Editor::DeleteLevel(const WindowEvent&) {
    if (!set_.DeleteLevel(level_)) return Show({"a set keeps at least one level"}, true);
    SetLevel(std::min(level_, set_.LevelCount() - 1));
}

void Editor::MoveLevel(const WindowEvent& e) {
    int to = level_ + (e.Key == "Up" ? -1 : 1);
    if (set_.MoveLevel(level_, to)) level_ = to;
}

void Editor::OpenKey(const WindowEvent&) {
    WhenSaved([this] {
        Ask("Open (a .lev or .lvl file):", [this](const std::string& path) {
            if (!path.empty()) OpenFile(Latin1ToUtf8(path));
        });
    });
}

void Editor::NewSetKey(const WindowEvent&) {
    WhenSaved([this] { StartNew(""); });
}

void Editor::QuitKey(const WindowEvent&) {
    WhenSaved([this] { finished_ = true; });
}

// ---- questions in the status line

void Editor::Ask(const std::string& question, std::function<void(const std::string&)> done,
                 bool oneKey, const std::string& answer) {
    prompt_ = std::make_unique<Prompt>(Prompt{question, answer, std::move(done), oneKey});
    // A given answer is selected whole: typing replaces it, the arrows keep and edit it.
    prompt_->Cursor = answer.size();
    prompt_->AllSelected = !answer.empty();
}

void Editor::PromptKey(const WindowEvent& e) {
    Prompt& p = *prompt_;
    const std::string& k = e.Key;
    if (k == "Escape") {
        prompt_.reset();
        return;
    }
    if (p.OneKey) {
        if (k != "Y" && k != "N") return;
        auto done = std::move(p.Done);
        prompt_.reset();
        swallowText_ = true;
        done(k == "Y" ? "y" : "n");
        return;
    }
    if (k == "Return" || k == "Keypad Enter") {
        auto done = std::move(p.Done);
        std::string answer = p.Answer;
        prompt_.reset();
        done(answer);
        return;
    }
    if (e.Ctrl && k == "A") {
        p.AllSelected = !p.Answer.empty();
        return;
    }
    if (e.Ctrl && k == "V")
        return PromptInsert(clipboardReader_ ? clipboardReader_() : ClipboardText());
    if (!e.Ctrl && !e.Alt) EditAnswer(p, k);
}

void Editor::EditAnswer(Prompt& p, const std::string& k) {
    const bool all = p.AllSelected;
    const size_t end = p.Answer.size();
    if (k == "Backspace" || k == "Delete") {
        if (all) {
            p.Answer.clear();
            p.Cursor = 0;
        } else if (k == "Backspace" && p.Cursor > 0) {
            p.Answer.erase(--p.Cursor, 1);
        } else if (k == "Delete" && p.Cursor < end) {
            p.Answer.erase(p.Cursor, 1);
        }
    } else if (k == "Left") {
        p.Cursor = all ? 0 : p.Cursor - (p.Cursor > 0 ? 1 : 0);
    } else if (k == "Right") {
        p.Cursor = all ? end : std::min(end, p.Cursor + 1);
    } else if (k == "Home") {
        p.Cursor = 0;
    } else if (k == "End") {
        p.Cursor = end;
    } else {
        return;  // other keys (Shift, letters) leave the answer to the typed text
    }
    p.AllSelected = false;
}

void Editor::PromptInsert(const std::string& utf8) {
    Prompt& p = *prompt_;
    const std::string converted = Utf8ToLatin1(utf8);
    const size_t lost = CharacterCount(utf8) - std::min(CharacterCount(utf8), converted.size());
    if (lost > 0)
        Show({"letters outside Latin-1 cannot be kept in a level set: " + std::to_string(lost) +
              (lost == 1 ? " letter" : " letters") + " left out of the answer"},
             true);
    std::string latin1;  // line breaks and other control characters are left out too
    for (char c : converted)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) latin1 += c;
    if (p.AllSelected) {
        p.Answer.clear();
        p.Cursor = 0;
        p.AllSelected = false;
    }
    latin1 = latin1.substr(0, kLongestAnswer - std::min(kLongestAnswer, p.Answer.size()));
    p.Answer.insert(p.Cursor, latin1);
    p.Cursor += latin1.size();
}
