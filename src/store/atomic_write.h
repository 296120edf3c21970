// Crash-safe whole-file writing: every save of the game and its tools goes through here.
#pragma once

#include <string>

#include "media/byte_io.h"

// Writes a whole file so that a crash, a power cut or a full disk leaves either the whole old
// file or the whole new one. The bytes go to a temporary file of a fresh name beside the file,
// created exclusively (a link planted there is never followed), synced, renamed over the file,
// and the folder is synced so that the rename itself is kept. A file that exists keeps its
// permission bits. When `path` is a symbolic link, the file it leads to is replaced, in that
// file's own folder, and the link stays. Throws FileError "<path>: cannot write file (<why>)".
void WriteFileAtomically(const std::string& path, const Bytes& bytes);
