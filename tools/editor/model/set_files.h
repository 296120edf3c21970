// Opening and saving the level set being edited: a level set file (`.lev`) or a level source
// (`.lvl`) in, the level set file and a level source per level beside it out.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "level/level_record.h"
#include "model/group_write.h"

// A file that cannot be opened or a save that is refused or fails. The text names the file and
// every problem, one per line.
class SetFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct OpenedSet {
    LevelSetData Data;
    std::string LevelFile;  // where Save writes the set: the .lev opened, or beside the .lvl
    std::vector<std::string> Notes;  // what the check found and what the editor changed on opening
};

// Opens a `.lev` (judged as `tolmara-levels check` judges it, tile sets looked up in dataDir) or a
// level source. A set that cannot be read whole throws SetFileError with the check's messages;
// what the editor cannot hold (Spare values, a start off a cell's centre) is changed and noted.
OpenedSet OpenSetFile(const std::string& path, const std::string& dataDir);

// The file name of level `number`'s source: "NN-name.lvl" with the name in lower-case words.
std::string SourceFileName(int number, const std::string& levelName);
// The source text of level `index` of the set; the first level's carries the set's `set` line.
std::string SourceTextOf(const LevelSetData& set, size_t index);

// Refused, writing nothing, when the live checks find errors. Sources named in `previous` (the
// last save's) that this save does not write again are removed. Returns the sources written.
// The sources go to `sourceFolder` (the set file's folder when empty); with no `levelFile`
// only the sources are written. The files `with` (the proofs) are written and `withRemoved`
// removed in the same group: a kill leaves the old group or the new one (see group_write.h).
std::vector<std::string> SaveSet(const LevelSetData& set, const std::string& levelFile,
                                 const std::vector<std::string>& previous = {},
                                 const std::string& keep = "", const std::string& sourceFolder = "",
                                 const std::vector<GroupFile>& with = {},
                                 const std::vector<std::string>& withRemoved = {});
// The journal folder of the group saved for `levelFile` (or, with none, for `sourceFolder`).
std::string SaveJournalOf(const std::string& levelFile, const std::string& sourceFolder);

// A fingerprint of a level's record bytes: a proof made for one fingerprint is stale at another.
uint64_t LevelFingerprint(const LevelRecord& level);
