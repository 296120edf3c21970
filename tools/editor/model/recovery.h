// The recovery copy of unsaved work: the set as it was being edited and its proofs, kept in one
// file in the user's save folder so that a crash or a kill loses nothing. The next start of the
// same set offers it back.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "level/level_record.h"
#include "model/proofs.h"

struct RecoveredProof {
    int Index = 0;  // the level's place in the set, from 0
    Proof Made;
};

struct Recovery {
    std::string Date;    // when it was written, as the user reads it
    std::string Opened;  // the path the set was opened from (empty: a set with no name)
    std::string File;    // the set file a save of it writes (empty: asked, or sources only)
    LevelSetData Set;
    std::vector<RecoveredProof> Proofs;
};

// The recovery file of the set opened from `setPath` (empty for a set with no name yet):
// "editor-recovery/NAME-HASH.recovery" in the save folder, or "editor-recovery/unnamed.recovery".
std::string RecoveryFileOf(const std::string& saveDir, const std::string& setPath);
// Writes the copy at once and whole (the old copy stays until the new one is complete), making
// the folder when it is missing. Throws FileError naming the file.
void WriteRecovery(const std::string& path, const std::string& opened, const std::string& file,
                   const LevelSetData& set, const std::vector<RecoveredProof>& proofs);
// The recovery copies in the save folder that belong to a start with `path` (the path opened or
// the file saved to; with no path, copies of sets with no name): the one named after `path`
// first. Each with the file it was read from.
std::vector<std::pair<std::string, Recovery>> RecoveriesOf(const std::string& saveDir,
                                                           const std::string& path);
// The copy, or nothing when there is none or it cannot be read whole.
std::optional<Recovery> ReadRecovery(const std::string& path);
