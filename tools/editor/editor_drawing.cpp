// The editor's drawing: each panel of the window into its own area of the frame, drawn again only
// when what it shows changed (and the map only in the rows that changed).
#include <algorithm>

#include "editor.h"
#include "model/edit_set.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kGrey = 0xA0A0A0, kYellow = 0xFFE040, kRed = 0xFF5040,
                   kGreen = 0x60E060;

// Fills the part of r inside the surface.
void FillRect(Surface& s, const Rect& r, uint16_t colour) {
    const Rect in = Intersection(r, {0, 0, s.Width, s.Height});
    if (in.Empty()) return;
    for (int y = in.Top; y < in.Bottom; ++y)
        std::fill(s.Row(y) + in.Left, s.Row(y) + in.Right, colour);
}

// The one-pixel outline of r, drawn only where it falls inside `clip`.
void FrameRect(Surface& s, const Rect& r, uint16_t colour, const Rect& clip) {
    if (r.Empty()) return;
    FillRect(s, Intersection({r.Left, r.Top, r.Right, r.Top + 1}, clip), colour);
    FillRect(s, Intersection({r.Left, r.Bottom - 1, r.Right, r.Bottom}, clip), colour);
    FillRect(s, Intersection({r.Left, r.Top, r.Left + 1, r.Bottom}, clip), colour);
    FillRect(s, Intersection({r.Right - 1, r.Top, r.Right, r.Bottom}, clip), colour);
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

// The help's texts are written for Markdown: the marks around keys are left out on the screen.
std::string Plain(const std::string& markdown) {
    std::string out;
    for (char c : markdown)
        if (c != '`') out += c;
    return out;
}

}  // namespace

void Editor::Text(Surface& frame, int x, int y, const std::string& latin1, uint32_t rgb,
                  const Rect& clip) {
    const uint32_t bgr = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    const std::shared_ptr<const RenderedText> text = text_->Rendered(latin1);
    const Rect within = Intersection(clip, {0, 0, frame.Width, frame.Height});
    if (text->Width > 0 && !within.Empty()) BlendText(frame, x, y, *text, bgr, within);
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
    // The panels cover the whole frame, each filling its own background and drawing only inside
    // its area; a panel whose look is the one already in the frame is left as it is.
    DrawMap(frame, l.Map);
    DrawList(frame, l.List);
    DrawPalette(frame, l.Palette);
    DrawChecks(frame, l.Checks);
    DrawStatus(frame, l.Status);
}

// ---- the map

Rect Editor::CellBox(const Rect& area, int col, int row) const {
    const int x = area.Left + col * cell_ - viewX_, y = area.Top + row * cell_ - viewY_;
    return Rect{x, y, x + cell_, y + cell_};
}

std::vector<Editor::MapMark> Editor::MapMarks(const Rect& area, const LevelRecord& level) const {
    std::vector<MapMark> marks;
    // What reaches out of view is framed at the edge of the view.
    auto frame = [&](const Rect& box, uint16_t colour) {
        const Rect shown = Intersection(box, area);
        if (!shown.Empty()) marks.push_back({shown, colour});
    };
    auto frameArea = [&](const CellArea& a, uint16_t colour) {
        const Rect from = CellBox(area, a.Col, a.Row);
        const Rect to = CellBox(area, a.Col + a.Cols - 1, a.Row + a.Rows - 1);
        frame({from.Left, from.Top, to.Right, to.Bottom}, colour);
    };
    int col = 0, row = 0;
    if (StartCell(level, col, row)) {
        const Rect box = CellBox(area, col, row);
        const int inset = std::max(1, cell_ / 5);
        frame({box.Left + inset, box.Top + inset, box.Right - inset, box.Bottom - inset},
              Rgb565(255, 255, 0));
        const Rect shown = Intersection(box, area);
        if (cell_ >= 16 && shown.Right - shown.Left == cell_ && shown.Bottom - shown.Top == cell_)
            marks.push_back({box, 0, true});
    }
    if (selection_.Cols > 0) frameArea(selection_, Rgb565(0, 255, 255));
    if (dragging_) {
        const uint16_t orange = Rgb565(255, 128, 0);
        if (tool_ == Tool::Line) {
            frameArea({dragCol_, dragRow_, 1, 1}, orange);
            frameArea({anchorCol_, anchorRow_, 1, 1}, orange);
        } else {
            frameArea(AreaBetween(anchorCol_, anchorRow_, dragCol_, dragRow_), orange);
        }
    }
    if (CellAtPoint(pointerX_, pointerY_, col, row))
        frameArea({col, row, 1, 1}, Rgb565(255, 255, 255));
    return marks;
}

