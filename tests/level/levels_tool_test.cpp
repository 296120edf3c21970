// The level compiler's command line: build, check and dump, their exit status and output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "level/level_dump.h"
#include "level/level_source.h"
#include "level/level_test_util.h"
#include "level/level_writer.h"
#include "support/test_data.h"

namespace {

class LevelsTool : public ::testing::Test {
  protected:
    void SetUp() override {
        tool = BuiltGameDir() + "tolmara-levels";
        if (!std::filesystem::exists(tool)) GTEST_SKIP() << "tolmara-levels is not built";
        WriteTileSet(dir.File("tiles.dxg"), PlainTiles(70));
    }
    // Runs the tool in the temporary folder; keeps its output and returns its exit status.
    int Run(const std::string& args) {
        std::string command =
            "cd '" + dir.Path() + "' && '" + tool + "' " + args + " >out.txt 2>err.txt";
        int status = std::system(command.c_str());
        out = Read("out.txt");
        err = Read("err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(dir.File(name), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    TempDir dir;
    std::string tool, out, err;
};

const char* kFirst = "set 2 \"Set\"\nlevel \"A\"\ntileset tiles.dxg\nmap\n@.o\n:E.\nend\n";
const char* kSecond = "level \"B\"\ntileset tiles.dxg\nquota 1\nmap\n.@\ncode 1 1 69\nend\n";

TEST_F(LevelsTool, BuildsSourcesInOrder) {
    WriteTextFile(dir.File("1.lvl"), kFirst);
    WriteTextFile(dir.File("2.lvl"), kSecond);
    ASSERT_EQ(Run("build 1.lvl 2.lvl set.lev"), 0) << err;
    LevelSetData set = ParseLevelSources({{"1.lvl", kFirst}, {"2.lvl", kSecond}});
    EXPECT_EQ(ReadFileBytes(dir.File("set.lev")), WriteLevelSet(set));
    EXPECT_EQ(out, "set.lev: 2 levels\n");

    ASSERT_EQ(Run("check --data . set.lev"), 0) << out;  // a warning does not fail the check
    EXPECT_EQ(out,
              "set.lev: warning: level 2: quota 1 is above the 0 infotrons the level can give\n");
    ASSERT_EQ(Run("dump set.lev 2"), 0) << err;
    EXPECT_EQ(out, DumpLevelSource(set.Levels[1]));
    EXPECT_EQ(Run("dump set.lev 3"), 1);
    EXPECT_EQ(err, "tolmara-levels: set.lev: level 3: no such level (the set has 2)\n");
}

TEST_F(LevelsTool, FailuresAndTheirStatus) {
    WriteTextFile(dir.File("bad.lvl"), "level \"A\"\nmap\n@\tx\nend\n");
    EXPECT_EQ(Run("build bad.lvl set.lev"), 1);
    EXPECT_EQ(err,
              "tolmara-levels: bad.lvl, line 3, column 2: a tab in a map (use spaces or _ for "
              "empty cells)\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("set.lev")));

    WriteTextFile(dir.File("pic.lvl"),
                  "level \"A\"\ntileset tiles.dxg\nmap\n@\ncode 1 1 90\nend\n");
    ASSERT_EQ(Run("build pic.lvl set.lev"), 0) << err;
    EXPECT_EQ(Run("check --data . set.lev"), 1);
    EXPECT_EQ(out, "set.lev: level 1: no picture in tiles.dxg (70 pictures) for tile codes 90\n");
    // Without --data the tile sets are looked up beside the program, where this one is missing.
    EXPECT_EQ(Run("check set.lev"), 1);

    EXPECT_EQ(Run(""), 2);
    EXPECT_EQ(Run("build only.lev"), 2);
    EXPECT_EQ(Run("dump set.lev x"), 2);
    EXPECT_EQ(Run("frobnicate"), 2);
}

// `build` never writes over one of its sources or to a name that is no level set; `dump` judges
// the index before it looks a level up.
TEST_F(LevelsTool, BuildKeepsItsSourcesAndDumpChecksTheIndex) {
    WriteTextFile(dir.File("1.lvl"), kFirst);
    WriteTextFile(dir.File("2.lvl"), kSecond);
    EXPECT_EQ(Run("build 1.lvl 2.lvl"), 1);
    EXPECT_EQ(err, "tolmara-levels: 2.lvl: the built level set must be a file ending in .lev\n");
    WriteTextFile(dir.File("x.lev"), kFirst);
    EXPECT_EQ(Run("build x.lev x.lev"), 1);
    EXPECT_EQ(err, "tolmara-levels: x.lev: the built level set would overwrite a source\n");
    EXPECT_EQ(Run("build x.lev 2.lvl ./x.lev"), 1);
    EXPECT_EQ(Read("1.lvl"), kFirst);
    EXPECT_EQ(Read("2.lvl"), kSecond);
    EXPECT_EQ(Read("x.lev"), kFirst);

    // A set whose level count claims 5000 levels (its index holds 1000 offsets).
    ASSERT_EQ(Run("build 1.lvl 2.lvl set.lev"), 0) << err;
    Bytes set = ReadFileBytes(dir.File("set.lev"));
    const size_t count = 5 + set[4];
    set[count] = 0x88;
    set[count + 1] = 0x13;
    WriteTextFile(dir.File("set.lev"), std::string(set.begin(), set.end()));
    EXPECT_EQ(Run("dump set.lev 2000"), 1);
    EXPECT_EQ(err, "tolmara-levels: set.lev: LevelCount 5000, must be 1 to 100\n");
}

}  // namespace
