// The editor's files as an author meets them: unsaved proofs, saving over another set, the game's
// own set and its source tree, sets sharing a folder, and test play's private folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "editor.h"
#include "editor_events.h"
#include "level/level_source.h"
#include "level/level_writer.h"
#include "model/private_folder.h"
#include "model/proofs.h"
#include "model/set_files.h"
#include "model/set_places.h"
#include "store/atomic_write.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

void Type(Editor& editor, const std::string& text) {
    for (char ch : text) editor.Handle(Typed(std::string(1, ch)));
}

// Answers the question being asked with `text` in place of what it offered.
void Answer(Editor& editor, const std::string& text) {
    for (int i = 0; i < 400; ++i) editor.Handle(Key("Backspace"));
    Type(editor, text);
    editor.Handle(Key("Return"));
}

// Two steps right from the start put the player at rest below the exit.
const char* const kLevel = "level \"P\"\nmap\n..E\n@..\nend\n";

ReplayScript WalkRight() {
    ReplayScript script;
    script.Levels = "test-play.lev";
    script.Level = 1;
    script.Steps = {{1, 17, {}, 0}, {40, 17, {ReplayKey::Right}, 0}, {30, 17, {}, 0}};
    return script;
}

TestPlay MadeIt(const std::string&, int, int, const std::string&) {
    TestPlay play;
    play.Recording = WalkRight();
    play.Result.Outcome = "made";
    return play;
}

void WriteSet(const std::string& path, const std::vector<std::string>& sources) {
    std::vector<LevelSourceText> texts;
    for (const std::string& text : sources) texts.push_back({path, text});
    WriteFileAtomically(path, WriteLevelSet(ParseLevelSources(texts)));
}

