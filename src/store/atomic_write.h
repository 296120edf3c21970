// Crash-safe whole-file writing: every save of the game and its tools goes through here.
#pragma once

#include <string>

#include "media/byte_io.h"

// Writes a whole file so that a crash, a power cut or a full disk leaves either the whole old
// file or the whole new one. The bytes go to a temporary file of a fresh name beside the file
// ("<file>.<process id>.XXXXXX.tmp"),
// created exclusively (a link planted there is never followed), synced, renamed over the file,
// and the folder is synced so that the rename itself is kept. A file that exists keeps its
// permission bits. When `path` is a symbolic link, the file it leads to is replaced, in that
// file's own folder, and the link stays. Throws FileError "<path>: cannot write file (<why>)".
void WriteFileAtomically(const std::string& path, const Bytes& bytes);

// Removes from `folder` (with its trailing '/') the temporary files that writes cut short by a
// kill or a crash left behind: only names of the form the writer makes, only plain files of this
// user, and only when the process that wrote them has ended or they are over an hour old (the
// earlier form of the name carries no process id: those go by age alone). Returns how many were
// removed; a folder that cannot be listed removes none.
int RemoveStaleTempFiles(const std::string& folder);
