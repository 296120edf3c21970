// The full check of level set files that `tolmara-levels check` runs.
#include "level/level_check.h"

#include <gtest/gtest.h>

#include "level/level_dump.h"
#include "level/level_set_reader.h"
#include "level/level_test_util.h"
#include "level/level_writer.h"

namespace {

constexpr int E = tcEmpty;

class LevelCheck : public ::testing::Test {
  protected:
    LevelCheck() { WriteTileSet(dir.File("tiles.dxg"), PlainTiles(70)); }
    std::vector<std::string> Findings(const Bytes& bytes) {
        std::vector<std::string> texts;
        for (const CheckFinding& f : CheckLevelSet(bytes, "set.lev", dir.Path()))
            texts.push_back(f.Text);
        return texts;
    }
    std::vector<std::string> Findings(const std::vector<LevelRecord>& levels) {
        LevelSetData set;
        set.Levels = levels;
        return Findings(WriteLevelSet(set));
    }
    TempDir dir;
};

using Texts = std::vector<std::string>;

TEST_F(LevelCheck, SoundSetHasNoFindings) {
    LevelRecord level = MakeLevel({{E, tcInfotron, tcExit}, {tcMonsterCrawling, E, 69}});
    level.InfotronQuota = 10;  // one infotron and the nine of the kind-39 monster
    EXPECT_EQ(Findings({level, MakeLevel({{E}})}), Texts{});
}

TEST_F(LevelCheck, EveryProblemOfALevelIsReported) {
    LevelRecord level = MakeLevel({{E, 70, 75, 0}}, 1, 1, "L", "tiles.dxg");
    level.StartX = 70;
    EXPECT_EQ(
        Findings({level}),
        (Texts{"set.lev: level 1: tile code 0 at row 1, column 4 lies outside 1 to 1000",
               "set.lev: level 1: start (70, 60) is not the centre of a cell",
               "set.lev: level 1: no picture in tiles.dxg (70 pictures) for tile codes 70, 75"}));
    LevelRecord sub = MakeLevel({{E}}, 1, 1, "S", "sub/tiles.dxg");
    LevelRecord missing = MakeLevel({{E}}, 1, 1, "M", "gone.dxg");
    LevelRecord outside = MakeLevel({{E}}, 2, 1);
    EXPECT_EQ(Findings({sub, missing, outside}),
              (Texts{"set.lev: level 1: the tile set name 'sub/tiles.dxg' is not a plain file name",
                     "set.lev: level 2: tile set gone.dxg: " + dir.File("gone.dxg") +
                         ": cannot open file",
                     "set.lev: level 3: start (60, 100) lies outside the play area of 1 columns "
                     "and 1 rows"}));
}

// Only layers 100 to 102 are drawn; a value far outside once overflowed the drawing's test.
TEST_F(LevelCheck, LayersOutsideWhatIsDrawnAreErrors) {
    LevelRecord level = MakeLevel({{E, E, E}, {E, E, E}});
    level.CellAt(2, 1).Layer = 102;
    level.CellAt(3, 1).Layer = INT32_MIN;
    level.CellAt(1, 2).Layer = 99;
    EXPECT_EQ(Findings({level}), (Texts{"set.lev: level 1: layer -2147483648 at row 1, column 3 "
                                        "is never drawn (layers are 100 to 102) (1 more cells "
                                        "alike)"}));
}

TEST_F(LevelCheck, MonstersNeedTheBusyPictureAndAtMostAHundred) {
    WriteTileSet(dir.File("few.dxg"), PlainTiles(40));
    LevelRecord level = MakeLevel({{tcMonsterTurning}}, 1, 1, "F", "few.dxg");
    EXPECT_EQ(Findings({level}), Texts{});
    WriteTileSet(dir.File("few.dxg"), PlainTiles(11));
    EXPECT_EQ(Findings({level}),
              Texts{"set.lev: level 1: no picture in few.dxg (11 pictures) for tile codes 11, 38"});
    LevelRecord many = MakeLevel(
        {std::vector<int>(51, tcMonsterCrawling), std::vector<int>(51, tcMonsterCrawling)});
    EXPECT_EQ(Findings({many}), Texts{"set.lev: level 1: 102 monsters, at most 100"});
}

TEST_F(LevelCheck, QuotaAboveWhatTheLevelGivesIsAWarning) {
    LevelRecord level = MakeLevel({{E, tcInfotron, tcMonsterCrawling}});
    level.InfotronQuota = 11;
    std::vector<CheckFinding> findings = [&] {
        LevelSetData set;
        set.Levels = {level};
        return CheckLevelSet(WriteLevelSet(set), "set.lev", dir.Path());
    }();
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_TRUE(findings[0].Warning);
    EXPECT_EQ(findings[0].Text,
              "set.lev: warning: level 1: quota 11 is above the 10 infotrons the level can give");
    EXPECT_FALSE(HasErrors(findings));
}

TEST_F(LevelCheck, BrokenIndexesAndRecords) {
    LevelSetData set;
    set.Levels = {MakeLevel({{E}}), MakeLevel({{E, E}}), MakeLevel({{E}})};
    Bytes bytes = WriteLevelSet(set);
    Bytes badOffset = bytes;
    badOffset[9 + 4 + 3] = 0x7F;  // offset of level 2 far beyond the end
    Texts found = Findings(badOffset);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].rfind("set.lev: level 2: offset ", 0), 0u) << found[0];

    LevelRecord wide = MakeLevel({{E}});
    wide.Cols = 120;
    EXPECT_EQ(Findings({MakeLevel({{E}}), wide, MakeLevel({{0}})}),
              (Texts{"set.lev: level 2: 120 columns, must be 1 to 99",
                     "set.lev: level 3: tile code 0 at row 1, column 1 lies outside 1 to 1000"}));

    Bytes cut(bytes.begin(), bytes.end() - 1);
    EXPECT_EQ(Findings(cut),
              Texts{"set.lev: level 3: infotron quota: unexpected end of file at offset " +
                    std::to_string(bytes.size() - 4)});
    EXPECT_EQ(Findings(Bytes(bytes.begin(), bytes.begin() + 100)),
              Texts{"set.lev: level offsets: unexpected end of file at offset 9"});
    set.Levels.clear();
    EXPECT_EQ(Findings(WriteLevelSet(set)), Texts{"set.lev: LevelCount 0, must be 1 to 100"});
}

}  // namespace

