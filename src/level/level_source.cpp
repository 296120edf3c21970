// Parsing level sources into level records.
#include "level/level_source.h"

#include <optional>

#include "level/level_legend.h"
#include "level/level_loader.h"
#include "level/level_set_reader.h"
#include "level/source_line.h"

namespace {

// Where a start or an override was given, for messages.
struct Mark {
    SourcePlace Place;
    int Column = 0;
};

struct StartCell {
    int Row = 0, Col = 0;
    Mark At;
};

struct Override {
    std::string Kind;  // "code", "layer" or "frame"
    int Row = 0, Col = 0;
    int32_t Value = 0;
    Mark At;
};

// A level between its `level` and `end` lines.
struct PendingLevel {
    LevelRecord Record;
    SourcePlace Begin;
    bool HaveTileSet = false, HaveQuota = false, HaveFlags = false, HaveMap = false;
    std::vector<std::vector<int32_t>> Rows;
    std::optional<StartCell> AtSign;     // an @ in the map
    std::optional<StartCell> StartLine;  // a `start` line
    std::vector<Override> Overrides;
};

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

bool BeginsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// A map ends at the first line that begins with one of the directives that may follow it.
bool EndsMap(const std::string& text) {
    return BeginsWith(text, "code ") || BeginsWith(text, "layer ") || BeginsWith(text, "frame ") ||
           BeginsWith(text, "end");
}

class Parser {
  public:
    void ReadFile(const LevelSourceText& source);
    LevelSetData Finish();

  private:
    void ReadLine(const std::string& text);
    void Directive(const std::string& text);
    void LevelDirective(const std::string& word, ArgReader& args, int column);
    void SetLine(ArgReader& args, int column);
    void BeginLevel(ArgReader& args);
    void StartDirective(ArgReader& args, int column);
    void OverrideDirective(const std::string& kind, ArgReader& args, int column);
    void MapRow(const std::string& text);
    void MapStart(PendingLevel& level, int cellCol, int column);
    void EndLevel(int column);
    // The open level; `directive` outside a level is an error at `column`.
    PendingLevel& Open(const std::string& directive, int column);
    void Once(bool& given, const std::string& directive, int column);
    void SizeMap(PendingLevel& level, int column);
    void PlaceStart(PendingLevel& level, int column);
    void ApplyOverrides(PendingLevel& level);

    [[noreturn]] void Fail(int column, const std::string& message) const {
        SourceFail(place_, column, message);
    }