void Editor::ChangedRows(const Rect& area, const MapPicture::ChangedRows& changed,
                         const std::vector<MapMark>& marks, int& from, int& to) const {
    from = area.Bottom;
    to = area.Top;
    auto take = [&](int top, int bottom) {
        from = std::min(from, std::max(top, area.Top));
        to = std::max(to, std::min(bottom, area.Bottom));
    };
    if (changed.Any())
        take(CellBox(area, 0, changed.First).Top, CellBox(area, 0, changed.Last).Bottom);
    // The rows of the marks that came, went or moved.
    for (const MapMark& m : marks)
        if (std::find(drawnMarks_.begin(), drawnMarks_.end(), m) == drawnMarks_.end())
            take(m.Box.Top, m.Box.Bottom);
    for (const MapMark& m : drawnMarks_)
        if (std::find(marks.begin(), marks.end(), m) == marks.end()) take(m.Box.Top, m.Box.Bottom);
}

void Editor::DrawMap(Surface& frame, const Rect& area) {
    const LevelRecord& level = set_.Level(level_);
    map_.Update(level, tiles_, set_.LevelRevision(level_));
    const MapPicture::ChangedRows changed = map_.TakeChanges();
    std::vector<MapMark> marks = MapMarks(area, level);
    // All rows are drawn again when the view itself changed, else those that changed.
    std::string look;
    for (int n : {level_, level.Cols, level.Rows, cell_, viewX_, viewY_, int(grid_), int(help_),
                  area.Left, area.Top, area.Right, area.Bottom})
        look += std::to_string(n) + ",";
    int from = area.Top, to = area.Bottom;
    if (ShowsAlready(kMapPanel, look) && !help_) ChangedRows(area, changed, marks, from, to);
    drawnMarks_ = std::move(marks);
    if (from >= to) return;
    map_.DrawView(frame, area, cell_, viewX_, viewY_, from, to);
    // Everything over the map is drawn inside the rows drawn again.
    const Rect band{area.Left, from, area.Right, to};
    if (grid_ && cell_ >= 6) DrawGrid(frame, area, band, level);
    DrawMarks(frame, band, drawnMarks_);
    if (help_) DrawHelp(frame, area);
}

void Editor::DrawGrid(Surface& frame, const Rect& area, const Rect& band,
                      const LevelRecord& level) {
    const uint16_t line = Rgb565(70, 70, 90);
    const Rect first = CellBox(area, 1, 1), last = CellBox(area, level.Cols, level.Rows);
    for (int col = 1; col <= level.Cols + 1; ++col) {
        const int x = first.Left + (col - 1) * cell_;
        FillRect(frame, Intersection({x, first.Top, x + 1, last.Bottom}, band), line);
    }
    for (int row = 1; row <= level.Rows + 1; ++row) {
        const int y = first.Top + (row - 1) * cell_;
        FillRect(frame, Intersection({first.Left, y, last.Right, y + 1}, band), line);
    }
}

void Editor::DrawMarks(Surface& frame, const Rect& band, const std::vector<MapMark>& marks) {
    for (const MapMark& m : marks) {
        if (!m.Letter) {
            FrameRect(frame, m.Box, m.Colour, band);
            continue;
        }
        // The letter is blended: only over the rows drawn afresh, never twice over one pixel.
        Text(frame, m.Box.Left + cell_ / 2 - 5, m.Box.Top + cell_ / 2 - 8, "@", 0xFFFF00,
             Intersection(m.Box, band));
    }
}

std::vector<std::string> Editor::Wrapped(const std::string& text, int width) {
    std::vector<std::string> lines{""};
    std::string word;
    for (const char ch : text + " ") {
        if (ch != ' ') {
            word += ch;
            continue;
        }
        const std::string longer = lines.back().empty() ? word : lines.back() + " " + word;
        if (!lines.back().empty() && text_->TextPixelWidth(longer) > width)
            lines.push_back(word);
        else
            lines.back() = longer;
        word.clear();
    }
    return lines;
}

void Editor::DrawHelp(Surface& frame, const Rect& area) {
    FillRect(frame, area, Rgb565(10, 10, 30));
    Text(frame, area.Left + 12, area.Top + 10, "Tolmara Deepgrid level editor: keys", kYellow,
         area);
    // The keys and what they do side by side, a long text going on below; the rows that do not
    // fit go on in another such pair of columns to the right, as many pairs as the rows need.
    int keysWidth = 0;
    for (const EditorCommand& c : Commands())
        keysWidth = std::max(keysWidth, text_->TextPixelWidth(Plain(c.Shown)));
    keysWidth = std::min(keysWidth, 200);
    const int top = area.Top + 10 + kLineHeight + 6, rows = (area.Bottom - top) / kLineHeight;
    int helpWidth = 480;
    std::vector<std::vector<std::string>> texts;
    for (int pairs = 1; pairs <= 4; ++pairs) {
        helpWidth = std::clamp((area.Right - area.Left - 12) / pairs - keysWidth - 36, 120, 480);
        texts.clear();
        int row = 0, pair = 1;
        for (const EditorCommand& c : Commands()) {
            texts.push_back(Wrapped(Plain(c.Help), helpWidth));
            const int lines = static_cast<int>(texts.back().size());
            if (row + lines > rows && row > 0) ++pair, row = 0;
            row += lines;
        }
        if (pair <= pairs) break;
    }
    int x = area.Left + 12, y = top;
    for (size_t n = 0; n < texts.size(); ++n) {
        if (y + static_cast<int>(texts[n].size()) * kLineHeight > area.Bottom && y > top) {
            x += keysWidth + helpWidth + 36;
            y = top;
        }
        Text(frame, x, y, Plain(Commands()[n].Shown), kYellow, area);
        for (const std::string& line : texts[n]) {
            Text(frame, x + keysWidth + 16, y, line, kWhite, area);
            y += kLineHeight;
        }
    }
}

