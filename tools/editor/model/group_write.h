// Files written as one group: a set, its level sources and its proofs. The new files go first
// into a journal folder beside them, then a plan saying where each goes and what goes away is
// written whole; only then are the files moved into place. A kill before the plan leaves the old
// group as it was, a kill after it leaves a plan that FinishGroupWrite carries out, so that
// whoever opens the group next finds either the old group whole or the new one.
#pragma once

#include <string>
#include <vector>

#include "media/byte_io.h"

struct GroupFile {
    std::string Path;
    Bytes Content;
};

// The journal folder of a group saved beside `file`: ".NAME.saving" in its folder.
std::string JournalFolderOf(const std::string& file);
// Writes `files` and removes `removed` as one group. Throws FileError naming the file or folder
// that cannot be written; the old group then stays whole.
void WriteGroup(const std::string& journal, const std::vector<GroupFile>& files,
                const std::vector<std::string>& removed);
// Completes a group write that a kill interrupted after its plan, or throws away one that had
// not reached it. Nothing to do when there is no journal folder.
void FinishGroupWrite(const std::string& journal);
