// Opening and saving edited sets: the round trip with the level compiler, broken files, refused
// and failed saves. And the live checks of a level.
#include "model/set_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "dxgwriter/library_writer.h"
#include "level/level_source.h"
#include "level/level_writer.h"
#include "model/edit_set.h"
#include "model/level_findings.h"
#include "store/atomic_write.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace {

LevelSetData ShippedLevels() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(SourceDir() + "assets/levels"))
        if (entry.path().extension() == ".lvl") paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    std::vector<LevelSourceText> sources;
    for (const std::string& path : paths) {
        Bytes bytes = ReadFileBytes(path);
        sources.push_back({path, std::string(bytes.begin(), bytes.end())});
    }
    return ParseLevelSources(sources);
}

TEST(SetFiles, ShippedSetSavesByteExactAndItsSourcesBuildTheSame) {
    TempDir dir;
    WriteFileAtomically(dir.File("computer.dxg"), WritePictureLibrary(TestTilePictures()));
    Bytes shipped = WriteLevelSet(ShippedLevels());
    WriteFileAtomically(dir.File("in.lev"), shipped);
    OpenedSet opened = OpenSetFile(dir.File("in.lev"), dir.Path());
    EXPECT_TRUE(opened.Notes.empty()) << opened.Notes.front();
    std::filesystem::create_directory(dir.File("out"));
    std::vector<std::string> sources = SaveSet(opened.Data, dir.File("out/set.lev"));
    EXPECT_EQ(ReadFileBytes(dir.File("out/set.lev")), shipped);
    EXPECT_EQ(sources.front(), "01-power-on.lvl");

    std::string tool = BuiltGameDir() + "tolmara-levels";
    if (!std::filesystem::exists(tool)) GTEST_SKIP() << "tolmara-levels is not built";
    std::string command = "cd '" + dir.File("out") + "' && '" + tool + "' build";
    for (const std::string& name : sources) command += " " + name;
    ASSERT_EQ(std::system((command + " built.lev >/dev/null").c_str()), 0);
    EXPECT_EQ(ReadFileBytes(dir.File("out/built.lev")), shipped);
}

TEST(SetFiles, TheOpenedSourceIsNeverSavedOver) {
    TempDir dir;
    const std::string text = "# my notes\nlevel \"A\"\nmap\n@.E\n...\nend\n";
    WriteTextFile(dir.File("01-a.lvl"), text);
    OpenedSet opened = OpenSetFile(dir.File("01-a.lvl"), dir.Path());
    EXPECT_EQ(opened.LevelFile, dir.File("01-a.lev"));
    EXPECT_THROW(SaveSet(opened.Data, opened.LevelFile, {}, dir.File("01-a.lvl")), SetFileError);
    EXPECT_EQ(ReadFileBytes(dir.File("01-a.lvl")), Bytes(text.begin(), text.end()));
    EXPECT_FALSE(std::filesystem::exists(dir.File("01-a.lev")));
}

TEST(SetFiles, BrokenFilesOpenWithThePlaceOfTheFault) {
    TempDir dir;
    WriteTextFile(dir.File("bad.lvl"), "level \"A\"\nmap\n@?E\nend\n");
    try {
        OpenSetFile(dir.File("bad.lvl"), dir.Path());
        FAIL() << "opened";
    } catch (const SetFileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  dir.File("bad.lvl") + ", line 3, column 2: '?' is not a map character");
    }
    Bytes cut = WriteLevelSet(LevelSetData{0, "", {NewLevel(3, 3, "A")}});
    cut.resize(cut.size() - 20);
    WriteFileAtomically(dir.File("cut.lev"), cut);
    try {
        OpenSetFile(dir.File("cut.lev"), dir.Path());
        FAIL() << "opened";
    } catch (const SetFileError& e) {
        EXPECT_NE(std::string(e.what()).find(dir.File("cut.lev") + ": level 1: "),
                  std::string::npos)
            << e.what();
    }
}

