// The level source parser: the legend, map shapes, directives and overrides, and its errors.
#include "level/level_source.h"

#include <gtest/gtest.h>

namespace {

LevelSetData Parse(const std::string& text) {
    return ParseLevelSources({{"a.lvl", text}});
}

LevelRecord ParseOne(const std::string& text) {
    LevelSetData set = Parse(text);
    EXPECT_EQ(set.Levels.size(), 1u);
    return set.Levels.at(0);
}

std::string ErrorOf(const std::string& text) {
    try {
        Parse(text);
    } catch (const LevelSourceError& e) {
        return e.what();
    }
    return "";
}

// A one-level source around the given map lines.
std::string Level(const std::string& mapLines, const std::string& after = "") {
    return "level \"A\"\nmap\n" + mapLines + after + "end\n";
}

TEST(LevelSource, DefaultsAndDirectives) {
    LevelSetData set = Parse(Level("@\n"));
    EXPECT_EQ(set.SetHeader, 0);
    EXPECT_EQ(set.SetName, "");
    EXPECT_EQ(set.Levels[0].TileSetFile, "computer.dxg");
    EXPECT_EQ(set.Levels[0].InfotronQuota, 0);
    EXPECT_EQ(set.Levels[0].LevelFlags, 0);

    set = Parse(
        "# comment\n  # indented comment\n\nset -3 \"Caf\xC3\xA9 \\\"set\\\" \\\\\"\n"
        "level \"Two\"\n tileset \"my tiles.dxg\"\nquota 7\nflags -12\nstart 2 "
        "3\nmap\n...\n..o\nend\n");
    EXPECT_EQ(set.SetHeader, -3);
    EXPECT_EQ(set.SetName, "Caf\xE9 \"set\" \\");
    const LevelRecord& level = set.Levels[0];
    EXPECT_EQ(level.LevelName, "Two");
    EXPECT_EQ(level.TileSetFile, "my tiles.dxg");
    EXPECT_EQ(level.InfotronQuota, 7);
    EXPECT_EQ(level.LevelFlags, -12);
    EXPECT_EQ(level.StartX, 140);
    EXPECT_EQ(level.StartY, 100);
    EXPECT_EQ(level.CellAt(3, 2).Tile, 12);  // a start line leaves the cell as the map has it
}

TEST(LevelSource, MapRowsArePaddedAndCarriageReturnsIgnored) {
    LevelRecord level = ParseOne("level \"A\"\r\nmap\r\n.o\r\n\r\n@...\r\n  :\r\nend\r\n");
    ASSERT_EQ(level.Rows, 4);
    ASSERT_EQ(level.Cols, 4);
    const std::vector<std::vector<int>> expected = {
        {14, 12, 15, 15}, {15, 15, 15, 15}, {15, 14, 14, 14}, {15, 15, 16, 15}};
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 4; ++c) EXPECT_EQ(level.CellAt(c, r).Tile, expected[r - 1][c - 1]);
    EXPECT_EQ(level.StartY, 140);
}

TEST(LevelSource, OverridesApplyAfterTheMap) {
    LevelRecord level =
        ParseOne(Level("@.\n..\n", "code 1 1 57\nlayer 1 1 102\nframe 2 2 -4\ncode 2 1 1000\n"));
    EXPECT_EQ(level.CellAt(1, 1).Tile, 57);  // the start cell may be overridden too
    EXPECT_EQ(level.CellAt(1, 1).Layer, 102);
    EXPECT_EQ(level.CellAt(2, 2).FrameBase, -4);
    EXPECT_EQ(level.CellAt(1, 2).Tile, 1000);
    EXPECT_EQ(level.StartX, 60);
}

TEST(LevelSource, SeveralSourcesMakeOneSet) {
    LevelSetData set =
        ParseLevelSources({{"01.lvl", "set 5 \"S\"\n" + Level("@\n")},
                           {"02.lvl", "# nothing here\n"},
                           {"03.lvl", "level \"B\"\nmap\n.@\nend\nlevel \"C\"\nmap\n@\nend\n"}});
    ASSERT_EQ(set.Levels.size(), 3u);
    EXPECT_EQ(set.SetHeader, 5);
    EXPECT_EQ(set.Levels[1].LevelName, "B");
    EXPECT_EQ(set.Levels[2].LevelName, "C");
    EXPECT_EQ(ErrorOf("level \"A\"\nmap\n@\n"), "a.lvl, line 1: level \"A\" has no 'end' line");
    try {
        ParseLevelSources({{"01.lvl", Level("@\n")}, {"02.lvl", "set 1 \"S\"\n"}});
        ADD_FAILURE();
    } catch (const LevelSourceError& e) {
        EXPECT_STREQ(e.what(), "02.lvl, line 1, column 1: 'set' must come before the first level");
    }
}