namespace {

// Every single damaged byte of a small set (outside the unused offset slots) is either read or
// refused with a FileError: nothing is read out of bounds, nothing else is thrown.
TEST(LevelSetDamage, EveryDamagedByteIsReadOrRefused) {
    LevelSetData set;
    set.SetName = "S";
    set.Levels = {MakeLevel({{tcEmpty, tcInfotron}, {tcMonsterCrawling, tcExit}}, 1, 1, "One"),
                  MakeLevel({{tcEmpty}}, 1, 1, "Two")};
    const Bytes good = WriteLevelSet(set);
    std::vector<size_t> positions;
    for (size_t i = 0; i < 20; ++i) positions.push_back(i);
    for (size_t i = 4006; i < good.size(); ++i) positions.push_back(i);
    int refused = 0;
    for (size_t pos : positions)
        for (uint8_t value : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0x80}, uint8_t{0xFF}}) {
            Bytes bytes = good;
            bytes[pos] = value;
            for (size_t cut : {bytes.size(), bytes.size() - 3}) {
                ByteReader in(bytes.data(), cut, "set.lev");
                try {
                    LevelSetIndex index = ReadLevelSetIndex(in);
                    if (!IndexProblems(index, cut).empty()) continue;
                    for (int n = 1; n <= index.LevelCount; ++n) {
                        LevelRecord level = ReadLevelRecord(in, index, n);
                        if (LevelProblems(level, n).empty()) DumpLevelSource(level);
                    }
                } catch (const FileError&) {
                    ++refused;
                }
            }
        }
    EXPECT_GT(refused, 0);
}

}  // namespace