TEST(SetFiles, SaveIsRefusedOnErrorsAndAFailedWriteKeepsTheOldFile) {
    TempDir dir;
    LevelSetData set{0, "", {NewLevel(3, 1, "A")}};
    try {
        SaveSet(set, dir.File("set.lev"));
        FAIL() << "saved";
    } catch (const SetFileError& e) {
        EXPECT_EQ(std::string(e.what()), dir.File("set.lev") +
                                             ": not saved; the set has errors:\n" +
                                             dir.File("set.lev") + ": level 1: no exit");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("set.lev")));

    set.Levels[0].CellAt(3, 1).Tile = tcExit;
    SaveSet(set, dir.File("set.lev"));
    Bytes saved = ReadFileBytes(dir.File("set.lev"));
    // A folder that cannot be written: the sources' place is taken by a file.
    std::filesystem::remove(dir.File("01-a.lvl"));
    std::filesystem::create_directory(dir.File("01-a.lvl"));
    set.Levels[0].LevelFlags = 5;
    try {
        SaveSet(set, dir.File("set.lev"));
        FAIL() << "saved";
    } catch (const SetFileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(dir.File("01-a.lvl") + ": cannot ", 0), 0u)
            << e.what();
    }
    try {
        SaveSet(set, dir.File("no/set.lev"));
        FAIL() << "saved";
    } catch (const SetFileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  dir.File("no/01-a.lvl") + ": cannot write file (No such file or directory)");
    }
    EXPECT_EQ(ReadFileBytes(dir.File("set.lev")), saved);
}

LevelRecord Level(const std::vector<std::string>& map) {
    LevelSetData set = ParseLevelSources({{"t.lvl", "level \"T\"\nmap\n" + [&] {
                                               std::string text;
                                               for (const std::string& row : map)
                                                   text += row + "\n";
                                               return text;
                                           }() + "end\n"}});
    return set.Levels[0];
}

TEST(LevelFindings, ErrorsAndTheReachWarning) {
    EXPECT_TRUE(CheckEditedLevel(Level({"@.E", "..."}), 1).empty());  // rest below the exit
    LevelRecord walled = Level({"E#.", "#.@"});
    std::vector<LevelFinding> found = CheckEditedLevel(walled, 2);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0].Warning);
    EXPECT_EQ(found[0].Text.rfind("level 2: the player cannot walk and eat from the start", 0), 0u);
    EXPECT_TRUE(ExitReachable(Level({"E#.", ".L@"})));  // a port carries the player over

    LevelRecord level = Level({"@oW", "..."});
    level.InfotronQuota = 11;  // one infotron and nine from the crawler's blast
    level.StartX = 0;
    found = CheckEditedLevel(level, 1);
    std::vector<std::string> texts;
    for (const LevelFinding& f : found) texts.push_back(f.Text);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "level 1: no start", "level 1: no exit",
                         "level 1: the quota 11 is above the 10 infotrons there are"}));
    level = NewLevel(11, 10, "M");
    for (LevelRecordCell& cell : level.Cells) cell.Tile = tcMonsterTurning;
    level.CellAt(1, 1).Tile = tcExit;
    found = CheckEditedLevel(level, 1);
    ASSERT_GE(found.size(), 1u);
    EXPECT_EQ(found[0].Text, "level 1: 109 monsters, at most 100");
}

// What the game does with the tile under the start: it clears it to empty when the level begins
// (unless it is a port, a trap or a hazard), so a start on a wall loses the wall and a start on
// the only exit loses the level.
TEST(LevelFindings, WhatLiesUnderTheStart) {
    auto findings = [](int32_t under, bool keepTheExit = true) {
        LevelRecord level = Level({"@.E", "..."});
        int col = 0, row = 0;
        EXPECT_TRUE(StartCell(level, col, row));
        level.CellAt(col, row).Tile = under;
        if (!keepTheExit) level.CellAt(3, 1).Tile = tcEmpty;
        std::string all;
        for (const LevelFinding& f : CheckEditedLevel(level, 1))
            all += (f.Warning ? "warning: " : "error: ") + f.Text + "\n";
        return all;
    };
    EXPECT_EQ(findings(tcEmpty), "");
    EXPECT_EQ(findings(tcFloor), "");
    EXPECT_EQ(findings(30),
              "warning: level 1: the start is on a terracotta ceramic wall, which the game clears "
              "to empty when the level begins\n");
    EXPECT_EQ(findings(tcExit, false).rfind("error: level 1: the start is on the only exit", 0),
              0u);
    EXPECT_EQ(findings(tcExit).rfind("warning: level 1: the start is on an exit", 0), 0u);
    EXPECT_NE(findings(tcTrapDown).find("thrown and loses a life"), std::string::npos);
    EXPECT_NE(findings(tcInfotron).find("not collected"), std::string::npos);
}

TEST(LevelFindings, ShippedLevelsHaveNoErrors) {
    for (const LevelFinding& f : CheckEditedSet(ShippedLevels()))
        if (!f.Warning) ADD_FAILURE() << f.Text;
}

}  // namespace
