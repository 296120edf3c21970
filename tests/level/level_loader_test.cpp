// The level loader: index and names, border, monsters, counters, tile sets, phases and offsets,
// and the refusal of files that break the limits of the level model.
#include "level/level_loader.h"

#include <gtest/gtest.h>

#include "level/level_test_util.h"
#include "level/level_writer.h"
#include "screens/level_start.h"
#include "screens/screen_dispatch.h"
#include "support/test_data.h"

namespace {

constexpr int E = tcEmpty;

TEST(LevelLoader, ReadsIndexAndNames) {
    LoaderRig rig;
    LevelSetData set;
    set.SetHeader = 77;
    set.SetName = "Caf\xE9 set";  // Latin-1 text is kept byte for byte
    set.Levels = {MakeLevel({{E}}, 1, 1, "One"), MakeLevel({{E, E}}, 1, 2, "Tw\xF6")};
    rig.UseSet(set);
    const LevelSetState& levels = rig.game().levels;
    EXPECT_EQ(levels.LevelFile, rig.Dir() + "set.lev");
    EXPECT_EQ(levels.LevelSet.SetHeader, 77);
    EXPECT_EQ(levels.LevelSet.SetName, "Caf\xE9 set");
    EXPECT_EQ(levels.LevelSet.LevelCount, 2);
    EXPECT_EQ(levels.LevelNames[0], "One");
    EXPECT_EQ(levels.LevelNames[1], "Tw\xF6");
    EXPECT_EQ(levels.LevelNames[2], "");
    EXPECT_EQ(levels.LevelSet.LevelOffsets[1], 9 + 8 + 4000);
}

TEST(LevelLoader, OneCellLevelGetsItsBorder) {
    LoaderRig rig;
    rig.UseLevels({MakeLevel({{tcInfotron}})});
    Game& g = rig.game();
    g.world.level.Cells[2][2].Layer = 102;  // left from an earlier level; the reset clears it
    LoadLevel(g, 1);
    const int expected[3][3] = {{1, 3, 2}, {4, tcInfotron, 4}, {5, 3, 6}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(g.world.level.Cells[r][c].Tile, expected[r][c]) << r << "," << c;
            EXPECT_EQ(g.world.level.Cells[r][c].Layer, 100);
        }
    EXPECT_EQ(g.world.level.Rows, 1);
    EXPECT_EQ(g.world.level.Cols, 1);
    EXPECT_EQ(g.world.play.PlayerX, 60);
    EXPECT_EQ(g.world.play.PlayerY, 60);
    EXPECT_EQ(g.world.play.PlayerPosX, 60.0);
    EXPECT_EQ(g.world.play.InfotronsNeeded, 1);
}

TEST(LevelLoader, CellRecordsAndCountersAfterLoad) {
    LoaderRig rig;
    LevelRecord level = MakeLevel({{E, tcCircuit1}, {tcInfotron, tcInfotron}}, 2, 1);
    level.CellAt(2, 1).Spare = 9;
    level.CellAt(2, 1).Layer = 101;
    level.CellAt(2, 1).FrameBase = 3;
    level.LevelFlags = 42;
    rig.UseLevels({level});
    Game& g = rig.game();
    g.world.play.Lives = 6;
    g.world.play.Bombs = 4;
    g.world.play.InfotronsGot = 2;
    g.world.play.LevelTime = 99;
    g.world.play.LevelOutcome = 1;
    g.world.play.FallCount = 3;
    LoadLevel(g, 1);
    const Cell& cell = g.world.level.Cells[1][2];
    EXPECT_EQ(cell.Tile, tcCircuit1);
    EXPECT_EQ(cell.Spare, 9);
    EXPECT_EQ(cell.Layer, 101);
    EXPECT_EQ(cell.FrameBase, 3);
    EXPECT_EQ(g.world.level.LevelFlags, 42);
    EXPECT_EQ(g.world.level.TileSetFile, "tiles.dxg");
    EXPECT_EQ(g.world.level.LevelName, "Test");
    EXPECT_EQ(g.world.play.PlayerY, 100);
    EXPECT_EQ(g.world.play.Lives, 3);
    EXPECT_EQ(g.world.play.Bombs, 0);
    EXPECT_EQ(g.world.play.InfotronsGot, 0);
    EXPECT_EQ(g.world.play.LevelTime, 0);
    EXPECT_EQ(g.world.play.LevelOutcome, 2);
    EXPECT_EQ(g.world.play.FallCount, 0);
    EXPECT_EQ(g.world.play.InfotronsNeeded, 2);
    EXPECT_EQ(g.ScreenTick, &EmptyTick);
}

TEST(LevelLoader, QuotaOverridesTheInfotronCount) {
    LoaderRig rig;
    LevelRecord counted = MakeLevel({{tcInfotron, E, tcInfotron}, {tcInfotron, E, E}});
    LevelRecord quota = counted;
    quota.InfotronQuota = 5;
    rig.UseLevels({counted, quota});
    LoadLevel(rig.game(), 1);
    EXPECT_EQ(rig.game().world.play.InfotronsNeeded, 3);
    LoadLevel(rig.game(), 2);
    EXPECT_EQ(rig.game().world.play.InfotronsNeeded, 5);
    EXPECT_EQ(rig.game().world.level.InfotronQuota, 5);
}

TEST(LevelLoader, MonstersInReadingOrder) {
    LoaderRig rig;
    rig.UseLevels({MakeLevel(
        {{E, tcMonsterCrawling, E, tcMonsterTurning}, {tcMonsterTurning, E, E, E}}, 2, 2)});
    Game& g = rig.game();
    g.world.level.Monsters[2].Heading = 3;  // an earlier level's entry: fields not set are kept
    g.world.level.Monsters[2].Move = 4;
    g.world.level.Turn[1] = -1;
    LoadLevel(g, 1);
    ASSERT_EQ(g.world.level.MonsterCount, 3);
    const Monster& first = g.world.level.Monsters[1];
    EXPECT_EQ(first.Kind, tcMonsterCrawling);
    EXPECT_EQ(first.Row, 1);
    EXPECT_EQ(first.Col, 2);
    EXPECT_EQ(first.PosX, 80.0);
    EXPECT_EQ(first.PosY, 40.0);
    EXPECT_EQ(first.Spin, 2);
    EXPECT_EQ(first.Frames, 0);
    const Monster& second = g.world.level.Monsters[2];
    EXPECT_EQ(second.Kind, tcMonsterTurning);
    EXPECT_EQ(second.Col, 4);
    EXPECT_EQ(second.Spin, 1);
    EXPECT_EQ(second.Frames, 8);
    EXPECT_EQ(second.Heading, 3);
    EXPECT_EQ(second.Move, 0);
    EXPECT_EQ(g.world.level.Monsters[3].Row, 2);
    EXPECT_EQ(g.world.level.Monsters[3].Col, 1);
    EXPECT_EQ(g.world.level.Turn[1], -1);
    EXPECT_EQ(g.world.level.Cells[1][2].Tile, tcBusy);
    EXPECT_EQ(g.world.level.Cells[1][4].Tile, tcBusy);
    EXPECT_EQ(g.world.level.Cells[2][1].Tile, tcBusy);
}

TEST(LevelLoader, OffsetsFromThePictures) {
    LoaderRig rig;
    std::vector<PictureData> tiles = PlainTiles(70);
    tiles[40] = SolidPicture("wide", 168, 40, 0x111111);
    tiles[40].SkipHeight = 9;
    tiles[40].SkipWidth = 4;
    tiles[41] = SolidPicture("tall", 40, 168, 0x222222);
    tiles[41].SkipWidth = 9;
    tiles[41].SkipHeight = 5;
    tiles[42] = SolidPicture("skips", 80, 40, 0x333333);
    tiles[42].SkipWidth = 20;
    tiles[42].SkipHeight = 24;
    tiles[3].SkipWidth = 7;  // border cells get no offsets
    rig.WriteTiles(tiles);
    rig.UseLevels({MakeLevel({{40, 41, 42, E}})});
    Game& g = rig.game();
    LoadLevel(g, 1);
    EXPECT_EQ(g.world.level.Cells[1][1].OffsetY, 6);
    EXPECT_EQ(g.world.level.Cells[1][1].OffsetX, 4);
    EXPECT_EQ(g.world.level.Cells[1][2].OffsetX, 13);
    EXPECT_EQ(g.world.level.Cells[1][2].OffsetY, 5);
    EXPECT_EQ(g.world.level.Cells[1][3].OffsetX, 20);
    EXPECT_EQ(g.world.level.Cells[1][3].OffsetY, 24);
    EXPECT_EQ(g.world.level.Cells[1][4].OffsetX, 0);
    EXPECT_EQ(g.world.level.Cells[0][1].OffsetX, 0);
}

TEST(LevelLoader, AnimatedCellsGetARandomWholePhase) {
    LoaderRig rig;
    std::vector<int> row(40, tcDriftLeft);  // rate 50
    row[0] = tcCircuit1;                    // not animated
    rig.UseLevels({MakeLevel({row})});
    Game& g = rig.game();
    LoadLevel(g, 1);
    EXPECT_EQ(g.world.level.Cells[1][1].Phase, 0);
    bool differ = false;
    for (int c = 2; c <= 40; ++c) {
        double phase = g.world.level.Cells[1][c].Phase;
        EXPECT_GE(phase, 0);
        EXPECT_LT(phase, 50);
        EXPECT_EQ(phase, static_cast<int>(phase));
        differ |= phase != g.world.level.Cells[1][2].Phase;
    }
    EXPECT_TRUE(differ);
    // The same seed gives the same phases.
    std::vector<double> first;
    for (int c = 1; c <= 40; ++c) first.push_back(g.world.level.Cells[1][c].Phase);
    LoadLevel(g, 1);
    for (int c = 1; c <= 40; ++c) EXPECT_EQ(g.world.level.Cells[1][c].Phase, first[c - 1]);
}

TEST(LevelLoader, TileSetLoadedOnlyWhenItChanges) {
    LoaderRig rig;
    rig.WriteTiles(PlainTiles(60), "other.dxg");
    rig.UseLevels({MakeLevel({{E}}), MakeLevel({{E}}), MakeLevel({{E}}, 1, 1, "O", "other.dxg")});
    Game& g = rig.game();
    LoadLevel(g, 1);
    EXPECT_EQ(g.media.TilePictures.Count(), 70);
    EXPECT_EQ(g.levels.LoadedTileSet, "tiles.dxg");
    rig.WriteTiles(PlainTiles(65));  // not read again: the same name is already loaded
    LoadLevel(g, 2);
    EXPECT_EQ(g.media.TilePictures.Count(), 70);
    LoadLevel(g, 3);
    EXPECT_EQ(g.media.TilePictures.Count(), 60);
    EXPECT_EQ(g.levels.LoadedTileSet, "other.dxg");
    LoadLevel(g, 1);
    EXPECT_EQ(g.media.TilePictures.Count(), 65);
}

TEST(LevelLoader, RefusesBrokenIndexes) {
    LoaderRig rig;
    LevelSetData set;
    for (int i = 0; i < 101; ++i) set.Levels.push_back(MakeLevel({{E}}));
    EXPECT_EQ(LoaderRig::ErrorOf([&] { rig.UseSet(set); }),
              "set.lev: LevelCount 101, must be 1 to 100");

    set.Levels.clear();
    rig.WriteSetBytes(WriteLevelSet(set));
    EXPECT_EQ(LoaderRig::ErrorOf([&] { ReadLevelSet(rig.game()); }),
              "set.lev: LevelCount 0, must be 1 to 100");

    set.Levels = {MakeLevel({{E}}), MakeLevel({{E}})};
    Bytes bytes = WriteLevelSet(set);
    size_t slot2 = 4 + 1 + 4 + 4;  // SetHeader, empty SetName, LevelCount, offset 1
    bytes[slot2 + 1] = 0x70;       // offset 2 far beyond the end
    rig.WriteSetBytes(bytes);
    std::string error = LoaderRig::ErrorOf([&] { ReadLevelSet(rig.game()); });
    EXPECT_EQ(error.substr(0, 27), "set.lev: level 2: offset 28") << error;
    EXPECT_NE(error.find("lies outside the file (" + std::to_string(bytes.size()) + " bytes)"),
              std::string::npos);

    rig.WriteSetBytes(Bytes(bytes.begin(), bytes.begin() + 2000));
    EXPECT_EQ(LoaderRig::ErrorOf([&] { ReadLevelSet(rig.game()); }),
              "set.lev: level offsets: unexpected end of file at offset 9");

    rig.game().settings.LevelsFile = "missing.lev";
    EXPECT_EQ(LoaderRig::ErrorOf([&] { ReadLevelSet(rig.game()); }),
              rig.Dir() +
                  "missing.lev: cannot open file (the level set file named by "
                  "tolmarakx.cfg)");
}

TEST(LevelLoader, RefusesLevelsFilesOutsideTheGameFolder) {
    LoaderRig rig;
    for (std::string name :
         {"/etc/passwd", "../set.lev", "sub/../../set.lev", "C:set.lev", "\\set.lev"}) {
        rig.game().settings.LevelsFile = name;
        EXPECT_EQ(LoaderRig::ErrorOf([&] { ReadLevelSet(rig.game()); }),
                  name + ": the level set file must be a file inside the game's folder");
    }
}

// Each broken level is refused at its load with a message naming the file, the level and the
// limit, and the level in play is left as it was.
TEST(LevelLoader, RefusesLevelsThatBreakTheLimits) {
    LoaderRig rig;
    LevelRecord good = MakeLevel({{E, E}});
    auto refusal = [&](LevelRecord broken) {
        rig.UseLevels({good, broken});
        LoadLevel(rig.game(), 1);
        std::string error = LoaderRig::ErrorOf([&] { LoadLevel(rig.game(), 2); });
        EXPECT_EQ(rig.game().world.level.Cols, 2) << "the level in play was changed";
        return error;
    };
    LevelRecord rows = good;
    rows.Rows = 100;
    EXPECT_EQ(refusal(rows), "set.lev: level 2: 100 rows, must be 1 to 99");
    LevelRecord cols = good;
    cols.Cols = 0;
    EXPECT_EQ(refusal(cols), "set.lev: level 2: 0 columns, must be 1 to 99");
    LevelRecord start = good;
    start.StartX = 20;
    EXPECT_EQ(
        refusal(start),
        "set.lev: level 2: start (20, 60) lies outside the play area of 2 columns and 1 rows");
    start.StartX = 60;
    start.StartY = 80;
    EXPECT_NE(refusal(start).find("start (60, 80) lies outside"), std::string::npos);
    LevelRecord hundred =
        MakeLevel({std::vector<int>(99, tcMonsterCrawling), std::vector<int>(99, E)});
    hundred.CellAt(5, 2).Tile = tcMonsterTurning;
    rig.UseLevels({hundred});
    LoadLevel(rig.game(), 1);
    EXPECT_EQ(rig.game().world.level.MonsterCount, 100);
    EXPECT_EQ(rig.game().world.level.Monsters[100].Kind, tcMonsterTurning);
    LevelRecord many = MakeLevel(
        {std::vector<int>(99, tcMonsterCrawling), std::vector<int>(99, tcMonsterTurning)});
    EXPECT_EQ(refusal(many), "set.lev: level 2: 198 monsters, at most 100");
    LevelRecord codes = MakeLevel({{E, 0, 1001, 0}});
    EXPECT_EQ(refusal(codes),
              "set.lev: level 2: tile code 0 at row 1, column 2 lies outside 1 to 1000 (2 more "
              "cells alike)");
    LevelRecord picture = MakeLevel({{E, 75}});
    EXPECT_EQ(refusal(picture),
              "set.lev: level 2: tile code 75 at row 1, column 2 has no picture in tiles.dxg (it "
              "holds 70 pictures)");
    LevelRecord unsafe = MakeLevel({{E}}, 1, 1, "U", "../tiles.dxg");
    EXPECT_EQ(refusal(unsafe),
              "set.lev: level 2: tile set name '../tiles.dxg' does not name a file inside the "
              "game's folder");
    LevelRecord missing = MakeLevel({{E}}, 1, 1, "M", "gone.dxg");
    EXPECT_EQ(refusal(missing),
              "set.lev: level 2: tile set: " + rig.Dir() + "gone.dxg: cannot open file");
}

TEST(LevelLoader, RefusesTruncatedLevelsAndUnknownNumbers) {
    LoaderRig rig;
    LevelSetData set;
    set.Levels = {MakeLevel({{E, E}, {E, E}})};
    Bytes bytes = WriteLevelSet(set);
    rig.WriteSetBytes(Bytes(bytes.begin(), bytes.end() - 2));
    ReadLevelSet(rig.game());  // the names are still there
    EXPECT_EQ(LoaderRig::ErrorOf([&] { ReadLevel(rig.game(), 1); }),
              "set.lev: level 1: infotron quota: unexpected end of file at offset " +
                  std::to_string(bytes.size() - 4));
    rig.WriteSetBytes(Bytes(bytes.begin(), bytes.end() - 20));
    ReadLevelSet(rig.game());  // levels come from the bytes the set was read with
    EXPECT_NE(LoaderRig::ErrorOf([&] {
                  ReadLevel(rig.game(), 1);
              }).find("set.lev: level 1: cells: unexpected end of file"),
              std::string::npos);
    EXPECT_EQ(LoaderRig::ErrorOf([&] { ReadLevel(rig.game(), 2); }),
              "set.lev: level 2: no such level (the set has 1)");
    EXPECT_EQ(LoaderRig::ErrorOf([&] { ReadLevel(rig.game(), 0); }),
              "set.lev: level 0: no such level (the set has 1)");
}

TEST(LevelLoader, SafeRelativePaths) {
    for (const char* good : {"Tolmara.lev", "music/song1.mid", "a\\b.mid", "./x", "x..y", "..x"})
        EXPECT_TRUE(IsSafeRelativePath(good)) << good;
    for (const char* bad :
         {"", "/abs", "\\abs", "C:\\x", "c:x", "..", "../x", "a/../b", "a\\..\\b", "a/..", "x:y"})
        EXPECT_FALSE(IsSafeRelativePath(bad)) << bad;
    EXPECT_FALSE(IsSafeRelativePath(std::string("a\0b", 3)));
}

}  // namespace
