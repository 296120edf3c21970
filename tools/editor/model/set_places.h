// Where a set being edited lives: the file a save writes, the folder of its level sources, and
// where its proofs are kept and under what names. The game's own set is edited as a copy in the
// user's save folder unless the author opens the game's source folder of levels itself.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "game/replay.h"
#include "level/level_record.h"

// The game's own set file, in its data folder, and the name its proofs give in their `levels`.
inline constexpr const char* kGameSetName = "Tolmara.lev";

struct SetPlace {
    std::string LevelFile;     // the set file a save writes; empty: asked on saving
    std::string SourceFolder;  // where a save writes the level sources, with a trailing '/'
    bool SourcesOnly = false;  // the game's source tree: sources and proofs, no set file
    std::string ProofFolder;   // where the proofs are written, with a trailing '/'
    std::string ProofPrefix;   // a proof's name: prefix + "NN.replay"
    std::string ProofLevels;   // the `levels` line of the proofs: the set file's name
};

// An editor's own set file: its sources and its proofs "NAME-NN.replay" beside it.
SetPlace PlaceBeside(const std::string& levelFile);
// The game's source tree, given its folder of level sources: sources there, proofs
// "NN.replay" for the game's set in the "replays" folder beside it.
SetPlace SourceTreePlace(const std::string& levelsFolder);
// The folder of level sources of the game's source tree that `path` (a folder or a file in it)
// lies in, with a trailing '/': a folder "levels" of NN-*.lvl sources beside a folder "replays".
// Empty when it is not one.
std::string SourceTreeOf(const std::string& path);
// Whether `path` is the game's own set file in the data folder `dataDir`.
bool IsGameSet(const std::string& path, const std::string& dataDir);
// The level sources "NN-*.lvl" of a folder, in the order the level compiler builds them.
std::vector<std::string> SourcesIn(const std::string& folder);
// Where a copy of the game's own set is saved: "editor-sets/NAME/NAME.lev" in the save folder,
// in the first such folder not yet taken ("NAME-2", ...).
std::string CopyFileFor(const std::string& saveDir, const std::string& setFileName);

// The file name of the proof of level `number` (from 1).
std::string ProofNameAt(const SetPlace& place, int number);
// The proofs of the set's levels found in `folder` under `prefix`: only those whose `levels` line
// names `levelsName`; by level index (from 0). `found` receives the names of the files taken.
std::map<int, ReplayScript> ReadProofsIn(const std::string& folder, const std::string& prefix,
                                         const std::string& levelsName, int levelCount,
                                         std::vector<std::string>& found);
// The level sources in `folder` that this set's save wrote: a file under the name a save gives
// level N whose text is the text it would write. The names, for a later save to replace.
std::vector<std::string> OwnSources(const LevelSetData& set, const std::string& folder);