// ---- the other panels

void Editor::DrawList(Surface& frame, const Rect& area) {
    struct Row {
        std::string Label, Mark;
        uint32_t LabelColour, MarkColour;
    };
    const int rows = ListRows(area), first = FirstListed(rows);
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
         kGrey, area);
    for (size_t n = 0; n < shown.size(); ++n) {
        int y = area.Top + 22 + static_cast<int>(n) * kLineHeight;
        if (first + static_cast<int>(n) == level_)
            FillRect(frame, Intersection({area.Left, y, area.Right, y + kLineHeight}, area),
                     Rgb565(60, 60, 120));
        // The mark keeps its room at the right; a long name is cut short before it.
        const int markX = area.Right - 8 - text_->TextPixelWidth(shown[n].Mark);
        Text(frame, area.Left + 8, y, shown[n].Label, shown[n].LabelColour,
             Intersection(area, {area.Left, y, markX - 6, y + kLineHeight}));
        Text(frame, markX, y, shown[n].Mark, shown[n].MarkColour, area);
    }
}

void Editor::DrawPalette(Surface& frame, const Rect& area) {
    if (ShowsAlready(kPalettePanel, tilesLoaded_ + "\n" + std::to_string(tiles_.Count()) + "," +
                                        std::to_string(palette_.size()) + "," +
                                        std::to_string(tile_)))
        return;
    FillRect(frame, area, Rgb565(28, 28, 44));
    for (const PaletteSpot& spot : PaletteSpots(area)) {
        if (spot.Tile == 0) {
            Text(frame, spot.X, spot.Y, *spot.Name, kGrey, area);
            continue;
        }
        const Surface& thumb = Thumbnail(spot.Tile);
        for (int ty = 0; ty < kThumb; ++ty)
            std::copy(thumb.Row(ty), thumb.Row(ty) + kThumb, frame.Row(spot.Y + ty) + spot.X);
        if (spot.Tile == tile_)
            FrameRect(frame, {spot.X - 2, spot.Y - 2, spot.X + kThumb + 2, spot.Y + kThumb + 2},
                      Rgb565(255, 255, 0), area);
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
        Text(frame, area.Left + 8, y, line, colour, area);
        y += kLineHeight;
    }
}

void Editor::DrawStatus(Surface& frame, const Rect& area) {
    if (prompt_) return DrawPrompt(frame, area);
    const std::string text = StatusText();
    if (ShowsAlready(kStatusPanel, text)) return;
    FillRect(frame, area, Rgb565(40, 40, 60));
    Text(frame, area.Left + 8, area.Top + 2, text, kWhite, area);
}

std::string Editor::StatusText() {
    const LevelRecord& level = set_.Level(level_);
    std::string text;
    int col = 0, row = 0;
    const int32_t picked = PaletteTileAt(pointerX_, pointerY_);
    if (CellAtPoint(pointerX_, pointerY_, col, row)) {
        int32_t t = level.CellAt(col, row).Tile;
        text = "(" + std::to_string(col) + ", " + std::to_string(row) + ") " + TileName(t) + " [" +
               std::to_string(t) + "]   ";
    } else if (picked > 0) {
        text = "palette: " + TileName(picked) + " [" + std::to_string(picked) + "]   ";
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
    return text;
}

void Editor::DrawPrompt(Surface& frame, const Rect& area) {
    const Prompt& p = *prompt_;
    const std::string question = p.Question + " ";
    if (ShowsAlready(kStatusPanel, "?" + question + "\n" + p.Answer + "\n" +
                                       std::to_string(p.Cursor) + "," +
                                       std::to_string(p.AllSelected)))
        return;
    FillRect(frame, area, Rgb565(40, 40, 60));
    const int x = area.Left + 8, y = area.Top + 2;
    const int answerX = x + text_->TextPixelWidth(question);
    Text(frame, x, y, question, kYellow, area);
    if (p.AllSelected)
        FillRect(frame,
                 Intersection({answerX - 1, y, answerX + text_->TextPixelWidth(p.Answer) + 1,
                               y + kLineHeight},
                              area),
                 Rgb565(70, 90, 170));
    Text(frame, answerX, y, p.Answer, kWhite, area);
    if (p.OneKey) return;
    const int cursorX = answerX + text_->TextPixelWidth(p.Answer.substr(0, p.Cursor));
    FillRect(frame, Intersection({cursorX, y + 1, cursorX + 2, y + kLineHeight - 1}, area),
             RgbTo565(kYellow));
}
