// Writing a level record as level source text.
#include "level/level_dump.h"

#include "level/latin1.h"
#include "level/level_legend.h"

namespace {

struct StartCellOf {
    int Row = 0, Col = 0;
    bool Centred = false;
};

StartCellOf FindStart(const LevelRecord& level) {
    StartCellOf s;
    s.Row = level.StartY / kCellSize;
    s.Col = level.StartX / kCellSize;
    s.Centred = level.StartX >= 0 && level.StartY >= 0 && level.StartX % kCellSize == 20 &&
                level.StartY % kCellSize == 20 && s.Row >= 1 && s.Row <= level.Rows && s.Col >= 1 &&
                s.Col <= level.Cols;
    if (s.Row < 1) s.Row = 1;
    if (s.Row > level.Rows) s.Row = level.Rows;
    if (s.Col < 1) s.Col = 1;
    if (s.Col > level.Cols) s.Col = level.Cols;
    return s;
}

bool IsControl(char ch) {
    return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F;
}

bool PlainWord(const std::string& text) {
    if (text.empty() || text[0] == '"') return false;
    for (char ch : text)
        if (ch == ' ' || IsControl(ch)) return false;
    return true;
}

// One map row. The last cell of the first row is never written as a blank, so that trimmed
// trailing blanks cannot narrow the map.
std::string MapRow(const LevelRecord& level, int r, const StartCellOf& start, bool atSign) {
    std::string row;
    for (int c = 1; c <= level.Cols; ++c) {
        const LevelRecordCell& cell = level.CellAt(c, r);
        char ch = LegendChar(cell.Tile);
        if (ch == 0) ch = ' ';
        if (atSign && r == start.Row && c == start.Col) ch = '@';
        if (ch == ' ' && r == 1 && c == level.Cols) ch = '_';
        row += ch;
    }
    while (!row.empty() && row.back() == ' ') row.pop_back();
    return row;
}

std::string CellLine(const char* kind, int r, int c, int32_t value) {
    return std::string(kind) + " " + std::to_string(r) + " " + std::to_string(c) + " " +
           std::to_string(value) + "\n";
}

std::string Overrides(const LevelRecord& level) {
    std::string out;
    for (int r = 1; r <= level.Rows; ++r)
        for (int c = 1; c <= level.Cols; ++c) {
            const LevelRecordCell& cell = level.CellAt(c, r);
            if (LegendChar(cell.Tile) == 0) out += CellLine("code", r, c, cell.Tile);
            if (cell.Layer != 100) out += CellLine("layer", r, c, cell.Layer);
            if (cell.FrameBase != 0) out += CellLine("frame", r, c, cell.FrameBase);
        }
    return out;
}

bool HasSpare(const LevelRecord& level) {
    for (const LevelRecordCell& cell : level.Cells)
        if (cell.Spare != 0) return true;
    return false;
}

}  // namespace

std::string QuoteSourceName(const std::string& latin1) {
    std::string out = "\"";
    static const char kHex[] = "0123456789ABCDEF";
    for (char ch : ConvertLatin1ToUtf8(latin1)) {
        if (IsControl(ch)) {
            out += "\\x";
            out += kHex[(ch >> 4) & 15];
            out += kHex[ch & 15];
            continue;
        }
        if (ch == '"' || ch == '\\') out += '\\';
        out += ch;
    }
    return out + "\"";
}

std::string DumpLevelSource(const LevelRecord& level) {
    std::string out = "level " + QuoteSourceName(level.LevelName) + "\n";
    std::string tileSet = ConvertLatin1ToUtf8(level.TileSetFile);
    out += "tileset " + (PlainWord(tileSet) ? tileSet : QuoteSourceName(level.TileSetFile)) + "\n";
    out += "quota " + std::to_string(level.InfotronQuota) + "\n";
    out += "flags " + std::to_string(level.LevelFlags) + "\n";
    StartCellOf start = FindStart(level);
    if (!start.Centred)
        out += "# the start (" + std::to_string(level.StartX) + ", " +
               std::to_string(level.StartY) +
               ") is not the centre of a play-area cell; written as the nearest cell\n";
    if (HasSpare(level)) out += "# the Spare values of the cells are not kept: they build as 0\n";
    const LevelRecordCell& startCell = level.CellAt(start.Col, start.Row);
    bool atSign = startCell.Tile == tcEmpty;
    if (!atSign)
        out += "start " + std::to_string(start.Row) + " " + std::to_string(start.Col) + "\n";
    out += "map\n";
    for (int r = 1; r <= level.Rows; ++r) out += MapRow(level, r, start, atSign) + "\n";
    out += Overrides(level);
    return out + "end\n";
}