    LevelSetData set_;
    bool haveSet_ = false;
    std::optional<PendingLevel> level_;
    bool inMap_ = false;
    SourcePlace place_;
};

void Parser::ReadFile(const LevelSourceText& source) {
    place_ = SourcePlace{&source.Name, 0};
    // A byte-order mark that some editors put first is no part of the first line.
    size_t start = source.Text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    while (start < source.Text.size()) {
        size_t end = source.Text.find('\n', start);
        if (end == std::string::npos) end = source.Text.size();
        std::string line = source.Text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ++place_.Line;
        ReadLine(line);
        start = end + 1;
    }
    if (level_) {
        SourceFail(level_->Begin, 0,
                   "level " + Quoted(level_->Record.LevelName) + " has no 'end' line");
    }
}

void Parser::ReadLine(const std::string& text) {
    if (inMap_ && !EndsMap(text)) return MapRow(text);
    inMap_ = false;
    Directive(text);
}

void Parser::Directive(const std::string& text) {
    ArgReader args(place_, text, 0);
    int column = args.NextColumn();
    std::string word = args.Word();
    if (word.empty() || word[0] == '#') return;
    if (word == "set") return SetLine(args, column);
    if (word == "level") return BeginLevel(args);
    LevelDirective(word, args, column);
}

void Parser::LevelDirective(const std::string& word, ArgReader& args, int column) {
    if (word == "end") {
        args.End(word);
        return EndLevel(column);
    }
    if (word == "code" || word == "layer" || word == "frame")
        return OverrideDirective(word, args, column);
    if (word == "start") return StartDirective(args, column);
    PendingLevel& level = Open(word, column);
    if (word == "tileset") {
        Once(level.HaveTileSet, word, column);
        level.Record.TileSetFile = args.NameOrWord("the tile set name");
        if (!IsSafeRelativePath(level.Record.TileSetFile))
            Fail(column, "the tile set must be a file inside the game's folder");
    } else if (word == "quota") {
        Once(level.HaveQuota, word, column);
        level.Record.InfotronQuota = args.Int("the quota");
    } else if (word == "flags") {
        Once(level.HaveFlags, word, column);
        level.Record.LevelFlags = args.Int("the flags");
    } else if (word == "map") {
        Once(level.HaveMap, word, column);
        inMap_ = true;
    } else {
        Fail(column, QuoteSourceText(word) + " is not a directive");
    }
    args.End(word);
}

void Parser::SetLine(ArgReader& args, int column) {
    if (level_ || !set_.Levels.empty()) Fail(column, "'set' must come before the first level");
    if (haveSet_) Fail(column, "'set' given twice");
    haveSet_ = true;
    set_.SetHeader = args.Int("the set header");
    set_.SetName = args.Name("the set name");
    args.End("set");
}

void Parser::BeginLevel(ArgReader& args) {
    if (level_)
        Fail(0, "level " + Quoted(level_->Record.LevelName) + " (line " +
                    std::to_string(level_->Begin.Line) + ") has no 'end' before this level");
    if (set_.Levels.size() >= static_cast<size_t>(kMaxLevels))
        Fail(0, "more than " + std::to_string(kMaxLevels) + " levels");
    PendingLevel level;
    level.Begin = place_;
    level.Record.TileSetFile = kDefaultTileSet;
    level.Record.LevelName = args.Name("the level name");
    args.End("level");
    level_ = std::move(level);
}

PendingLevel& Parser::Open(const std::string& directive, int column) {
    if (!level_) Fail(column, QuoteSourceText(directive) + " outside a level");
    return *level_;
}

void Parser::Once(bool& given, const std::string& directive, int column) {
    if (given) Fail(column, "'" + directive + "' given twice in one level");
    given = true;
}

void Parser::StartDirective(ArgReader& args, int column) {
    PendingLevel& level = Open("start", column);
    if (level.StartLine) Fail(column, "'start' given twice in one level");
    if (level.AtSign)
        Fail(column, "a second start: the map has an @ at line " +
                         std::to_string(level.AtSign->At.Place.Line));
    StartCell start;
    start.At = Mark{place_, args.NextColumn()};
    start.Row = args.Int("the start row");
    start.Col = args.Int("the start column");
    args.End("start");
    level.StartLine = start;
}

void Parser::OverrideDirective(const std::string& kind, ArgReader& args, int column) {
    PendingLevel& level = Open(kind, column);
    if (!level.HaveMap) Fail(column, "'" + kind + "' before the map");
    Override o;
    o.Kind = kind;
    o.At = Mark{place_, args.NextColumn()};
    o.Row = args.Int("the row");
    o.Col = args.Int("the column");
    int valueColumn = args.NextColumn();
    o.Value = args.Int(kind == "code"    ? "the tile code"
                       : kind == "layer" ? "the layer"
                                         : "the frame");
    if (kind == "code" && (o.Value < 1 || o.Value > kMaxTileCode))
        Fail(valueColumn, "tile code " + std::to_string(o.Value) + " outside 1 to " +
                              std::to_string(kMaxTileCode));
    args.End(kind);
    level.Overrides.push_back(o);
}

// An @ in the map: the start, in the cell being read (row and column of the play area).
void Parser::MapStart(PendingLevel& level, int cellCol, int column) {
    if (level.AtSign || level.StartLine) {
        const Mark& first = level.AtSign ? level.AtSign->At : level.StartLine->At;
        Fail(column, "a second start: there is one at line " + std::to_string(first.Place.Line));
    }
    int cellRow = static_cast<int>(level.Rows.size()) + 1;
    level.AtSign = StartCell{cellRow, cellCol, Mark{place_, column}};
}

void Parser::MapRow(const std::string& text) {
    PendingLevel& level = *level_;
    if (level.Rows.size() >= static_cast<size_t>(kMaxPlayArea))
        Fail(0, "the map has more than " + std::to_string(kMaxPlayArea) + " rows");
    std::vector<int32_t> row;
    for (size_t i = 0; i < text.size(); ++i) {
        char ch = text[i];
        int column = ColumnOf(text, i);
        if (ch == '\t') Fail(column, "a tab in a map (use spaces or _ for empty cells)");
        if (row.size() >= static_cast<size_t>(kMaxPlayArea))
            Fail(column, "the row is longer than " + std::to_string(kMaxPlayArea) + " cells");
        if (ch == kStartChar) {
            MapStart(level, static_cast<int>(row.size()) + 1, column);
            row.push_back(tcEmpty);
            continue;
        }
        int32_t tile = LegendTile(ch);
        if (tile < 0) {
            size_t end = i + 1;
            while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
                ++end;
            Fail(column, QuoteSourceText(text.substr(i, end - i)) + " is not a map character");
        }
        row.push_back(tile);
    }
    level.Rows.push_back(std::move(row));
}

void Parser::SizeMap(PendingLevel& level, int column) {
    if (!level.HaveMap) Fail(column, "level " + Quoted(level.Record.LevelName) + " has no map");
    size_t cols = 0;
    for (const auto& row : level.Rows) cols = std::max(cols, row.size());
    if (level.Rows.empty()) Fail(column, "the map has no rows");
    if (cols == 0) Fail(column, "the map has no columns (every row is empty)");
    LevelRecord& record = level.Record;
    record.Resize(static_cast<int>(level.Rows.size()), static_cast<int>(cols));
    for (int r = 1; r <= record.Rows; ++r) {
        const auto& row = level.Rows[r - 1];
        for (size_t c = 0; c < row.size(); ++c)
            record.CellAt(static_cast<int>(c) + 1, r).Tile = row[c];
    }
}

void Parser::PlaceStart(PendingLevel& level, int column) {
    LevelRecord& record = level.Record;
    const std::optional<StartCell>& start = level.AtSign ? level.AtSign : level.StartLine;
    if (!start)
        Fail(column, "level " + Quoted(record.LevelName) +
                         " has no start: put an @ in the map or a 'start' line");
    if (start->Row < 1 || start->Row > record.Rows || start->Col < 1 || start->Col > record.Cols)
        SourceFail(start->At.Place, start->At.Column,
                   "the start (" + std::to_string(start->Row) + ", " + std::to_string(start->Col) +
                       ") lies outside the map of " + std::to_string(record.Rows) + " rows and " +
                       std::to_string(record.Cols) + " columns");
    record.StartX = CellCentre(start->Col);
    record.StartY = CellCentre(start->Row);
}

void Parser::ApplyOverrides(PendingLevel& level) {
    LevelRecord& record = level.Record;
    for (const Override& o : level.Overrides) {
        if (o.Row < 1 || o.Row > record.Rows || o.Col < 1 || o.Col > record.Cols)
            SourceFail(o.At.Place, o.At.Column,
                       "cell (" + std::to_string(o.Row) + ", " + std::to_string(o.Col) +
                           ") lies outside the map of " + std::to_string(record.Rows) +
                           " rows and " + std::to_string(record.Cols) + " columns");
        LevelRecordCell& cell = record.CellAt(o.Col, o.Row);
        if (o.Kind == "code")
            cell.Tile = o.Value;
        else if (o.Kind == "layer")
            cell.Layer = o.Value;
        else
            cell.FrameBase = o.Value;
    }
}

void Parser::EndLevel(int column) {
    PendingLevel& level = Open("end", column);
    SizeMap(level, column);
    PlaceStart(level, column);
    ApplyOverrides(level);
    int monsters = CountMonsterTiles(level.Record);
    if (monsters > kMaxMonsters)
        Fail(column, "level " + Quoted(level.Record.LevelName) + " has " +
                         std::to_string(monsters) + " monsters, at most " +
                         std::to_string(kMaxMonsters));
    set_.Levels.push_back(std::move(level.Record));
    level_.reset();
}

LevelSetData Parser::Finish() {
    if (set_.Levels.empty()) {
        std::string file = place_.File ? *place_.File : std::string("level sources");
        throw LevelSourceError(file + ": no level in the sources");
    }
    return std::move(set_);
}

}  // namespace

LevelSetData ParseLevelSources(const std::vector<LevelSourceText>& sources) {
    Parser parser;
    for (const LevelSourceText& source : sources) parser.ReadFile(source);
    return parser.Finish();
}