TEST(LevelSource, NamesAreLatin1OfAtMost255Bytes) {
    std::string e255;
    for (int i = 0; i < 255; ++i) e255 += "\xC3\xA9";  // 510 bytes of UTF-8, 255 of Latin-1
    EXPECT_EQ(ParseOne("level \"" + e255 + "\"\nmap\n@\nend\n").LevelName,
              std::string(255, '\xE9'));
    EXPECT_EQ(ErrorOf("level \"" + std::string(256, 'x') + "\"\nmap\n@\nend\n"),
              "a.lvl, line 1, column 7: the level name is 256 bytes long in Latin-1, at most 255");
    EXPECT_EQ(ErrorOf("level \"ab\xE2\x82\xAC\"\nmap\n@\nend\n"),
              "a.lvl, line 1, column 10: the level name: the character U+20AC has no Latin-1 form");
    EXPECT_EQ(ErrorOf("level \"a\xE9\"\nmap\n@\nend\n"),
              "a.lvl, line 1, column 9: the level name: the text is not valid UTF-8");
    const std::string onlyThese =
        "a.lvl, line 1, column 9: only \\\", \\\\ and \\x00 to \\x7F may follow a backslash";
    EXPECT_EQ(ErrorOf("level \"a\\n\"\n"), onlyThese);
    EXPECT_EQ(ErrorOf("level \"a\\x80\"\n"), onlyThese);
    EXPECT_EQ(ErrorOf("level \"open\n"),
              "a.lvl, line 1, column 7: the level name lacks its closing quote");
    EXPECT_EQ(ErrorOf("level First\n"),
              "a.lvl, line 1, column 7: expected the level name in double quotes");
}

TEST(LevelSource, MapErrorsNameLineAndColumn) {
    EXPECT_EQ(ErrorOf(Level("@..\n..Q\n")), "a.lvl, line 4, column 3: 'Q' is not a map character");
    EXPECT_EQ(ErrorOf(Level("\xC3\xA9@\n")),
              "a.lvl, line 3, column 1: '\xC3\xA9' is not a map character");
    EXPECT_EQ(ErrorOf(Level("@\xC3\xA9Q\n")),
              "a.lvl, line 3, column 2: '\xC3\xA9' is not a map character");
    EXPECT_EQ(ErrorOf(Level(std::string("@\0.\n", 4))),
              "a.lvl, line 3, column 2: '\\x00' is not a map character");
    EXPECT_EQ(ErrorOf(Level("@.\t.\n")),
              "a.lvl, line 3, column 3: a tab in a map (use spaces or _ for empty cells)");
    EXPECT_EQ(ErrorOf(Level("@..\n..@\n")),
              "a.lvl, line 4, column 3: a second start: there is one at line 3");
    EXPECT_EQ(ErrorOf("level \"A\"\nstart 1 1\nmap\n.@\nend\n"),
              "a.lvl, line 4, column 2: a second start: there is one at line 2");
    EXPECT_EQ(ErrorOf("level \"A\"\nmap\n.@\ncode 1 1 12\nstart 1 1\nend\n"),
              "a.lvl, line 5, column 1: a second start: the map has an @ at line 3");
    EXPECT_EQ(
        ErrorOf(Level("..\n")),
        "a.lvl, line 4, column 1: level \"A\" has no start: put an @ in the map or a 'start' line");
    EXPECT_EQ(
        ErrorOf("level \"A\"\nstart 3 1\nmap\n.\n.\nend\n"),
        "a.lvl, line 2, column 7: the start (3, 1) lies outside the map of 2 rows and 1 columns");
    EXPECT_EQ(ErrorOf("level \"A\"\nmap\nend\n"), "a.lvl, line 3, column 1: the map has no rows");
    EXPECT_EQ(ErrorOf(Level("\n\n")),
              "a.lvl, line 5, column 1: the map has no columns (every row is empty)");
    EXPECT_EQ(ErrorOf("level \"A\"\nend\n"), "a.lvl, line 2, column 1: level \"A\" has no map");
    std::string rows;
    for (int i = 0; i < 100; ++i) rows += ".\n";
    EXPECT_EQ(ErrorOf(Level(rows)), "a.lvl, line 102: the map has more than 99 rows");
    EXPECT_EQ(ErrorOf(Level("@" + std::string(99, '.') + "\n")),
              "a.lvl, line 3, column 100: the row is longer than 99 cells");
    EXPECT_EQ(Parse(Level(std::string(98, '.') + "@\n")).Levels[0].Cols, 99);
}

