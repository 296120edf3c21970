// Proofs: the replay text the editor writes, playing it headless, and the proof's state.
#include "model/proofs.h"

#include <gtest/gtest.h>

#include "level/level_source.h"
#include "level/level_writer.h"
#include "model/edit_set.h"
#include "model/set_files.h"
#include "store/atomic_write.h"
#include "support/test_support.h"

namespace {

TEST(Proofs, TheWrittenProofMakesTheLevelAndGoesStaleWithAnEdit) {
    TempDir dir;
    // Two steps right from the start put the player at rest below the exit.
    LevelSetData set = ParseLevelSources({{"p.lvl", "level \"P\"\nmap\n..E\n@..\nend\n"}});
    WriteFileAtomically(dir.File("p.lev"), WriteLevelSet(set));
    ReplayScript script;
    script.Levels = "p.lev";
    script.Level = 1;
    script.Steps = {{1, 17, {}, 0}, {40, 17, {ReplayKey::Right}, 0}, {30, 17, {}, 0}};
    std::string text = ReplayScriptText(script, "proof");
    ReplayScript read = ParseReplay(text, "01.replay");
    ASSERT_EQ(read.Steps.size(), 3u);
    EXPECT_EQ(read.Steps[1].Count, 40);
    EXPECT_EQ(read.Steps[1].Keys, std::vector<ReplayKey>{ReplayKey::Right});
    EXPECT_EQ(PlayProof(read, dir.File("p.lev"), 1, BuiltGameDir()), "made");

    Proof proof{read, LevelFingerprint(set.Levels[0]), true};
    EXPECT_EQ(StateOfProof(&proof, set.Levels[0]), ProofState::Proven);
    EditSet edited(set);
    edited.Paint(0, 1, 1, tcInfotron);
    EXPECT_EQ(StateOfProof(&proof, edited.Level(0)), ProofState::Stale);
    edited.Undo();
    EXPECT_EQ(StateOfProof(&proof, edited.Level(0)), ProofState::Proven);
    EXPECT_EQ(StateOfProof(nullptr, edited.Level(0)), ProofState::None);

    script.Steps = {{1, 17, {}, 0}, {30, 17, {}, 0}};  // standing still makes nothing
    EXPECT_EQ(PlayProof(script, dir.File("p.lev"), 1, BuiltGameDir()), "playing");
    // A proof longer than any level takes is not played to its end.
    script.Steps = {{1, 17, {}, 0}, {200000, 17, {}, 0}};
    EXPECT_NE(PlayProof(script, dir.File("p.lev"), 1, BuiltGameDir()).find("longer than a level"),
              std::string::npos);
}

}  // namespace