std::string Text(const std::string& path) {
    Bytes bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> Names(const std::string& folder, const std::string& ending) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (name.size() >= ending.size() &&
            name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(EditorFiles, AProofMadeInTestPlayIsUnsavedWorkUntilSaved) {
    TempDir dir;
    WriteSet(dir.File("p.lev"), {kLevel});
    Editor editor(BuiltGameDir());
    editor.SetTestPlayer(MadeIt);
    ASSERT_TRUE(editor.OpenFile(dir.File("p.lev")));
    EXPECT_FALSE(editor.Unsaved());
    editor.Handle(Key("F5"));
    EXPECT_TRUE(editor.Unsaved());
    editor.Handle(Key("Q", true));
    EXPECT_FALSE(editor.Finished()) << "quit without asking about the unsaved proof";
    editor.Handle(Key("Y"));  // save first
    EXPECT_TRUE(editor.Finished());
    EXPECT_FALSE(editor.Unsaved());
    ReplayScript saved = ReadReplayFile(dir.File("p-01.replay"));
    EXPECT_EQ(saved.Levels, "p.lev");
    EXPECT_EQ(PlayProof(saved, dir.File("p.lev"), 1, BuiltGameDir()), "made");
}

TEST(EditorFiles, AnUnsavedProofComesBackWithTheRecoveryCopy) {
    TempDir dir, save;
    WriteSet(dir.File("p.lev"), {kLevel});
    {
        Editor editor(BuiltGameDir());
        editor.SetSaveFolder(save.Path());
        editor.SetTestPlayer(MadeIt);
        ASSERT_TRUE(editor.OpenFile(dir.File("p.lev")));
        editor.Handle(Key("F5"));
        editor.KeepRecovery();
    }  // gone without a save, as in a crash
    Editor again(BuiltGameDir());
    again.SetSaveFolder(save.Path());
    ASSERT_TRUE(again.OpenFile(dir.File("p.lev")));
    again.OfferRecovery();
    again.Handle(Key("Y"));
    again.WaitForProofs();
    EXPECT_TRUE(again.Unsaved());
    EXPECT_EQ(again.ProofOfLevel(0), ProofState::Proven);
    again.Handle(Key("S", true));
    EXPECT_EQ(
        PlayProof(ReadReplayFile(dir.File("p-01.replay")), dir.File("p.lev"), 1, BuiltGameDir()),
        "made");
    EXPECT_TRUE(fs::is_empty(save.File("editor-recovery"))) << "the copy stays after the save";
}

TEST(EditorFiles, SaveAsAsksBeforeReplacingASetAndKeepsItsPlaceWhenItFails) {
    TempDir dir;
    WriteSet(dir.File("a.lev"), {kLevel});
    WriteSet(dir.File("b.lev"), {"level \"B\"\nmap\n.E.\n@..\nend\n"});
    ReplayScript old = WalkRight();
    old.Levels = "b.lev";
    WriteTextFile(dir.File("b-01.replay"), ReplayScriptText(old, "b's proof"));
    const Bytes b = ReadFileBytes(dir.File("b.lev"));
    Editor editor(BuiltGameDir());
    ASSERT_TRUE(editor.OpenFile(dir.File("a.lev")));
    editor.Handle(Key("D", true));  // a second level

    editor.Handle(Key("S", true, true));
    Answer(editor, dir.File("b.lev"));
    editor.Handle(Key("N"));  // do not replace b
    EXPECT_EQ(ReadFileBytes(dir.File("b.lev")), b);
    EXPECT_TRUE(editor.Unsaved());

    editor.Handle(Key("S", true, true));
    Answer(editor, dir.File("no-such-folder/c.lev"));  // fails
    EXPECT_TRUE(editor.Unsaved());
    editor.Handle(Key("S", true));  // saves where the set was
    EXPECT_FALSE(editor.Unsaved());
    EXPECT_EQ(OpenSetFile(dir.File("a.lev"), BuiltGameDir()).Data.Levels.size(), 2u);

    editor.Handle(Key("S", true, true));
    Answer(editor, dir.File("b.lev"));
    editor.Handle(Key("Y"));
    EXPECT_EQ(ReadFileBytes(dir.File("b.lev")), ReadFileBytes(dir.File("a.lev")));
    // b's proof was of the set replaced: it goes with it rather than fail on the new set.
    EXPECT_FALSE(fs::exists(dir.File("b-01.replay")));
    Editor again(BuiltGameDir());
    ASSERT_TRUE(again.OpenFile(dir.File("b.lev")));
    EXPECT_EQ(again.ProofOfLevel(0), ProofState::None);
}

TEST(EditorFiles, SetsInOneFolderKeepTheirOwnProofs) {
    TempDir dir;
    WriteSet(dir.File("x.lev"), {kLevel});
    WriteSet(dir.File("y.lev"), {kLevel});
    ReplayScript yours = WalkRight();
    yours.Levels = "y.lev";
    WriteTextFile(dir.File("01.replay"),
                  ReplayScriptText(yours, "y's proof, as older saves named it"));
    const Bytes proof = ReadFileBytes(dir.File("01.replay"));

    Editor editor(BuiltGameDir());
    editor.SetTestPlayer(MadeIt);
    ASSERT_TRUE(editor.OpenFile(dir.File("x.lev")));
    EXPECT_EQ(editor.ProofOfLevel(0), ProofState::None) << "took another set's proof";
    editor.Handle(Key("F5"));
    editor.Handle(Key("S", true));
    EXPECT_EQ(ReadReplayFile(dir.File("x-01.replay")).Levels, "x.lev");
    EXPECT_EQ(ReadFileBytes(dir.File("01.replay")), proof);

    Editor other(BuiltGameDir());
    ASSERT_TRUE(other.OpenFile(dir.File("y.lev")));
    other.WaitForProofs();
    EXPECT_EQ(other.ProofOfLevel(0), ProofState::Proven);
}

TEST(EditorFiles, ProofsArePlayedWhileTheEditorGoesOn) {
    TempDir dir;
    WriteSet(dir.File("y.lev"), {kLevel, kLevel});
    ReplayScript proof = WalkRight();
    proof.Levels = "y.lev";
    WriteTextFile(dir.File("y-01.replay"), ReplayScriptText(proof, "a proof"));
    proof.Level = 2;
    proof.Steps = {{1, 17, {}, 0}, {kLongestProofTicks, 17, {}, 0}};  // standing still for ever
    WriteTextFile(dir.File("y-02.replay"), ReplayScriptText(proof, "a proof longer than a level"));
    Editor editor(BuiltGameDir());
    ASSERT_TRUE(editor.OpenFile(dir.File("y.lev")));
    // The outcomes are taken on the window's thread only: until then both are being checked.
    EXPECT_EQ(editor.ProofOfLevel(0), ProofState::Checking);
    EXPECT_EQ(editor.ProofOfLevel(1), ProofState::Checking);
    editor.Handle(Key("Tab"));  // the editor answers meanwhile
    editor.WaitForProofs();
    EXPECT_EQ(editor.ProofOfLevel(0), ProofState::Proven);
    EXPECT_EQ(editor.ProofOfLevel(1), ProofState::Failing);
}

TEST(EditorFiles, ASaveAfterReopeningRemovesOnlyItsOwnOldSources) {
    TempDir dir;
    LevelSetData set = ParseLevelSources({{"a", "level \"A\"\nmap\n@.E\nend\n"},
                                          {"b", "level \"B\"\nmap\n@E.\nend\n"},
                                          {"c", "level \"C\"\nmap\nE.@\nend\n"}});
    SaveSet(set, dir.File("s.lev"));
    WriteTextFile(dir.File("07-mine.lvl"), "level \"Mine\"\nmap\n@E\nend\n");
    WriteTextFile(dir.File("02-b-notes.lvl"), "# not the editor's\n");
    Editor editor(BuiltGameDir());
    ASSERT_TRUE(editor.OpenFile(dir.File("s.lev")));
    editor.Handle(Key("Tab"));
    editor.Handle(Key("Delete", true));
    editor.Handle(Key("S", true));
    EXPECT_EQ(Names(dir.Path(), ".lvl"),
              (std::vector<std::string>{"01-a.lvl", "02-b-notes.lvl", "02-c.lvl", "07-mine.lvl"}));
}

TEST(EditorFiles, TestPlayWritesOnlyInAFreshPrivateFolder) {
    TempDir temp, dir;
    std::string was = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    setenv("TMPDIR", temp.Path().c_str(), 1);
    WriteSet(dir.File("p.lev"), {kLevel});
    WriteTextFile(dir.File("victim"), "mine");
    // Folders another user could plant: the name test play once used, and guessed ones.
    std::vector<std::string> planted = {"tolmara-editor-" + std::to_string(getpid()),
                                        "tolmara-editor-XXXXXX", "tolmara-editor-000000"};
    for (const std::string& name : planted) {
        fs::create_directory(temp.File(name));
        fs::permissions(temp.File(name), fs::perms::all);
        fs::create_symlink(dir.File("victim"), temp.File(name + "/test-play.lev"));
    }
    std::string played;
    Editor editor(BuiltGameDir());
    editor.SetTestPlayer(
        [&](const std::string& path, int level, int speed, const std::string& data) {
            played = path;
            EXPECT_EQ(fs::status(fs::path(path).parent_path()).permissions(), fs::perms::owner_all);
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
            EXPECT_EQ(OpenSetFile(path, BuiltGameDir()).Data.Levels.size(), 1u);
            return MadeIt(path, level, speed, data);
        });
    ASSERT_TRUE(editor.OpenFile(dir.File("p.lev")));
    editor.Handle(Key("F5"));
    if (was.empty())
        unsetenv("TMPDIR");
    else
        setenv("TMPDIR", was.c_str(), 1);
    ASSERT_FALSE(played.empty());
    EXPECT_EQ(Text(dir.File("victim")), "mine");
    for (const std::string& name : planted) {
        EXPECT_NE(fs::path(played).parent_path(), fs::path(temp.File(name)));
        EXPECT_EQ(Names(temp.File(name), ""), std::vector<std::string>{"test-play.lev"});
    }
    EXPECT_FALSE(fs::exists(fs::path(played).parent_path())) << "the private folder stays";
}

TEST(EditorFiles, TheGamesOwnSetOpensProvenAndSavesAsACopy) {
    TempDir save;
    const std::string game = BuiltGameDir() + kGameSetName;
    const Bytes shipped = ReadFileBytes(game);
    const std::vector<std::string> sourcesBefore = Names(BuiltGameDir(), ".lvl");
    Editor editor(BuiltGameDir());
    editor.SetSaveFolder(save.Path());
    ASSERT_TRUE(editor.OpenFile(game));
    editor.WaitForProofs();
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(editor.ProofOfLevel(i), ProofState::Proven) << "level " << i + 1;
    editor.Handle(Key("D", true));
    editor.Handle(Key("S", true));
    EXPECT_FALSE(editor.Unsaved());
    EXPECT_EQ(ReadFileBytes(game), shipped);
    EXPECT_EQ(Names(BuiltGameDir(), ".lvl"), sourcesBefore);
    std::string copy = save.File("editor-sets/Tolmara/");
    EXPECT_EQ(OpenSetFile(copy + kGameSetName, BuiltGameDir()).Data.Levels.size(), 41u);
    EXPECT_EQ(Names(copy, ".lvl").size(), 41u);
    EXPECT_EQ(Names(copy, ".replay").size(), 40u);
    EXPECT_TRUE(fs::exists(copy + "Tolmara-41.replay"));  // the proofs move with their levels
}

class SourceTree : public ::testing::Test {
  protected:
    SourceTree() {
        fs::create_directory(dir_.File("assets"));
        fs::copy(SourceDir() + "assets/levels", dir_.File("assets/levels"));
        fs::copy(SourceDir() + "assets/replays", dir_.File("assets/replays"));
        levels_ = dir_.File("assets/levels/");
        before_ = Names(levels_, "");
    }
    TempDir dir_;
    std::string levels_;
    std::vector<std::string> before_;
};

TEST_F(SourceTree, ALevelSourceOpensTheWholeSetAsACopy) {
    Editor editor(BuiltGameDir());
    editor.SetSaveFolder(dir_.File("save/"));
    const Bytes wallBreaker = ReadFileBytes(levels_ + "05-wall-breaker.lvl");
    ASSERT_TRUE(editor.OpenFile(levels_ + "05-wall-breaker.lvl"));
    editor.WaitForProofs();
    EXPECT_EQ(editor.ProofOfLevel(4), ProofState::Proven);
    editor.Handle(Key("D", true));
    editor.Handle(Key("S", true));
    EXPECT_FALSE(editor.Unsaved());
    EXPECT_EQ(Names(levels_, ""), before_);
    EXPECT_EQ(ReadFileBytes(levels_ + "05-wall-breaker.lvl"), wallBreaker);
    EXPECT_EQ(Names(dir_.File("save/editor-sets/Tolmara/"), ".lvl").size(), 41u);
}

TEST_F(SourceTree, TheFolderOfSourcesIsEditedInPlaceAndStillBuildsAndProves) {
    std::string tool = BuiltGameDir() + "tolmara-levels";
    if (!fs::exists(tool)) GTEST_SKIP() << "tolmara-levels is not built";
    Editor editor(BuiltGameDir());
    editor.SetSaveFolder(dir_.File("save/"));
    ASSERT_TRUE(editor.OpenFile(dir_.File("assets/levels")));
    for (int i = 0; i < 6; ++i) editor.Handle(Key("Tab"));
    editor.Handle(Key("F2"));
    Answer(editor, "One Way Streets Again");
    editor.Handle(Key("S", true));
    EXPECT_FALSE(editor.Unsaved());
    std::vector<std::string> after = Names(levels_, ".lvl");
    ASSERT_EQ(after.size(), 40u);
    EXPECT_EQ(after[6], "07-one-way-streets-again.lvl");
    EXPECT_FALSE(fs::exists(dir_.File("save/editor-sets")));
    std::string command = "cd '" + levels_ + "' && '" + tool + "' build";
    for (const std::string& name : after) command += " " + name;
    ASSERT_EQ(std::system((command + " '" + dir_.File("built.lev") + "' >/dev/null").c_str()), 0);
    EXPECT_EQ(Names(levels_, ".lev").size(), 0u);
    for (int n = 1; n <= 40; ++n) {
        std::string name = ProofFileName(n);
        ReplayScript script = ReadReplayFile(dir_.File("assets/replays/" + name));
        EXPECT_EQ(script.Levels, kGameSetName);
        EXPECT_EQ(PlayProof(script, dir_.File("built.lev"), n, BuiltGameDir()), "made") << name;
    }
}

}  // namespace

TEST(EditorFiles, StalePrivateFoldersOfKilledEditorsAreRemovedAndNothingElse) {
    TempDir temp;
    std::string was = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    setenv("TMPDIR", temp.Path().c_str(), 1);
    auto make = [&](const std::string& name, bool old) {
        fs::create_directory(temp.File(name));
        WriteTextFile(temp.File(name + "/test-play.lev"), "x");
        if (old)
            fs::last_write_time(temp.File(name),
                                fs::file_time_type::clock::now() - std::chrono::hours(48));
    };
    make("tolmara-editor-Ab12cd", true);   // left by a killed test play
    make("tolmara-editor-Zz99yy", false);  // a test play going on now
    make("tolmara-editor-old", true);      // not a name the editor makes
    make("other-Ab12cd", true);
    EXPECT_EQ(RemoveStalePrivateFolders(), 1);
    if (was.empty())
        unsetenv("TMPDIR");
    else
        setenv("TMPDIR", was.c_str(), 1);
    EXPECT_EQ(
        Names(temp.Path(), ""),
        (std::vector<std::string>{"other-Ab12cd", "tolmara-editor-Zz99yy", "tolmara-editor-old"}));
}