TEST(LevelSource, DirectiveErrors) {
    EXPECT_EQ(ErrorOf("level \"A\" x\n"),
              "a.lvl, line 1, column 11: unexpected text after the arguments of 'level'");
    EXPECT_EQ(ErrorOf("level \"A\"\nquota 3 x\n"),
              "a.lvl, line 2, column 9: unexpected text after the arguments of 'quota'");
    EXPECT_EQ(ErrorOf(Level("@\n", "end # done\n")),
              "a.lvl, line 4, column 5: unexpected text after the arguments of 'end'");
    EXPECT_EQ(ErrorOf("level \"A\"\nmpa\n"), "a.lvl, line 2, column 1: 'mpa' is not a directive");
    EXPECT_EQ(ErrorOf("quota 1\n"), "a.lvl, line 1, column 1: 'quota' outside a level");
    EXPECT_EQ(ErrorOf("level \"A\"\nquota x\n"),
              "a.lvl, line 2, column 7: the quota: 'x' is not a whole number");
    EXPECT_EQ(ErrorOf("level \"A\"\nflags 99999999999\n"),
              "a.lvl, line 2, column 7: the flags: '99999999999' is too large");
    EXPECT_EQ(ErrorOf("level \"A\"\nquota\n"), "a.lvl, line 2, column 6: missing the quota");
    EXPECT_EQ(ErrorOf("level \"A\"\nquota 1\nquota 2\n"),
              "a.lvl, line 3, column 1: 'quota' given twice in one level");
    EXPECT_EQ(ErrorOf("level \"A\"\ntileset ../x.dxg\n"),
              "a.lvl, line 2, column 1: the tile set must be a file inside the game's folder");
    EXPECT_EQ(ErrorOf("level \"A\"\ncode 1 1 12\n"),
              "a.lvl, line 2, column 1: 'code' before the map");
    EXPECT_EQ(ErrorOf(Level("@.\n", "code 1 2 0\n")),
              "a.lvl, line 4, column 10: tile code 0 outside 1 to 1000");
    EXPECT_EQ(ErrorOf(Level("@.\n", "code 1 2 1001\n")),
              "a.lvl, line 4, column 10: tile code 1001 outside 1 to 1000");
    EXPECT_EQ(ErrorOf(Level("@.\n", "layer 2 1 101\n")),
              "a.lvl, line 4, column 7: cell (2, 1) lies outside the map of 1 rows and 2 columns");
    EXPECT_EQ(ErrorOf(Level("@.\n", "frame 1 0 1\n")),
              "a.lvl, line 4, column 7: cell (1, 0) lies outside the map of 1 rows and 2 columns");
    EXPECT_EQ(ErrorOf("level \"A\"\nlevel \"B\"\n"),
              "a.lvl, line 2: level \"A\" (line 1) has no 'end' before this level");
    EXPECT_EQ(ErrorOf("set 1 \"S\"\nset 2 \"T\"\n"), "a.lvl, line 2, column 1: 'set' given twice");
    EXPECT_EQ(ErrorOf("end\n"), "a.lvl, line 1, column 1: 'end' outside a level");
    EXPECT_EQ(ErrorOf("# only a comment\n"), "a.lvl: no level in the sources");
    EXPECT_EQ(ErrorOf("level \"A\"\n" + std::string(100000, 'w') + "\n"),
              "a.lvl, line 2, column 1: '" + std::string(40, 'w') + "...' is not a directive");
    // A byte-order mark before the first line is skipped.
    EXPECT_EQ(Parse("\xEF\xBB\xBF" + Level("@\n")).Levels.size(), 1u);
}

TEST(LevelSource, LimitsOfASet) {
    std::string hundred;
    for (int i = 0; i < 100; ++i) hundred += Level("@\n");
    EXPECT_EQ(Parse(hundred).Levels.size(), 100u);
    EXPECT_EQ(ErrorOf(hundred + Level("@\n")), "a.lvl, line 401: more than 100 levels");
    std::string monsters(50, 'M');
    EXPECT_EQ(Parse(Level("@\n" + monsters + "\n" + monsters + "\n")).Levels.size(), 1u);
    EXPECT_EQ(ErrorOf(Level("@W\n" + monsters + "\n" + monsters + "\n")),
              "a.lvl, line 6, column 1: level \"A\" has 101 monsters, at most 100");
}

}  // namespace
