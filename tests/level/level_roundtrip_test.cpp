// Level records through the writer and reader, and through dump and the source parser.
#include <gtest/gtest.h>

#include "level/level_dump.h"
#include "level/level_set_reader.h"
#include "level/level_source.h"
#include "level/level_test_util.h"
#include "level/level_writer.h"

namespace {

constexpr int E = tcEmpty;

LevelRecord Rebuilt(const LevelRecord& level) {
    std::string source = DumpLevelSource(level);
    LevelSetData set = ParseLevelSources({{"dump.lvl", source}});
    EXPECT_EQ(set.Levels.size(), 1u) << source;
    return set.Levels.at(0);
}

// A level with everything the legend cannot show.
LevelRecord Awkward() {
    LevelRecord level =
        MakeLevel({{tcInfotron, 11, 70, E}, {999, tcExit, tcMonsterCrawling, E}, {E, E, E, E}}, 2,
                  1, "Say \"hi\" \\ caf\xE9", "my tiles.dxg");
    level.CellAt(1, 1).Layer = 102;
    level.CellAt(2, 2).FrameBase = 3;
    level.CellAt(4, 3).Layer = 101;
    level.InfotronQuota = -2;
    level.LevelFlags = 123456;
    return level;
}

TEST(LevelWriter, LayoutOfTheIndexAndRecords) {
    LevelSetData set;
    set.SetHeader = 0x01020304;
    set.SetName = "Ab";
    set.Levels = {MakeLevel({{E}}, 1, 1, "L1", "t.dxg"),
                  MakeLevel({{12, 13}}, 1, 2, "Two", "t.dxg")};
    Bytes bytes = WriteLevelSet(set);
    const size_t first = 4 + 3 + 4 + 4000;
    const size_t record1 = 6 + 3 + 20 + 16 + 4;
    const size_t record2 = 6 + 4 + 20 + 32 + 4;
    ASSERT_EQ(bytes.size(), first + record1 + record2);
    ByteReader in(bytes, "set.lev");
    LevelSetIndex index = ReadLevelSetIndex(in);
    EXPECT_EQ(index.SetHeader, 0x01020304);
    EXPECT_EQ(bytes[0], 0x04);
    EXPECT_EQ(index.SetName, "Ab");
    EXPECT_EQ(index.LevelCount, 2);
    EXPECT_EQ(index.LevelOffsets[1], static_cast<int32_t>(first));
    EXPECT_EQ(index.LevelOffsets[2], static_cast<int32_t>(first + record1));
    EXPECT_EQ(index.LevelOffsets[3], 0);
    EXPECT_TRUE(IndexProblems(index, bytes.size()).empty());
    EXPECT_EQ(bytes[first], 5);      // "t.dxg"
    EXPECT_EQ(bytes[first + 6], 2);  // "L1"
    for (int n = 1; n <= 2; ++n) EXPECT_EQ(ReadLevelRecord(in, index, n), set.Levels[n - 1]);
    EXPECT_EQ(ReadLevelName(in, index, 2), "Two");
}

TEST(LevelDump, SourceForWhatTheLegendCannotShow) {
    EXPECT_EQ(DumpLevelSource(Awkward()),
              "level \"Say \\\"hi\\\" \\\\ caf\xC3\xA9\"\n"
              "tileset \"my tiles.dxg\"\n"
              "quota -2\n"
              "flags 123456\n"
              "start 2 1\n"
              "map\n"
              "o  _\n"
              " EW\n"
              "\n"
              "layer 1 1 102\n"
              "code 1 2 11\n"
              "code 1 3 70\n"
              "code 2 1 999\n"
              "frame 2 2 3\n"
              "layer 3 4 101\n"
              "end\n");
}

TEST(LevelDump, DumpBuildsTheSameLevel) {
    LevelRecord awkward = Awkward();
    EXPECT_EQ(Rebuilt(awkward), awkward);
    // Control bytes in the names, a line break and a NUL among them, are written as \xNN.
    awkward.LevelName = std::string("two\nlines\0\x13\x7F", 12);
    awkward.TileSetFile = "tab\tbed.dxg";
    EXPECT_EQ(Rebuilt(awkward), awkward) << DumpLevelSource(awkward);

    // An empty start cell is shown by @, even with overrides of its own.
    LevelRecord plain = MakeLevel({{tcCircuit1, tcCircuit2, tcCircuit3}, {E, tcFloor, E}}, 2, 3,
                                  "P", "computer.dxg");
    plain.CellAt(3, 2).Layer = 101;
    std::string source = DumpLevelSource(plain);
    EXPECT_NE(source.find("map\n:;,\n .@\nlayer 2 3 101\n"), std::string::npos) << source;
    EXPECT_EQ(source.find("start"), std::string::npos);
    EXPECT_EQ(Rebuilt(plain), plain);

    // Every legend code comes back through its character.
    std::vector<int> all = {15, 14, 16, 17, 18, 12, 20, 21, 22, 13, 19, 63, 53, 54, 55, 23, 24,
                            25, 26, 49, 50, 51, 52, 65, 66, 67, 38, 39, 68, 30, 31, 45, 46};
    LevelRecord legend =
        MakeLevel({all, std::vector<int>(all.size(), E)}, 2, 2, "All", "computer.dxg");
    source = DumpLevelSource(legend);
    EXPECT_EQ(source.find("code"), std::string::npos) << source;
    EXPECT_EQ(Rebuilt(legend), legend);
}

TEST(LevelDump, WhatASourceCannotHoldIsReported) {
    LevelRecord level = MakeLevel({{E, E}, {E, E}}, 2, 2, "S", "computer.dxg");
    level.CellAt(1, 1).Spare = 5;
    level.StartX = 95;
    std::string source = DumpLevelSource(level);
    EXPECT_NE(source.find("# the start (95, 100) is not the centre of a play-area cell"),
              std::string::npos);
    EXPECT_NE(source.find("# the Spare values of the cells are not kept"), std::string::npos);
    LevelRecord rebuilt = Rebuilt(level);
    EXPECT_EQ(rebuilt.CellAt(1, 1).Spare, 0);
    EXPECT_EQ(rebuilt.StartX, 100);
    EXPECT_EQ(rebuilt.StartY, 100);
}

TEST(LevelDump, SourcesThroughTheFileAndBack) {
    const std::string source =
        "set 9 \"Nine\"\n"
        "level \"One\"\ntileset computer.dxg\nquota 0\nflags 0\nmap\n@.:o\n#XE_\nend\n"
        "level \"Two\"\ntileset computer.dxg\nquota 3\nflags 1\nstart 1 2\nmap\n.O\n.y\ncode 2 1 "
        "500\nend\n";
    LevelSetData set = ParseLevelSources({{"a.lvl", source}});
    Bytes bytes = WriteLevelSet(set);
    ByteReader in(bytes, "set.lev");
    LevelSetIndex index = ReadLevelSetIndex(in);
    std::string dumped;
    for (int n = 1; n <= index.LevelCount; ++n)
        dumped += DumpLevelSource(ReadLevelRecord(in, index, n));
    LevelSetData again = ParseLevelSources({{"dump.lvl", "set 9 \"Nine\"\n" + dumped}});
    EXPECT_EQ(WriteLevelSet(again), bytes);
}

}  // namespace
