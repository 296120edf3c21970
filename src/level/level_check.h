// The full check of a level set file, as `tolmara-levels check` runs it: every limit the game's
// loader enforces, and the stricter rules of a well-made set.
#pragma once

#include <string>
#include <vector>

#include "media/byte_io.h"

struct CheckFinding {
    bool Warning = false;  // warnings do not make the check fail
    std::string Text;      // "<file>: level 3: ..."
};

// Checks the bytes of a level set file named fileName; tile sets are looked up in dataDir
// (with a trailing separator). An empty result means the file is sound.
std::vector<CheckFinding> CheckLevelSet(const Bytes& bytes, const std::string& fileName,
                                        const std::string& dataDir);
// True when a finding is an error.
bool HasErrors(const std::vector<CheckFinding>& findings);
